#include "simulator/bed_picture.h"

#include "simulator/test_page.h"

void BedPixel(const RgbImage* picture, int x, int y, uint8_t rgb[3]) {
    if (!picture || picture->width <= 0) {
        TestPagePixel(x, y, rgb);
        return;
    }
    int64_t px = (int64_t)x * picture->width / BED_WIDTH;
    int64_t py = (int64_t)y * picture->width / BED_WIDTH;
    if (x < 0 || y < 0 || px >= picture->width || py >= picture->height) {
        rgb[0] = rgb[1] = rgb[2] = 255;
        return;
    }
    const uint8_t* p = &picture->rgb[(size_t)(py * picture->width + px) * 3];
    rgb[0] = p[0];
    rgb[1] = p[1];
    rgb[2] = p[2];
}
