#include "simulator/line_stretch.h"

#include <stddef.h>

#include <vector>

int StretchedPixels(int pixels, int target) { return pixels * target / STRETCH_SOURCE_DPI; }

void StretchRawSpan(int firstOutLine, int count, int target, int lastRawLine, int* lowRaw, int* highRaw) {
    int64_t low = (int64_t)firstOutLine * STRETCH_SOURCE_DPI / target;
    int64_t high = (int64_t)(firstOutLine + count - 1) * STRETCH_SOURCE_DPI / target + 1;
    *lowRaw = (int)(low < lastRawLine ? low : lastRawLine);
    *highRaw = (int)(high < lastRawLine ? high : lastRawLine);
}

bool StretchLines(const uint8_t* raw, int rawLines, int pixels, int channels, int target, int outLines,
                  int outBytes, uint8_t* out, int firstOutLine, int firstRawLine) {
    if (rawLines <= 0 || pixels <= 0 || channels <= 0 || outLines <= 0 || target < 1 || target > 600 ||
        firstOutLine < 0)
        return false;
    const int outPixels = StretchedPixels(pixels, target);
    if (outPixels <= 0 || outBytes < outPixels * channels) return false;

    // Raw sample pairs and weights across, computed once for every line.
    std::vector<int> left(outPixels), right(outPixels);
    std::vector<uint32_t> weight(outPixels);
    for (int o = 0; o < outPixels; ++o) {
        uint64_t position = ((uint64_t)o * STRETCH_SOURCE_DPI << 16) / (uint64_t)target;
        int i = (int)(position >> 16);
        if (i >= pixels - 1) {
            left[o] = right[o] = pixels - 1;
            weight[o] = 0;
        } else {
            left[o] = i;
            right[o] = i + 1;
            weight[o] = (uint32_t)(position & 0xffff);
        }
    }
    const size_t rawBytes = (size_t)pixels * (size_t)channels;
    for (int j = 0; j < outLines; ++j) {
        int64_t position = (int64_t)(((uint64_t)(firstOutLine + j) * STRETCH_SOURCE_DPI << 16) / (uint64_t)target) -
                           ((int64_t)firstRawLine << 16);
        if (position < 0) position = 0;
        int64_t r64 = position >> 16;
        uint32_t down = (uint32_t)(position & 0xffff);
        if (r64 >= rawLines - 1) {
            r64 = rawLines - 1;
            down = 0;
        }
        int r = (int)r64;
        const uint8_t* upper = raw + (size_t)r * rawBytes;
        const uint8_t* lower = down ? upper + rawBytes : upper;
        uint8_t* line = out + (size_t)j * (size_t)outBytes;
        for (int o = 0; o < outPixels; ++o) {
            const uint32_t w = weight[o];
            for (int c = 0; c < channels; ++c) {
                uint32_t a = upper[left[o] * channels + c], b = upper[right[o] * channels + c];
                uint32_t top = (a * (65536 - w) + b * w + 32768) >> 16;
                a = lower[left[o] * channels + c];
                b = lower[right[o] * channels + c];
                uint32_t bottom = (a * (65536 - w) + b * w + 32768) >> 16;
                line[o * channels + c] = (uint8_t)((top * (65536 - down) + bottom * down + 32768) >> 16);
            }
        }
        for (int k = outPixels * channels; k < outBytes; ++k) line[k] = line[(outPixels - 1) * channels + k % channels];
    }
    return true;
}
