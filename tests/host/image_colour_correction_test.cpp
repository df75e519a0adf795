#include <stdint.h>

#include <vector>

#include <gtest/gtest.h>

#include "pipeline/colour_correction.h"

namespace {

struct Luts {
    uint8_t red[256], green[256], blue[256];
};

Luts IdentityLuts() {
    Luts l;
    for (int i = 0; i < 256; ++i) l.red[i] = l.green[i] = l.blue[i] = (uint8_t)i;
    return l;
}

std::vector<uint8_t> Correct(const ColourCorrector& corrector, std::vector<uint8_t> pixels) {
    CorrectColourLine(corrector, pixels.data(), pixels.data(), (uint32_t)pixels.size() / 3);
    return pixels;
}

TEST(ImageColourCorrection, TablesTruncateTowardZero) {
    BuildColourCorrection();
    struct Entry {
        int k, i, value;
    };
    const Entry entries[] = {
        {1, 255, 364},  {1, 1, 1},     {1, 7, 10},     // 255 x 14307 / 10000 = 364.8
        {2, 1, 0},      {2, 4, -1},    {2, 255, -67},  // -1.066 and -67.96 truncate up
        {3, 255, -41},  {4, 255, -17}, {5, 255, 305}, {6, 255, -26},
        {7, 255, -16},  {8, 255, -35}, {9, 255, 314}, {9, 0, 0},
    };
    for (const Entry& e : entries) EXPECT_EQ(ColourCorrectionTable(e.k)[e.i], e.value) << "T" << e.k << "[" << e.i << "]";
    EXPECT_EQ(ColourCorrectionTable(0), nullptr);
    EXPECT_EQ(ColourCorrectionTable(10), nullptr);
}

TEST(ImageColourCorrection, WhiteClampsBeforeTheToneTables) {
    Luts identity = IdentityLuts();
    ColourCorrector corrector;
    PrepareColourCorrector(&corrector, identity.red, identity.green, identity.blue);
    // R' = 364 - 67 - 41 = 256, G' = -17 + 305 - 26 = 262, B' = -16 - 35 + 314 = 263.
    EXPECT_EQ(Correct(corrector, {255, 255, 255, 0, 0, 0}), (std::vector<uint8_t>{255, 255, 255, 0, 0, 0}));
    // Pure red: R' = 364, G' = -17 and B' = -16 clamp to 255, 0, 0; mid grey
    // 128: R' = 183 - 34 - 20 = 129, G' = -8 + 153 - 13 = 132, B' = -8 - 17 + 158 = 133.
    EXPECT_EQ(Correct(corrector, {255, 0, 0, 128, 128, 128}), (std::vector<uint8_t>{255, 0, 0, 129, 132, 133}));

    // The tone tables see the clamped values: white lands on entry 255 of each.
    Luts tones = IdentityLuts();
    tones.red[255] = 1, tones.green[255] = 2, tones.blue[255] = 3;
    tones.red[0] = 9;
    PrepareColourCorrector(&corrector, tones.red, tones.green, tones.blue);
    EXPECT_EQ(Correct(corrector, {255, 255, 255, 0, 255, 255}), (std::vector<uint8_t>{1, 2, 3, 9, 2, 3}));
}

// Every pixel value against the rule, with tone tables that tell the
// channels apart.
TEST(ImageColourCorrection, EveryPixelFollowsTheMatrixAndTheToneTables) {
    Luts tones;
    for (int i = 0; i < 256; ++i) {
        tones.red[i] = (uint8_t)(255 - i);
        tones.green[i] = (uint8_t)(i / 2);
        tones.blue[i] = (uint8_t)(i * 7);
    }
    ColourCorrector corrector;
    PrepareColourCorrector(&corrector, tones.red, tones.green, tones.blue);
    const int16_t* t[10];
    for (int k = 1; k <= 9; ++k) t[k] = ColourCorrectionTable(k);
    auto clamp = [](int v) { return v < 0 ? 0 : v > 255 ? 255 : v; };
    std::vector<uint8_t> in(3 * 65536), out(in.size());
    for (int r = 0; r < 256; ++r) {
        for (int g = 0; g < 256; ++g)
            for (int b = 0; b < 256; ++b) {
                uint8_t* p = &in[3 * (g * 256 + b)];
                p[0] = (uint8_t)r, p[1] = (uint8_t)g, p[2] = (uint8_t)b;
            }
        CorrectColourLine(corrector, in.data(), out.data(), 65536);
        for (int g = 0; g < 256; ++g)
            for (int b = 0; b < 256; ++b) {
                const uint8_t* q = &out[3 * (g * 256 + b)];
                const int rr = tones.red[clamp(t[1][r] + t[2][g] + t[3][b])];
                const int gg = tones.green[clamp(t[4][r] + t[5][g] + t[6][b])];
                const int bb = tones.blue[clamp(t[7][r] + t[8][g] + t[9][b])];
                if (q[0] != rr || q[1] != gg || q[2] != bb)
                    FAIL() << "pixel " << r << " " << g << " " << b << " gave " << (int)q[0] << " " << (int)q[1] << " "
                           << (int)q[2] << ", expected " << rr << " " << gg << " " << bb;
            }
    }
    // In place gives the same as into another buffer.
    std::vector<uint8_t> inPlace = in;
    CorrectColourLine(corrector, inPlace.data(), inPlace.data(), 65536);
    CorrectColourLine(corrector, in.data(), out.data(), 65536);
    EXPECT_EQ(inPlace, out);
}

}  // namespace
