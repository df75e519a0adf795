// simulator_page_dump OUT.BMP [DPI [TYPE]]: writes the whole bed as the
// simulated scanner sees it (the generated test page), at DPI (default 75)
// as Color (TYPE 3, default) or Gray (TYPE 2), as a 24-bit BMP file.
#include <stdio.h>
#include <stdlib.h>

#include <vector>

#include "simulator/bmp_codec.h"
#include "simulator/frame_render.h"
#include "simulator/scan_geometry.h"
#include "simulator/test_page.h"

int main(int argc, char** argv) {
    if (argc < 2 || argc > 4) {
        fprintf(stderr, "usage: %s OUT.BMP [DPI [TYPE]]\n", argv[0]);
        return 2;
    }
    int dpi = argc > 2 ? atoi(argv[2]) : 75;
    int type = argc > 3 ? atoi(argv[3]) : IMAGE_COLOR;
    if (type != IMAGE_GRAY && type != IMAGE_COLOR) {
        fprintf(stderr, "TYPE must be 2 (Gray) or 3 (Color)\n");
        return 2;
    }
    ScanFrame bed = {0, 0, BED_WIDTH, BED_LENGTH};
    ScanGeometry geometry;
    if (!ComputeScanGeometry(bed, dpi, type, &geometry)) {
        fprintf(stderr, "DPI must be 1 to 600\n");
        return 2;
    }
    std::vector<uint8_t> image = RenderFrame(nullptr, bed, dpi, type);
    std::vector<uint8_t> rgb;
    if (type == IMAGE_COLOR) {
        rgb.swap(image);
    } else {
        rgb.resize(image.size() * 3);
        for (size_t i = 0; i < image.size(); ++i) rgb[3 * i] = rgb[3 * i + 1] = rgb[3 * i + 2] = image[i];
    }
    std::vector<uint8_t> file = EncodeBmp24(rgb.data(), geometry.pixelsSent, geometry.lines, dpi);
    FILE* out = fopen(argv[1], "wb");
    if (!out || fwrite(file.data(), 1, file.size(), out) != file.size() || fclose(out) != 0) {
        fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    printf("%s: %d x %d pixels at %d dpi\n", argv[1], geometry.pixelsSent, geometry.lines, dpi);
    return 0;
}
