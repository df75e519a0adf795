#include <stdint.h>
#include <string.h>

#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "pipeline/native_filters.h"

namespace {

// A packed DIB's pixel rows with their pad bytes.
struct Image {
    uint32_t width, height, bpp;
    std::vector<uint8_t> bytes;
    Image(uint32_t w, uint32_t h, uint32_t bitsPerPixel, uint8_t fill = 0)
        : width(w), height(h), bpp(bitsPerPixel), bytes(DibRowStride(w, bitsPerPixel) * h, fill) {}
    size_t stride() const { return DibRowStride(width, bpp); }
    uint8_t* row(uint32_t y) { return bytes.data() + y * stride(); }
    uint8_t& at(uint32_t x, uint32_t y, uint32_t channel = 0) { return row(y)[x * (bpp / 8) + channel]; }
    DibPixels pixels() { return DibPixels{bytes.data(), width, height, bpp}; }
    // The pixel bytes of one row, without the pad.
    std::vector<int> values(uint32_t y) {
        const size_t n = (size_t)width * (bpp / 8);
        return std::vector<int>(row(y), row(y) + n);
    }
};

Image Gray(const std::vector<std::vector<int>>& rows) {
    Image image((uint32_t)rows[0].size(), (uint32_t)rows.size(), 8);
    for (uint32_t y = 0; y < image.height; ++y)
        for (uint32_t x = 0; x < image.width; ++x) image.at(x, y) = (uint8_t)rows[y][x];
    return image;
}

Image Random(uint32_t w, uint32_t h, uint32_t bpp, uint32_t seed) {
    Image image(w, h, bpp);
    std::mt19937 gen(seed);
    for (auto& b : image.bytes) b = (uint8_t)gen();
    return image;
}

// The filters as their rules state them, one sample at a time, for
// comparison with the row-at-a-time kernels.
void ReferenceBlur(Image& im) {
    const int d = (int)im.bpp / 8, w = (int)im.width, h = (int)im.height;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            for (int c = 0; c < d; ++c) {
                const int centre = im.at(x, y, c);
                int sum = 0;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx) {
                        const int nx = x + dx, ny = y + dy;
                        sum += (nx < 0 || ny < 0 || nx >= w || ny >= h) ? centre : im.at(nx, ny, c);
                    }
                im.at(x, y, c) = (uint8_t)(sum / 9);
            }
}

void ReferenceSharpen(Image& im) {
    Image original = im;
    const int d = (int)im.bpp / 8, w = (int)im.width, h = (int)im.height;
    for (int y = 1; y + 1 < h; ++y)
        for (int x = 1; x + 1 < w; ++x)
            for (int c = 0; c < d; ++c) {
                int v = 5 * original.at(x, y, c) - original.at(x - 1, y - 1, c) - original.at(x + 1, y - 1, c) -
                        original.at(x - 1, y + 1, c) - original.at(x + 1, y + 1, c);
                im.at(x, y, c) = (uint8_t)(v < 0 ? 0 : v > 255 ? 255 : v);
            }
}

void ReferenceEmboss(Image& im) {
    const int d = (int)im.bpp / 8, w = (int)im.width, h = (int)im.height;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            for (int c = 0; c < d; ++c) {
                const int p = im.at(x, y, c);
                const int q = (x + 2 < w && y + 2 < h) ? im.at(x + 2, y + 2, c) : p;
                const int v = p - q + 128;
                im.at(x, y, c) = (uint8_t)(v < 0 ? 0 : v > 255 ? 255 : v);
            }
}

TEST(ImageNativeFilters, BlurOfTheFourByFourExampleShowsTheInPlaceOrder) {
    Image image = Gray({{10, 10, 10, 10}, {10, 100, 10, 10}, {10, 10, 10, 10}, {10, 10, 10, 10}});
    EXPECT_EQ(BlurImage(image.pixels(), nullptr, nullptr), FILTER_DONE);
    EXPECT_EQ(image.values(0), (std::vector<int>{20, 21, 21, 11}));
    EXPECT_EQ(image.values(1), (std::vector<int>{22, 24, 14, 11}));
}

TEST(ImageNativeFilters, SharpenOfOneBrightPixel) {
    Image image(5, 5, 8, 10);
    image.at(2, 2) = 100;
    EXPECT_EQ(SharpenImage(image.pixels(), nullptr, nullptr), FILTER_DONE);
    const std::vector<std::vector<int>> expected = {
        {10, 10, 10, 10, 10}, {10, 0, 10, 0, 10}, {10, 10, 255, 10, 10}, {10, 0, 10, 0, 10}, {10, 10, 10, 10, 10}};
    for (uint32_t y = 0; y < 5; ++y) EXPECT_EQ(image.values(y), expected[y]) << "row " << y;
}

