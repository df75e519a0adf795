#include "tests/wine/harness/expected_lines.h"

#include <string.h>

#include "simulator/frame_render.h"
#include "simulator/line_stretch.h"
#include "simulator/scan_geometry.h"
#include "simulator/tone_tables.h"

std::vector<uint8_t> ExpectedRingLines(int left, int top, int right, int bottom, int dpi, int type,
                                       const uint8_t* toneBlock, int target, uint32_t lineBytes, uint32_t* lines) {
    ToneTables tones;
    ResetToneTables(&tones);
    if (toneBlock) LoadToneTables(toneBlock, &tones);
    ScanFrame frame = {left, top, right, bottom};
    ScanGeometry geometry;
    *lines = 0;
    if (!ComputeScanGeometry(frame, dpi, type, &geometry)) return {};
    std::vector<uint8_t> raw = RenderFrame(nullptr, frame, dpi, type, &tones);
    if (target == 0) {
        std::vector<uint8_t> out((size_t)geometry.lines * lineBytes, 0);
        for (int i = 0; i < geometry.lines; ++i)
            memcpy(&out[(size_t)i * lineBytes], &raw[(size_t)i * geometry.bytesPerLine], geometry.bytesPerLine);
        *lines = (uint32_t)geometry.lines;
        return out;
    }
    int channels = type == IMAGE_COLOR ? 3 : 1;
    int outLines = target * geometry.lines / STRETCH_SOURCE_DPI;
    std::vector<uint8_t> out((size_t)outLines * lineBytes, 0);
    if (!StretchLines(raw.data(), geometry.lines, geometry.pixelsSent, channels, target, outLines, (int)lineBytes,
                      out.data()))
        return {};
    *lines = (uint32_t)outLines;
    return out;
}
