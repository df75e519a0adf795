#include "pipeline/scan_geometry.h"

namespace {

uint32_t RoundUp(uint32_t value, uint32_t step) { return (value + step - 1) / step * step; }

bool Extended(const GeometryInput& in) { return in.DoubleRes && in.DpiScale >= 2 && in.DpiScale <= 4; }

// Bytes per line at resolution `dpi` when the driver resamples 300 dpi
// lines to it (colour in whole pixels).
uint32_t ResampledBytes(const GeometryInput& in, uint32_t dpi) {
    uint32_t bytes = in.Kind == KIND_COLOR ? (in.ScannedBytes / 3) * dpi / 300 * 3 : dpi * in.ScannedBytes / 300;
    return bytes;
}

// Ring lines are whole words: multiples of 4 bytes (12 for colour), or of
// 2 (6) when the lines are enlarged afterwards.
uint32_t RaiseLineBytes(const GeometryInput& in, uint32_t bytes) {
    if (in.Kind == KIND_COLOR) return RoundUp(bytes, in.DoubleRes ? 6 : 12);
    return RoundUp(bytes, in.DoubleRes ? 2 : 4);
}

}  // namespace

ImageKind KindFromScanMode(uint16_t scanMode) {
    switch (scanMode) {
    case 1011: return KIND_LINEART;
    case 1012: return KIND_HALFTONE;
    case 1013: return KIND_GRAY;
    default: return KIND_COLOR;
    }
}

ScanGeometry ComputeScanGeometry(const GeometryInput& in) {
    ScanGeometry g = {};
    const bool bilevel = in.Kind == KIND_LINEART || in.Kind == KIND_HALFTONE;
    g.OutLines = in.DriverResample ? in.Target * in.ScannedLines / 300 : in.ScannedLines;
    g.LineBytes = RaiseLineBytes(in, in.DriverResample ? ResampledBytes(in, in.Target) : in.ScannedBytes);

    if (!in.DoubleRes) {
        g.OutRowBytes = in.DriverResample ? RaiseLineBytes(in, ResampledBytes(in, in.Resolution)) : g.LineBytes;
    } else if (Extended(in)) {
        g.OutRowBytes = in.DpiScale * in.ScannedBytes * (bilevel ? 2 : 4);
    } else {
        g.OutRowBytes = 2 * g.LineBytes;
    }

    g.OutPixels = bilevel ? 8 * g.LineBytes : (in.Kind == KIND_GRAY ? g.LineBytes : g.LineBytes / 3);
    g.DibStride = (g.LineBytes + 3) & ~3u;
    g.ReportedDpi = Extended(in) ? in.DpiScale * 1200 : in.Resolution;
    uint32_t factor = Extended(in) ? 2 * in.DpiScale : (in.DoubleRes ? 2 : 1);
    g.DeliveredLines = g.OutLines * factor;

    if (in.DriverResample) {
        g.ImageWidth = (int32_t)(in.Kind == KIND_COLOR ? g.OutRowBytes / 3 : g.OutRowBytes);
        uint32_t length = in.Resolution * in.ScannedLines / 300;
        if (Extended(in))
            length = in.DpiScale * in.ScannedLines * 4;
        else if (in.DoubleRes)
            length &= ~1u;
        g.ImageLength = (int32_t)length;
    } else {
        g.ImageWidth = (int32_t)(g.OutPixels * factor);
        g.ImageLength = (int32_t)(g.OutLines * factor);
    }
    return g;
}
