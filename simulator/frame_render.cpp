#include "simulator/frame_render.h"

#include "simulator/bed_picture.h"
#include "simulator/pixel_packing.h"

uint8_t GreyOf(const uint8_t rgb[3]) { return (uint8_t)((77 * rgb[0] + 150 * rgb[1] + 29 * rgb[2] + 128) >> 8); }

namespace {

// The bed's average colour over pixel `i` of a line, rounded.
void AreaColour(const RgbImage* picture, const ScanGeometry& g, int i, int top, int bottom, uint8_t rgb[3]) {
    const int left = g.columns[i], right = g.columnEnds[i];
    if (right - left == 1 && bottom - top == 1) {
        BedPixel(picture, left, top, rgb);
        return;
    }
    uint32_t sum[3] = {0, 0, 0};
    uint8_t point[3];
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) {
            BedPixel(picture, x, y, point);
            sum[0] += point[0];
            sum[1] += point[1];
            sum[2] += point[2];
        }
    const uint32_t n = (uint32_t)((right - left) * (bottom - top));
    for (int c = 0; c < 3; ++c) rgb[c] = (uint8_t)((sum[c] + n / 2) / n);
}

}  // namespace

void RenderScanLine(const RgbImage* picture, const ScanGeometry& geometry, const ToneTables& tones, int line,
                    uint8_t* out) {
    const int top = geometry.rows[line], bottom = geometry.rowEnds[line];
    const int pixels = geometry.pixelsSent;
    uint8_t rgb[3];
    if (geometry.type == IMAGE_COLOR) {
        for (int i = 0; i < pixels; ++i, out += 3) {
            AreaColour(picture, geometry, i, top, bottom, rgb);
            out[0] = tones.table[1][rgb[0]];
            out[1] = tones.table[2][rgb[1]];
            out[2] = tones.table[3][rgb[2]];
        }
        return;
    }
    std::vector<uint8_t> grey(geometry.type == IMAGE_GRAY ? 0 : pixels);
    uint8_t* samples = geometry.type == IMAGE_GRAY ? out : grey.data();
    for (int i = 0; i < pixels; ++i) {
        AreaColour(picture, geometry, i, top, bottom, rgb);
        samples[i] = tones.table[0][GreyOf(rgb)];
    }
    if (geometry.type == IMAGE_LINEART) PackLineArt(samples, pixels, tones.threshold, out);
    else if (geometry.type == IMAGE_HALFTONE) PackHalftone(samples, pixels, line, out);
}

std::vector<uint8_t> RenderFrame(const RgbImage* picture, const ScanFrame& frame, int dpi, int type,
                                 const ToneTables* tones) {
    ScanGeometry geometry;
    if (!ComputeScanGeometry(frame, dpi, type, &geometry)) return std::vector<uint8_t>();
    ToneTables identity;
    if (!tones) {
        ResetToneTables(&identity);
        tones = &identity;
    }
    std::vector<uint8_t> image((size_t)geometry.lines * (size_t)geometry.bytesPerLine);
    for (int line = 0; line < geometry.lines; ++line)
        RenderScanLine(picture, geometry, *tones, line, &image[(size_t)line * (size_t)geometry.bytesPerLine]);
    return image;
}
