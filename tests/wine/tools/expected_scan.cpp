// expected_scan RECORD_DIR OUT.bmp
// Writes the image a scan should deliver, computed by the simulator's own
// rendering from the blocks it recorded for that scan: the frame, type and
// resolution of SPI_SET_PARAMS, the tone tables of SPI_SEND_TONE and, when
// the driver resampled, the target of SPI_STRETCH_GRAY or SPI_STRETCH_COLOR.
// The layout is the one twscan writes: a bottom-up BMP, rows as delivered.
// The driver resamples the scan as one whole, whatever batches the source
// reads it in, so the rendering resamples all lines at once.
#include <stdio.h>

#include <string>
#include <vector>

#include "simulator/frame_render.h"
#include "simulator/line_stretch.h"
#include "simulator/scan_geometry.h"
#include "simulator/tone_tables.h"
#include "tools/twscan/bmp_writer.h"

namespace {

bool ReadFile(const std::string& path, std::vector<uint8_t>& data) {
    FILE* f = fopen(path.c_str(), "rb");
    if (!f) return false;
    data.clear();
    uint8_t chunk[65536];
    size_t n;
    while ((n = fread(chunk, 1, sizeof chunk, f)) > 0) data.insert(data.end(), chunk, chunk + n);
    fclose(f);
    return true;
}

int U16(const std::vector<uint8_t>& b, size_t at) { return b[at] | (b[at + 1] << 8); }

int RoundUp(int v, int step) { return (v + step - 1) / step * step; }


}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        fprintf(stderr, "usage: expected_scan RECORD_DIR OUT.bmp\n");
        return 2;
    }
    std::string dir = argv[1];
    std::vector<uint8_t> params, toneBlock, stretch;
    if (!ReadFile(dir + "\\SPI_SET_PARAMS.bin", params) || params.size() < 20) {
        fprintf(stderr, "expected_scan: no SPI_SET_PARAMS.bin in %s\n", dir.c_str());
        return 1;
    }
    ToneTables tones;
    ResetToneTables(&tones);
    if (ReadFile(dir + "\\SPI_SEND_TONE.bin", toneBlock) && toneBlock.size() >= 16400) LoadToneTables(toneBlock.data(), &tones);

    ScanFrame frame = {U16(params, 6), U16(params, 8), U16(params, 10), U16(params, 12)};
    int type = params[16];
    int dpi = U16(params, 18);
    ScanGeometry geometry;
    if (!ComputeScanGeometry(frame, dpi, type, &geometry)) {
        fprintf(stderr, "expected_scan: the recorded frame cannot be scanned\n");
        return 1;
    }
    std::vector<uint8_t> lines = RenderFrame(nullptr, frame, dpi, type, &tones);

    struct {
        uint32_t Width = 0, Height = 0, BitsPerPixel = 0, BytesPerRow = 0;
        std::vector<uint8_t> Rows;
    } image;
    image.BitsPerPixel = type == IMAGE_COLOR ? 24 : (type == IMAGE_GRAY ? 8 : 1);
    bool resampled = ReadFile(dir + (type == IMAGE_COLOR ? "\\SPI_STRETCH_COLOR.bin" : "\\SPI_STRETCH_GRAY.bin"), stretch) &&
                     stretch.size() >= 20;
    if (resampled) {
        int target = U16(stretch, 18);
        int channels = type == IMAGE_COLOR ? 3 : 1;
        int outLines = target * geometry.lines / STRETCH_SOURCE_DPI;
        int outBytes = type == IMAGE_COLOR ? RoundUp(geometry.bytesPerLine / 3 * target / 300 * 3, 12)
                                           : RoundUp(target * geometry.bytesPerLine / 300, 4);
        image.Rows.assign((size_t)outLines * outBytes, 0);
        if (!StretchLines(lines.data(), geometry.lines, geometry.pixelsSent, channels, target, outLines, outBytes,
                          image.Rows.data())) {
            fprintf(stderr, "expected_scan: the stretch was refused\n");
            return 1;
        }
        image.Width = (uint32_t)(outBytes / channels);
        image.Height = (uint32_t)outLines;
        image.BytesPerRow = (uint32_t)outBytes;
    } else {
        image.Rows = lines;
        image.BytesPerRow = (uint32_t)geometry.bytesPerLine;
        image.Width = type == IMAGE_COLOR ? geometry.bytesPerLine / 3
                                          : (type == IMAGE_GRAY ? geometry.bytesPerLine : geometry.bytesPerLine * 8);
        image.Height = (uint32_t)geometry.lines;
    }
    std::string error;
    StripBmpWriter writer;
    if (!writer.Open(argv[2], image.Width, image.Height, image.BitsPerPixel, &error) ||
        !writer.WriteRows(0, image.Height, image.BytesPerRow, image.Rows.data(), &error) || !writer.Close(&error)) {
        fprintf(stderr, "expected_scan: %s\n", error.c_str());
        return 1;
    }
    printf("%u x %u, %u bits, %s\n", image.Width, image.Height, image.BitsPerPixel, resampled ? "resampled" : "as scanned");
    return 0;
}
