#include "pipeline/file_image_shape.h"

uint32_t EnlargementFactor(bool doubleRes, uint32_t dpiScale) {
    if (!doubleRes) return 1;
    return dpiScale >= 2 && dpiScale <= 4 ? 2 * dpiScale : 2;
}

FileImageShape OutputFileShape(const ScanGeometry& g, ImageKind kind, bool doubleRes, uint32_t dpiScale) {
    uint32_t f = EnlargementFactor(doubleRes, dpiScale);
    FileImageShape shape = {kind, g.LineBytes * f, g.OutLines * f, g.ReportedDpi};
    return shape;
}

FileImageShape ScanWorkFileShape(const ScanGeometry& g, ImageKind kind, bool doubleRes, uint32_t dpiScale) {
    uint32_t f = EnlargementFactor(doubleRes, dpiScale);
    FileImageShape shape = {kind, g.LineBytes, g.OutLines, g.ReportedDpi / f};
    return shape;
}
