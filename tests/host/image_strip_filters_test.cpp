#include <stdint.h>

#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "pipeline/native_filters.h"
#include "pipeline/strip_filters.h"

namespace {

typedef std::vector<uint8_t> Bytes;
typedef void (*RowFilter)(uint8_t*, uint32_t, uint32_t);

Bytes Filtered(RowFilter filter, Bytes row, uint32_t step = 1) {
    filter(row.data(), (uint32_t)row.size(), step);
    return row;
}

TEST(ImageStripFilters, RowFiltersRunLeftToRightInPlace) {
    struct Case {
        const char* name;
        RowFilter filter;
        Bytes row, expected;
    };
    const Case cases[] = {
        // (c + r) >> 1, (45 + 60 + 90) / 3, (65 + 90 + 120) / 3, (91 + 120) >> 1
        {"blur", StripBlurRow, {30, 60, 90, 120}, {45, 65, 91, 105}},
        // each rule twice on the sample: 45 then 52; 67 then 69; 93 then 94; 107 then 100
        {"blur more", StripBlurMoreRow, {30, 60, 90, 120}, {52, 69, 94, 100}},
        // 90 is taken (|90 - 100| <= 25); next 3 x 110 - 90 - 100 = 140 is 30 away: kept 110
        {"sharpen uses the new left neighbour", StripSharpenRow, {100, 100, 110, 100, 100}, {100, 90, 110, 90, 100}},
        // 260 clamps to 255 (5 away); then 720 - 255 - 250 = 215 is 25 away: taken
        {"sharpen clamps", StripSharpenRow, {250, 250, 240, 250}, {250, 255, 215, 250}},
        {"sharpen once", StripSharpenRow, {100, 100, 104}, {100, 96, 104}},
        // 96 (4 away), then 3 x 96 - 100 - 104 = 84 (12 away)
        {"sharpen more twice", StripSharpenMoreRow, {100, 100, 104}, {100, 84, 104}},
        {"sharpen more limit 15", StripSharpenMoreRow, {100, 100, 120}, {100, 100, 120}},
        {"single sample kept", StripBlurRow, {77}, {77}},
    };
    for (const Case& c : cases) EXPECT_EQ(Filtered(c.filter, c.row), c.expected) << c.name;
}

// The blur rule one sample at a time, `times` times per sample.
void ReferenceBlur(Bytes& row, uint32_t step, int times) {
    const size_t n = row.size();
    for (size_t i = 0; i < n; ++i) {
        const bool hasLeft = i >= step, hasRight = i + step < n;
        for (int t = 0; t < times; ++t) {
            if (hasLeft && hasRight)
                row[i] = (uint8_t)((row[i - step] + row[i] + row[i + step]) / 3);
            else if (hasRight)
                row[i] = (uint8_t)((row[i] + row[i + step]) >> 1);
            else if (hasLeft)
                row[i] = (uint8_t)((row[i - step] + row[i]) >> 1);
        }
    }
}

void ReferenceSharpen(Bytes& row, uint32_t step, int limit, int times) {
    for (size_t i = step; i + step < row.size(); ++i)
        for (int t = 0; t < times; ++t) {
            int v = 3 * row[i] - row[i - step] - row[i + step];
            v = v < 0 ? 0 : v > 255 ? 255 : v;
            if (v - row[i] <= limit && row[i] - v <= limit) row[i] = (uint8_t)v;
        }
}

TEST(ImageStripFilters, LongRowsFollowTheRulesSampleBySample) {
    uint32_t seed = 1;
    for (uint32_t step : {1u, 3u})
        for (size_t length : {2, 3, 5, 12, 13, 14, 17, 25, 26, 27, 40, 5100 * 3})
            for (int times : {1, 2}) {
                const Bytes row = [&] {
                    std::mt19937 gen(seed++);
                    Bytes r(length);
                    for (auto& b : r) b = (uint8_t)gen();
                    return r;
                }();
                Bytes expected = row;
                ReferenceBlur(expected, step, times);
                Bytes actual = Filtered(times == 1 ? StripBlurRow : StripBlurMoreRow, row, step);
                EXPECT_EQ(actual, expected) << "blur, step " << step << " length " << length << " times " << times;
                // Smooth rows, so that both outcomes of the limit occur.
                Bytes smooth = row;
                for (size_t i = 0; i < length; ++i) smooth[i] = (uint8_t)(100 + (row[i] & 31) + (i % 7) * 4);
                expected = smooth;
                ReferenceSharpen(expected, step, times == 1 ? 25 : 15, times);
                actual = Filtered(times == 1 ? StripSharpenRow : StripSharpenMoreRow, smooth, step);
                EXPECT_EQ(actual, expected) << "sharpen, step " << step << " length " << length << " times " << times;
            }
}

TEST(ImageStripFilters, ColourRowsAreFilteredPerChannel) {
    std::mt19937 gen(7);
    const RowFilter filters[] = {StripBlurRow, StripBlurMoreRow, StripSharpenRow, StripSharpenMoreRow};
    for (RowFilter filter : filters) {
        Bytes colour(3 * 9);
        for (auto& b : colour) b = (uint8_t)gen();
        Bytes actual = Filtered(filter, colour, 3);
        for (int c = 0; c < 3; ++c) {
            Bytes channel;
            for (int x = 0; x < 9; ++x) channel.push_back(colour[3 * x + c]);
            Bytes expected = Filtered(filter, channel);
            for (int x = 0; x < 9; ++x) EXPECT_EQ(actual[3 * x + c], expected[x]) << "channel " << c;
        }
    }
}

TEST(ImageStripFilters, FlipAndInvert) {
    Bytes bits = {0x80, 0x01, 0x0F};
    StripFlipRow(bits.data(), 3, KIND_LINEART);
    EXPECT_EQ(bits, (Bytes{0xF0, 0x80, 0x01}));
    Bytes halftone = {0x01, 0x02};
    StripFlipRow(halftone.data(), 2, KIND_HALFTONE);
    EXPECT_EQ(halftone, (Bytes{0x40, 0x80}));
    Bytes gray = {1, 2, 3, 4, 5};
    StripFlipRow(gray.data(), 5, KIND_GRAY);
    EXPECT_EQ(gray, (Bytes{5, 4, 3, 2, 1}));
    Bytes colour = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    StripFlipRow(colour.data(), 9, KIND_COLOR);
    EXPECT_EQ(colour, (Bytes{7, 8, 9, 4, 5, 6, 1, 2, 3}));
    Bytes row = {0x00, 0xFF, 0x5A};
    StripInvertRow(row.data(), 3);
    EXPECT_EQ(row, (Bytes{0xFF, 0x00, 0xA5}));
}

TEST(ImageStripFilters, EmbossUsesTheRowBelowOrTheRightNeighbour) {
    Bytes strip = {10, 200, 50, /**/ 20, 20, 20, /**/ 0, 255, 100};
    StripEmboss(strip.data(), 3, 3, 1);
    // 10 - 20 + 128, 308 and 158; 148, -107 and 48; the last row copies the one above.
    EXPECT_EQ(strip, (Bytes{118, 255, 158, 148, 0, 48, 148, 0, 48}));

    Bytes single = {10, 200, 50};
    StripEmboss(single.data(), 1, 3, 1);
    EXPECT_EQ(single, (Bytes{0, 255, 128}));
    Bytes colour = {10, 20, 30, 5, 25, 0};
    StripEmboss(colour.data(), 1, 6, 3);
    EXPECT_EQ(colour, (Bytes{133, 123, 158, 128, 128, 128}));
}

TEST(ImageStripFilters, MoireRemovalRunsOverTheStripBeforeTheFilter) {
    std::mt19937 gen(11);
    const uint32_t lineBytes = 12, rows = 4;
    Bytes source(lineBytes * rows);
    for (auto& b : source) b = (uint8_t)gen();
    for (ImageKind kind : {KIND_LINEART, KIND_GRAY, KIND_COLOR}) {
        const uint32_t step = kind == KIND_COLOR ? 3 : 1;
        Bytes blurred = source;
        for (uint32_t y = 0; y < rows; ++y) StripBlurRow(blurred.data() + y * lineBytes, lineBytes, step);

        Bytes embossed = source;
        ApplyStripFilters(embossed.data(), rows, lineBytes, kind, FILTER_EMBOSS, true);
        Bytes expected = blurred;
        StripEmboss(expected.data(), rows, lineBytes, step);
        EXPECT_EQ(embossed, expected) << kind;

        Bytes flipped = source;
        ApplyStripFilters(flipped.data(), rows, lineBytes, kind, FILTER_FLIP, true);
        expected = blurred;
        for (uint32_t y = 0; y < rows; ++y) StripFlipRow(expected.data() + y * lineBytes, lineBytes, kind);
        EXPECT_EQ(flipped, expected) << kind;

        Bytes moireOnly = source;
        ApplyStripFilters(moireOnly.data(), rows, lineBytes, kind, FILTER_NONE, true);
        EXPECT_EQ(moireOnly, blurred) << kind;
        Bytes nothing = source;
        ApplyStripFilters(nothing.data(), rows, lineBytes, kind, FILTER_NONE, false);
        EXPECT_EQ(nothing, source) << kind;
    }
}

}  // namespace
