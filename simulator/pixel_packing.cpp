#include "simulator/pixel_packing.h"

namespace {

const uint8_t Bayer8[8][8] = {
    {0, 32, 8, 40, 2, 34, 10, 42},  {48, 16, 56, 24, 50, 18, 58, 26},
    {12, 44, 4, 36, 14, 46, 6, 38}, {60, 28, 52, 20, 62, 30, 54, 22},
    {3, 35, 11, 43, 1, 33, 9, 41},  {51, 19, 59, 27, 49, 17, 57, 25},
    {15, 47, 7, 39, 13, 45, 5, 37}, {63, 31, 55, 23, 61, 29, 53, 21},
};

}  // namespace

void PackLineArt(const uint8_t* grey, int pixels, uint8_t threshold, uint8_t* out) {
    for (int i = 0; i < pixels / 8; ++i) {
        uint8_t byte = 0;
        for (int b = 0; b < 8; ++b)
            if (grey[i * 8 + b] >= threshold) byte |= (uint8_t)(0x80 >> b);
        out[i] = byte;
    }
}

uint8_t DitherThreshold(int column, int line) { return (uint8_t)(Bayer8[line & 7][column & 7] * 4 + 2); }

void PackHalftone(const uint8_t* grey, int pixels, int line, uint8_t* out) {
    for (int i = 0; i < pixels / 8; ++i) {
        uint8_t byte = 0;
        for (int b = 0; b < 8; ++b)
            if (grey[i * 8 + b] >= DitherThreshold(i * 8 + b, line)) byte |= (uint8_t)(0x80 >> b);
        out[i] = byte;
    }
}
