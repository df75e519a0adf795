// 24-bit uncompressed BMP files in memory: reading a picture to lay on the
// bed, writing a rendered page.
#ifndef PLNX_SIMULATOR_BMP_CODEC_H
#define PLNX_SIMULATOR_BMP_CODEC_H

#include <stddef.h>
#include <stdint.h>

#include <vector>

// A picture as red-green-blue bytes, top row first, no padding.
struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;
};

// Reads a BMP with a BITMAPINFOHEADER (or a later header), 24 bits per
// pixel, no compression, bottom-up or top-down. False (image untouched) for
// anything else or a file shorter than its header says.
bool DecodeBmp24(const uint8_t* data, size_t size, RgbImage* image);

// A bottom-up 24-bit BMP file of `rgb` (top row first), 600 dpi in its header
// scaled by `dpi`.
std::vector<uint8_t> EncodeBmp24(const uint8_t* rgb, int width, int height, int dpi);

#endif