TEST(ImageNativeFilters, EmbossGives128AtTheEndsAndClampsInside) {
    Image image = Gray({{200, 10, 7, 9}, {0, 50, 8, 6}, {3, 4, 250, 60}, {5, 6, 30, 255}});
    EXPECT_EQ(EmbossImage(image.pixels(), nullptr, nullptr), FILTER_DONE);
    // 200 - 250 + 128, 10 - 60 + 128, 0 - 30 + 128, 50 - 255 + 128 (clamped).
    EXPECT_EQ(image.values(0), (std::vector<int>{78, 78, 128, 128}));
    EXPECT_EQ(image.values(1), (std::vector<int>{98, 0, 128, 128}));
    EXPECT_EQ(image.values(2), (std::vector<int>{128, 128, 128, 128}));
    EXPECT_EQ(image.values(3), (std::vector<int>{128, 128, 128, 128}));
    Image bright = Gray({{255, 0, 0}, {0, 0, 0}, {0, 0, 0}});
    EmbossImage(bright.pixels(), nullptr, nullptr);
    EXPECT_EQ(bright.at(0, 0), 255);  // 255 - 0 + 128 clamped
}

TEST(ImageNativeFilters, FlipMirrorsPixelsOfEachDepth) {
    Image colour(2, 1, 24);
    const uint8_t pixels[6] = {1, 2, 3, 4, 5, 6};
    memcpy(colour.row(0), pixels, 6);
    EXPECT_EQ(FlipImage(colour.pixels(), nullptr, nullptr), FILTER_DONE);
    EXPECT_EQ(colour.values(0), (std::vector<int>{4, 5, 6, 1, 2, 3}));

    Image wide(5, 1, 24);
    for (int i = 0; i < 15; ++i) wide.row(0)[i] = (uint8_t)i;
    wide.row(0)[15] = 0xEE;  // pad byte
    FlipImage(wide.pixels(), nullptr, nullptr);
    EXPECT_EQ(wide.values(0), (std::vector<int>{12, 13, 14, 9, 10, 11, 6, 7, 8, 3, 4, 5, 0, 1, 2}));
    EXPECT_EQ(wide.row(0)[15], 0xEE);

    Image gray = Gray({{1, 2, 3, 4, 5}, {6, 7, 8, 9, 10}});
    FlipImage(gray.pixels(), nullptr, nullptr);
    EXPECT_EQ(gray.values(0), (std::vector<int>{5, 4, 3, 2, 1}));
    EXPECT_EQ(gray.values(1), (std::vector<int>{10, 9, 8, 7, 6}));

    // 1 bit: the whole stored row (32 bits here) is reversed.
    Image bits(32, 2, 1);
    const uint8_t row0[4] = {0x80, 0x01, 0xF0, 0x35};
    memcpy(bits.row(0), row0, 4);
    memcpy(bits.row(1), row0, 4);
    FlipImage(bits.pixels(), nullptr, nullptr);
    EXPECT_EQ(std::vector<int>(bits.row(0), bits.row(0) + 4), (std::vector<int>{0xAC, 0x0F, 0x80, 0x01}));
    EXPECT_EQ(std::vector<int>(bits.row(1), bits.row(1) + 4), (std::vector<int>{0xAC, 0x0F, 0x80, 0x01}));
}

TEST(ImageNativeFilters, InvertComplementsPadBytesAndTwiceRestores) {
    for (uint32_t bpp : {1u, 8u, 24u}) {
        Image image = Random(7, 3, bpp, bpp);
        const std::vector<uint8_t> original = image.bytes;
        EXPECT_EQ(InvertImage(image.pixels(), nullptr, nullptr), FILTER_DONE);
        for (size_t i = 0; i < original.size(); ++i) ASSERT_EQ(image.bytes[i], (uint8_t)~original[i]) << bpp;
        InvertImage(image.pixels(), nullptr, nullptr);
        EXPECT_EQ(image.bytes, original) << bpp;
    }
}

TEST(ImageNativeFilters, UniformImagesUnderBlurSharpenAndEmboss) {
    typedef FilterOutcome (*Filter)(const DibPixels&, FilterProgress, void*);
    const Filter unchanged[] = {BlurImage, BlurMoreImage, SharpenImage, SharpenMoreImage, RemoveMoireImage};
    for (uint32_t bpp : {8u, 24u})
        for (uint8_t level : {0, 77, 255}) {
            for (Filter filter : unchanged) {
                Image image(9, 6, bpp, level);
                const std::vector<uint8_t> before = image.bytes;
                EXPECT_EQ(filter(image.pixels(), nullptr, nullptr), FILTER_DONE);
                EXPECT_EQ(image.bytes, before) << bpp << " " << (int)level;
            }
            Image image(9, 6, bpp, level);
            EmbossImage(image.pixels(), nullptr, nullptr);
            for (uint32_t y = 0; y < image.height; ++y)
                EXPECT_EQ(image.values(y), std::vector<int>(9 * bpp / 8, 128)) << bpp << " " << (int)level;
            EXPECT_EQ(image.row(0)[9 * bpp / 8], level);  // a pad byte
        }
}

TEST(ImageNativeFilters, OneBitImagesAreLeftAlone) {
    for (uint16_t mode : {FILTER_BLUR, FILTER_BLUR_MORE, FILTER_SHARPEN, FILTER_SHARPEN_MORE, FILTER_EMBOSS}) {
        Image image = Random(40, 5, 1, mode);
        const std::vector<uint8_t> before = image.bytes;
        EXPECT_EQ(ApplyNativeFilter(mode, image.pixels(), nullptr, nullptr), FILTER_DONE);
        EXPECT_EQ(image.bytes, before) << mode;
    }
}

// Sizes around the borders and wider than the blur's row chunk, both depths.
TEST(ImageNativeFilters, KernelsMatchTheSampleRules) {
    struct Size {
        uint32_t w, h;
    };
    const Size sizes[] = {{1, 1}, {1, 5}, {5, 1}, {2, 2}, {3, 3}, {4, 7}, {1100, 4}, {700, 3}};
    uint32_t seed = 1;
    for (uint32_t bpp : {8u, 24u})
        for (const Size& s : sizes) {
            Image source = Random(s.w, s.h, bpp, seed++);
            struct Pair {
                FilterOutcome (*kernel)(const DibPixels&, FilterProgress, void*);
                void (*reference)(Image&);
                int times;
            };
            const Pair pairs[] = {{BlurImage, ReferenceBlur, 1},         {BlurMoreImage, ReferenceBlur, 2},
                                  {SharpenImage, ReferenceSharpen, 1},   {SharpenMoreImage, ReferenceSharpen, 2},
                                  {EmbossImage, ReferenceEmboss, 1},     {RemoveMoireImage, ReferenceBlur, 1}};
            for (const Pair& pair : pairs) {
                Image actual = source, expected = source;
                EXPECT_EQ(pair.kernel(actual.pixels(), nullptr, nullptr), FILTER_DONE);
                for (int t = 0; t < pair.times; ++t) pair.reference(expected);
                EXPECT_EQ(actual.bytes, expected.bytes) << bpp << " bits, " << s.w << " x " << s.h;
            }
        }
}

struct ProgressLog {
    std::vector<uint32_t> done;
    uint32_t total = 0;
    size_t stopAfter = SIZE_MAX;
    static bool Record(void* context, uint32_t done, uint32_t total) {
        ProgressLog* log = static_cast<ProgressLog*>(context);
        log->done.push_back(done);
        log->total = total;
        return log->done.size() < log->stopAfter;
    }
};

TEST(ImageNativeFilters, ProgressAfterEveryRowAndBothPasses) {
    ProgressLog single;
    Image image = Random(6, 4, 8, 3);
    BlurImage(image.pixels(), ProgressLog::Record, &single);
    EXPECT_EQ(single.done, (std::vector<uint32_t>{1, 2, 3, 4}));
    EXPECT_EQ(single.total, 4u);

    ProgressLog twice;
    SharpenMoreImage(image.pixels(), ProgressLog::Record, &twice);
    EXPECT_EQ(twice.done, (std::vector<uint32_t>{0, 1, 1, 2, 2, 3, 3, 4}));
    EXPECT_EQ(twice.total, 4u);
}

TEST(ImageNativeFilters, StoppingLeavesTheImageAsProcessedSoFar) {
    for (uint16_t mode : {FILTER_INVERT, FILTER_FLIP, FILTER_BLUR, FILTER_SHARPEN, FILTER_EMBOSS}) {
        Image source = Random(8, 6, 24, 100 + mode);
        Image stopped = source, full = source;
        ProgressLog log;
        log.stopAfter = 3;
        EXPECT_EQ(ApplyNativeFilter(mode, stopped.pixels(), ProgressLog::Record, &log), FILTER_STOPPED) << mode;
        EXPECT_EQ(log.done.size(), 3u);
        ApplyNativeFilter(mode, full.pixels(), nullptr, nullptr);
        // Rows 0..2 are finished (the blur's row 2 saw the unchanged row 3,
        // as in the full run); rows 3.. are untouched.
        for (uint32_t y = 0; y < 6; ++y) {
            Image& want = y < 3 ? full : source;
            EXPECT_EQ(stopped.values(y), want.values(y)) << mode << " row " << y;
        }
    }
}

}  // namespace
