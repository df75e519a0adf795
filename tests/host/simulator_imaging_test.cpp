// The scanner simulator's portable imaging: scan geometry, packing, tone
// tables, the resampler, the ring, the test page and BMP files.
#include <stdint.h>
#include <string.h>

#include <algorithm>
#include <set>
#include <vector>

#include <gtest/gtest.h>

#include "device/block_layout.h"
#include "simulator/bed_picture.h"
#include "simulator/bmp_codec.h"
#include "simulator/frame_render.h"
#include "simulator/line_stretch.h"
#include "simulator/pixel_packing.h"
#include "simulator/ring_layout.h"
#include "simulator/scan_geometry.h"
#include "simulator/simulator_config.h"
#include "simulator/test_page.h"
#include "simulator/tone_tables.h"

namespace {

uint32_t Get32(const uint8_t* p) { return (uint32_t)(p[0] | (p[1] << 8) | (p[2] << 16) | ((uint32_t)p[3] << 24)); }

TEST(SimulatorGeometry, AnalyserCountsCeilOfStepsTimesResolutionOver600) {
    for (int dpi = 1; dpi <= 600; dpi += 7)
        for (int steps : {0, 1, 7, 599, 600, 601, 5100})
            EXPECT_EQ(DdaCount(steps, dpi), (steps * dpi + 599) / 600) << steps << " steps at " << dpi;
    EXPECT_EQ(DdaCount(600, 600), 600);
    EXPECT_EQ(DdaCount(600, 300), 300);
}

TEST(SimulatorGeometry, FrameGivesPixelsBytesAndLinesPerType) {
    struct Case {
        ScanFrame frame;
        int dpi, type;
        int counted, pixels, bytes, lines;
    };
    const Case cases[] = {
        {{0, 0, 600, 600}, 300, IMAGE_GRAY, 300, 298, 298, 300},
        {{0, 0, 600, 600}, 300, IMAGE_LINEART, 300, 296, 37, 300},
        {{0, 0, 600, 600}, 300, IMAGE_HALFTONE, 300, 296, 37, 300},
        {{0, 0, 600, 600}, 300, IMAGE_COLOR, 300, 298, 894, 300},
        {{100, 200, 700, 500}, 600, IMAGE_GRAY, 600, 598, 598, 300},
        {{0, 0, 5100, 6900}, 75, IMAGE_COLOR, 638, 636, 1908, 863},
        {{0, 0, 600, 0}, 150, IMAGE_GRAY, 150, 148, 148, 0},  // no lines, still a valid frame
        {{0, 0, 1, 1}, 600, IMAGE_LINEART, 1, 0, 0, 0},       // nothing to send
        {{0, 0, 2, 2}, 600, IMAGE_GRAY, 2, 0, 0, 0},
    };
    for (const Case& c : cases) {
        ScanGeometry g;
        bool ok = ComputeScanGeometry(c.frame, c.dpi, c.type, &g);
        ASSERT_EQ(ok, c.bytes > 0) << c.frame.right << " at " << c.dpi;
        if (!ok) continue;
        EXPECT_EQ(g.pixelsCounted, c.counted);
        EXPECT_EQ(g.pixelsSent, c.pixels);
        EXPECT_EQ(g.bytesPerLine, c.bytes);
        EXPECT_EQ(g.lines, c.lines);
        EXPECT_EQ((int)g.columns.size(), c.pixels);
        EXPECT_EQ((int)g.rows.size(), c.lines);
    }
}

TEST(SimulatorGeometry, PixelAreasTileTheFrame) {
    ScanGeometry g;
    ASSERT_TRUE(ComputeScanGeometry({100, 50, 700, 650}, 200, IMAGE_GRAY, &g));
    EXPECT_EQ(g.columns[0], 100);  // taken at 0, 3, 6 ... steps from the edge
    EXPECT_EQ(g.columns[1], 103);
    EXPECT_EQ(g.columnEnds[0], 103);
    EXPECT_EQ(g.rows[0], 50);
    EXPECT_EQ(g.rowEnds.back(), 650);  // the last line reaches the frame's edge
    for (size_t i = 0; i + 1 < g.rows.size(); ++i) EXPECT_EQ(g.rowEnds[i], g.rows[i + 1]);
}

TEST(SimulatorGeometry, RejectsWhatCannotBeScanned) {
    ScanGeometry g;
    EXPECT_FALSE(ComputeScanGeometry({0, 0, 600, 600}, 0, IMAGE_GRAY, &g));
    EXPECT_FALSE(ComputeScanGeometry({0, 0, 600, 600}, 601, IMAGE_GRAY, &g));
    EXPECT_FALSE(ComputeScanGeometry({0, 0, 600, 600}, 300, 4, &g));
    EXPECT_FALSE(ComputeScanGeometry({600, 0, 100, 600}, 300, IMAGE_GRAY, &g));
    EXPECT_FALSE(ComputeScanGeometry({0, 600, 600, 100}, 300, IMAGE_GRAY, &g));
}

TEST(SimulatorPacking, LineArtIsMostSignificantBitFirstAndWhiteIsSet) {
    const uint8_t grey[16] = {255, 0, 0, 0, 0, 0, 0, 99, 100, 101, 0, 0, 0, 0, 0, 0};
    uint8_t out[2];
    PackLineArt(grey, 16, 100, out);
    EXPECT_EQ(out[0], 0x80);  // only the first pixel, and 99 is below the threshold
    EXPECT_EQ(out[1], 0xC0);  // 100 reaches it
    PackLineArt(grey, 16, 0, out);
    EXPECT_EQ(out[0], 0xFF);
    EXPECT_EQ(out[1], 0xFF);
}

TEST(SimulatorPacking, HalftoneWhitensTheShareOfItsGreyLevel) {
    std::set<int> thresholds;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) thresholds.insert(DitherThreshold(x, y));
    EXPECT_EQ(thresholds.size(), 64u);
    EXPECT_EQ(DitherThreshold(3, 5), DitherThreshold(11, 13));  // an 8 x 8 tile

    for (int level : {0, 64, 128, 200, 255}) {
        std::vector<uint8_t> grey(64, (uint8_t)level);
        int white = 0;
        for (int line = 0; line < 8; ++line) {
            uint8_t out[8];
            PackHalftone(grey.data(), 64, line, out);
            for (int b = 0; b < 8; ++b) white += __builtin_popcount(out[b]);
        }
        // over 8 lines x 64 pixels (eight tiles) the share is level / 256
        EXPECT_NEAR(white, level * 512 / 256, 8) << level;
    }
}

std::vector<uint8_t> ToneBlockWith(const int counts[4], uint8_t (*entry)(int section, int i)) {
    std::vector<uint8_t> block(TONE_BLOCK_SIZE, 0);
    block[TONE_THRESHOLD] = 77;
    block[TONE_KIND] = 8;
    for (int k = 0; k < 4; ++k) {
        uint8_t* section = &block[TONE_SECTION_BASE + k * TONE_SECTION_STRIDE];
        section[0] = (uint8_t)counts[k];
        section[1] = (uint8_t)(counts[k] >> 8);
        for (int i = 0; i < TONE_SECTION_DATA; ++i) section[2 + i] = entry(k, i);
    }
    return block;
}

TEST(SimulatorTone, SectionsBecomeEightBitTablesByTheirCounts) {
    const int counts[4] = {256, 0, 4096, 2};
    std::vector<uint8_t> block = ToneBlockWith(counts, [](int k, int i) -> uint8_t {
        return k == 0 ? (uint8_t)(255 - i) : k == 2 ? (uint8_t)(i / 16) : (uint8_t)(10 + i);
    });
    ToneTables t;
    ResetToneTables(&t);
    ASSERT_TRUE(LoadToneTables(block.data(), &t));
    EXPECT_EQ(t.threshold, 77);
    EXPECT_EQ(t.kind, 8);
    for (int v = 0; v < 256; ++v) {
        EXPECT_EQ(t.table[0][v], 255 - v);
        EXPECT_EQ(t.table[1][v], v);                 // count 0: identity
        EXPECT_EQ(t.table[2][v], v * 4095 / 255 / 16);
        EXPECT_EQ(t.table[3][v], v < 255 ? 10 : 11);  // two entries: dark half and white
    }
}

TEST(SimulatorTone, OversizedSectionRefusesTheDownload) {
    const int counts[4] = {256, 256, 4097, 256};
    std::vector<uint8_t> block = ToneBlockWith(counts, [](int, int) -> uint8_t { return 0; });
    ToneTables t;
    ResetToneTables(&t);
    EXPECT_FALSE(LoadToneTables(block.data(), &t));
    EXPECT_EQ(t.table[0][200], 200);
    EXPECT_EQ(t.threshold, 128);
}

ScanFrame RampFrame() { return {RAMP_LEFT, RAMP_TOP + 100, RAMP_LEFT + RAMP_STEPS * RAMP_STEP_WIDTH, RAMP_TOP + 160}; }

// The centre pixel of ramp step k in a Gray or 8-bit line at `dpi` over RampFrame.
int RampStepPixel(int k, int dpi) { return (k * RAMP_STEP_WIDTH + RAMP_STEP_WIDTH / 2) * dpi / 600; }

TEST(SimulatorRender, GrayAppliesTheMasterTableToTheRamp) {
    const int counts[4] = {256, 256, 256, 256};
    std::vector<uint8_t> block = ToneBlockWith(counts, [](int k, int i) -> uint8_t {
        return k == 0 ? (uint8_t)(255 - i) : (uint8_t)0;
    });
    ToneTables t;
    ResetToneTables(&t);
    ASSERT_TRUE(LoadToneTables(block.data(), &t));
    for (int dpi : {600, 300, 75}) {
        ScanGeometry g;
        ASSERT_TRUE(ComputeScanGeometry(RampFrame(), dpi, IMAGE_GRAY, &g));
        std::vector<uint8_t> plain = RenderFrame(nullptr, RampFrame(), dpi, IMAGE_GRAY);
        std::vector<uint8_t> toned = RenderFrame(nullptr, RampFrame(), dpi, IMAGE_GRAY, &t);
        ASSERT_EQ(plain.size(), (size_t)g.bytesPerLine * g.lines);
        for (int k = 0; k < RAMP_STEPS; ++k) {
            int at = RampStepPixel(k, dpi);
            EXPECT_EQ(plain[at], k * RAMP_STEP_VALUE) << "step " << k << " at " << dpi;
            EXPECT_EQ(toned[(g.lines - 1) * g.bytesPerLine + at], 255 - k * RAMP_STEP_VALUE);
        }
    }
}

TEST(SimulatorRender, ColorUsesSectionsOneToThreePerChannel) {
    const int counts[4] = {256, 256, 256, 256};
    std::vector<uint8_t> block = ToneBlockWith(counts, [](int k, int i) -> uint8_t {
        return k == 0 ? (uint8_t)0 : k == 1 ? (uint8_t)(i / 2) : k == 2 ? (uint8_t)(255 - i) : (uint8_t)(i | 1);
    });
    ToneTables t;
    ResetToneTables(&t);
    ASSERT_TRUE(LoadToneTables(block.data(), &t));
    for (int i = 0; i < PATCH_COUNT; ++i) {
        ScanFrame patch = {PATCH_LEFT + i * PATCH_PITCH + 100, PATCH_TOP + 100, PATCH_LEFT + i * PATCH_PITCH + 160,
                           PATCH_TOP + 104};
        std::vector<uint8_t> plain = RenderFrame(nullptr, patch, 300, IMAGE_COLOR);
        std::vector<uint8_t> toned = RenderFrame(nullptr, patch, 300, IMAGE_COLOR, &t);
        ASSERT_EQ(plain.size(), 2u * 28 * 3);
        const uint8_t* c = PATCH_COLOURS[i];
        for (size_t p = 0; p < plain.size(); p += 3) {
            ASSERT_EQ(plain[p], c[0]);
            ASSERT_EQ(plain[p + 1], c[1]);
            ASSERT_EQ(plain[p + 2], c[2]);
            ASSERT_EQ(toned[p], c[0] / 2);
            ASSERT_EQ(toned[p + 1], 255 - c[1]);
            ASSERT_EQ(toned[p + 2], c[2] | 1);
        }
    }
}

TEST(SimulatorRender, LineArtThresholdsTheTonedGreyAndPacksIt) {
    ToneTables t;
    ResetToneTables(&t);
    t.threshold = 100;  // ramp steps 6 (102) and up are white
    ScanGeometry g;
    ASSERT_TRUE(ComputeScanGeometry(RampFrame(), 600, IMAGE_LINEART, &g));
    std::vector<uint8_t> image = RenderFrame(nullptr, RampFrame(), 600, IMAGE_LINEART, &t);
    ASSERT_EQ(g.bytesPerLine, RAMP_STEPS * RAMP_STEP_WIDTH / 8);
    for (int k = 0; k < RAMP_STEPS; ++k) {
        int at = RampStepPixel(k, 600);
        bool white = (image[at / 8] >> (7 - at % 8)) & 1;
        EXPECT_EQ(white, k >= 6) << "step " << k;
    }
    // The boundary between steps 5 and 6 falls exactly on pixel 6 x 280.
    EXPECT_EQ(image[6 * RAMP_STEP_WIDTH / 8 - 1], 0x00);
    EXPECT_EQ(image[6 * RAMP_STEP_WIDTH / 8], 0xFF);
}

TEST(SimulatorRender, HalftoneOfTheRampGrowsLighterStepByStep) {
    ScanGeometry g;
    ASSERT_TRUE(ComputeScanGeometry(RampFrame(), 600, IMAGE_HALFTONE, &g));
    std::vector<uint8_t> image = RenderFrame(nullptr, RampFrame(), 600, IMAGE_HALFTONE);
    int previous = -1;
    for (int k = 0; k < RAMP_STEPS; ++k) {
        int white = 0;
        for (int line = 0; line < 8; ++line)
            for (int byte = k * RAMP_STEP_WIDTH / 8 + 2; byte < k * RAMP_STEP_WIDTH / 8 + 10; ++byte)
                white += __builtin_popcount(image[line * g.bytesPerLine + byte]);
        EXPECT_NEAR(white, k * RAMP_STEP_VALUE * 512 / 256, 8) << "step " << k;
        EXPECT_GT(white, previous);
        previous = white;
    }
}

TEST(SimulatorPage, KnownFeaturesAreWhereTheLayoutSays) {
    uint8_t rgb[3];
    auto is = [&](int x, int y, int r, int g, int b) {
        TestPagePixel(x, y, rgb);
        return rgb[0] == r && rgb[1] == g && rgb[2] == b;
    };
    EXPECT_TRUE(is(10, 10, 255, 255, 255));  // margins
    EXPECT_TRUE(is(BED_WIDTH - 1, BED_LENGTH - 1, 255, 255, 255));
    EXPECT_TRUE(is(PAGE_MARGIN, 3000, 0, 0, 0));  // the border
    EXPECT_TRUE(is(3000, BED_LENGTH - PAGE_MARGIN - 1, 0, 0, 0));
    EXPECT_TRUE(is(-1, 100, 255, 255, 255));  // off the bed
    for (int k = 0; k < RAMP_STEPS; ++k) {
        int v = k * RAMP_STEP_VALUE;
        EXPECT_TRUE(is(RAMP_LEFT + k * RAMP_STEP_WIDTH, RAMP_TOP, v, v, v)) << k;
        EXPECT_TRUE(is(RAMP_LEFT + (k + 1) * RAMP_STEP_WIDTH - 1, RAMP_BOTTOM - 1, v, v, v)) << k;
    }
    for (int i = 0; i < PATCH_COUNT; ++i) {
        const uint8_t* c = PATCH_COLOURS[i];
        EXPECT_TRUE(is(PATCH_LEFT + i * PATCH_PITCH + PATCH_WIDTH / 2, (PATCH_TOP + PATCH_BOTTOM) / 2, c[0], c[1], c[2]));
        EXPECT_TRUE(is(PATCH_LEFT + i * PATCH_PITCH + PATCH_WIDTH, PATCH_TOP, 255, 255, 255));  // the gap
    }
    EXPECT_TRUE(is(GRADIENT_LEFT, GRADIENT_TOP, 0, 0, 0));
    EXPECT_TRUE(is(GRADIENT_RIGHT - 1, GRADIENT_TOP, 255, 255, 255));
    for (int g = 0; g < LINES_GROUPS; ++g) {
        int left = LINES_LEFT + g * LINES_PITCH, p = LINE_PERIODS[g];
        EXPECT_TRUE(is(left + 2 * p, VLINES_TOP, 0, 0, 0)) << g;
        EXPECT_TRUE(is(left + 2 * p + p / 2, VLINES_TOP, 255, 255, 255)) << g;
        EXPECT_TRUE(is(left, HLINES_TOP + p, 0, 0, 0)) << g;
        EXPECT_TRUE(is(left, HLINES_TOP + p + p / 2, 255, 255, 255)) << g;
    }
    EXPECT_TRUE(is(WEDGE_LEFT + 10, WEDGE_CENTRE, 0, 0, 0));  // the centre line of the wedge
    EXPECT_TRUE(is(WEDGE_LEFT + 10, WEDGE_CENTRE + 25, 255, 255, 255));
}

TEST(SimulatorRender, BeyondTheBedIsWhite) {
    const ScanFrame frame = {BED_WIDTH - 100, BED_LENGTH - 10, BED_WIDTH + 100, BED_LENGTH + 10};
    std::vector<uint8_t> image = RenderFrame(nullptr, frame, 600, IMAGE_GRAY);
    ASSERT_EQ(image.size(), 198u * 20);
    for (uint8_t v : image) ASSERT_EQ(v, 255);
}

TEST(SimulatorPage, TextBlockHasInkAndGradientRises) {
    uint8_t rgb[3];
    int ink = 0;
    for (int y = TEXT_TOP; y < TEXT_BOTTOM; y += 3)
        for (int x = TEXT_LEFT; x < TEXT_RIGHT; x += 3) {
            TestPagePixel(x, y, rgb);
            ink += rgb[0] == 0;
        }
    int samples = ((TEXT_BOTTOM - TEXT_TOP) / 3) * ((TEXT_RIGHT - TEXT_LEFT) / 3);
    EXPECT_GT(ink, samples / 20);
    EXPECT_LT(ink, samples / 3);
    int previous = -1;
    for (int x = GRADIENT_LEFT; x < GRADIENT_RIGHT; x += 50) {
        TestPagePixel(x, GRADIENT_TOP + 10, rgb);
        EXPECT_GE(rgb[0], previous);
        previous = rgb[0];
    }
}

TEST(SimulatorStretch, EnlargesLinearlyInBothDirectionsAndPadsWithTheLastPixel) {
    const uint8_t raw[2 * 4] = {0, 100, 200, 250, 100, 100, 100, 100};
    uint8_t out[4 * 12];
    memset(out, 0xEE, sizeof out);
    ASSERT_TRUE(StretchLines(raw, 2, 4, 1, 600, 4, 12, out));
    const uint8_t line0[12] = {0, 50, 100, 150, 200, 225, 250, 250, 250, 250, 250, 250};
    EXPECT_EQ(0, memcmp(out, line0, 12));
    EXPECT_EQ(out[12 + 0], 50);  // halfway down between raw lines 0 and 1
    EXPECT_EQ(out[12 + 4], 150);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(out[24 + i], 100);  // raw line 1
    EXPECT_EQ(0, memcmp(out + 24, out + 36, 12));              // past the last raw line
}

TEST(SimulatorStretch, KeepsChannelsApartAndChecksItsArguments) {
    const uint8_t raw[2 * 3] = {10, 20, 30, 50, 60, 70};  // two colour pixels
    uint8_t out[2 * 12];
    ASSERT_TRUE(StretchLines(raw, 1, 2, 3, 450, 2, 12, out));  // 2 x 450 / 300 = 3 pixels
    const uint8_t expected[12] = {10, 20, 30, 37, 47, 57, 50, 60, 70, 50, 60, 70};
    EXPECT_EQ(0, memcmp(out, expected, 12));
    EXPECT_EQ(0, memcmp(out + 12, expected, 12));
    EXPECT_FALSE(StretchLines(raw, 1, 2, 3, 450, 2, 8, out));  // 9 bytes needed
    EXPECT_FALSE(StretchLines(raw, 0, 2, 3, 450, 2, 12, out));
    EXPECT_FALSE(StretchLines(raw, 1, 2, 3, 601, 2, 12, out));
}

// Output lines made in pieces, each from the raw lines its span names, equal
// the whole image made at once.
TEST(SimulatorStretch, PiecesFollowTheWholeScansRule) {
    const int pixels = 5, rawLines = 11, target = 470, outLines = rawLines * target / 300;
    std::vector<uint8_t> raw(pixels * rawLines);
    for (size_t i = 0; i < raw.size(); ++i) raw[i] = (uint8_t)(i * 37 % 251);
    const int outBytes = StretchedPixels(pixels, target);
    std::vector<uint8_t> whole((size_t)outLines * outBytes), pieces(whole.size());
    ASSERT_TRUE(StretchLines(raw.data(), rawLines, pixels, 1, target, outLines, outBytes, whole.data()));
    for (int first = 0; first < outLines; first += 4) {
        int count = std::min(4, outLines - first), low, high;
        StretchRawSpan(first, count, target, rawLines - 1, &low, &high);
        ASSERT_TRUE(StretchLines(&raw[low * pixels], high - low + 1, pixels, 1, target, count, outBytes,
                                 &pieces[(size_t)first * outBytes], first, low));
    }
    EXPECT_EQ(pieces, whole);
    int low, high;
    StretchRawSpan(0, outLines, target, rawLines - 1, &low, &high);
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, rawLines - 1);
}

TEST(SimulatorRing, BlocksRecordsAndLinePlacement) {
    std::vector<uint8_t> buffer(1000);
    Ring ring;
    ASSERT_EQ(DivideRing(buffer.data(), 1000, 4, &ring), 4);
    EXPECT_EQ(ring.blockBytes, 248u);
    uint8_t table[4 * RING_RECORD_SIZE];
    memset(table, 0xAA, sizeof table);
    WriteRingTable(ring, table);
    for (int i = 0; i < 4; ++i) {
        const uint8_t* record = table + i * RING_RECORD_SIZE;
        uintptr_t address = (uintptr_t)(buffer.data() + i * 248);
        EXPECT_EQ(Get32(record + RING_BYTES), 248u);
        EXPECT_EQ(record[RING_LINES] | record[RING_LINES + 1], 0);
        EXPECT_EQ(Get32(record + RING_ADDRESS), (uint32_t)address);
        EXPECT_EQ(Get32(record + RING_ADDRESS_HIGH), (uint32_t)((uint64_t)address >> 32));
        EXPECT_EQ(Get32(record + 14) | record[18] | record[19], 0u);
    }
    EXPECT_EQ(DivideRing(buffer.data(), 8, 16, &ring), 2);  // no block under 4 bytes
    EXPECT_EQ(DivideRing(nullptr, 1000, 4, &ring), 0);
    EXPECT_EQ(DivideRing(buffer.data(), 1000, 99, &ring), MAX_RING_BLOCKS);

    // Line n: block (n / per block) mod blocks, (n mod per block) x line bytes in.
    const struct {
        uint32_t line;
        uint64_t offset;
    } lines[] = {{0, 0}, {2, 60}, {3, 100}, {5, 160}, {6, 0}, {7, 30}, {10, 130}};
    for (const auto& l : lines) EXPECT_EQ(RingLineOffset(l.line, 3, 2, 100, 30), l.offset) << l.line;
    EXPECT_EQ(LinesPerBlock(100, 30), 3u);
    EXPECT_EQ(LinesPerBlock(100000, 1), MAX_LINES_PER_BLOCK);
    EXPECT_EQ(LinesPerBlock(100, 0), 0u);
}

TEST(SimulatorRing, ThirtyTwoBitAddressesMatchTheLowHalfOfTheRing) {
    Ring ring;
    ring.size = 0x100;
    ring.count = 1;
    ring.blockBytes = 0x100;
    // A ring whose low 32 bits wrap inside it, as a 64-bit one may.
    ring.base = reinterpret_cast<uint8_t*>((uintptr_t)0xFFFFFFF0u);
    uint32_t offset = 0;
    EXPECT_TRUE(RingOffset(ring, 0xFFFFFFF0u, &offset));
    EXPECT_EQ(offset, 0u);
    EXPECT_TRUE(RingOffset(ring, 0x00000010u, &offset));
    EXPECT_EQ(offset, 0x20u);
    EXPECT_FALSE(RingOffset(ring, 0x000000F0u, &offset));
    EXPECT_FALSE(RingOffset(ring, 0xFFFFFFEFu, &offset));
    EXPECT_FALSE(RingOffset(Ring(), 0, &offset));
}

TEST(SimulatorBmp, RoundTripBothRowOrdersAndRejections) {
    const uint8_t rgb[2 * 3 * 3] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18};
    std::vector<uint8_t> file = EncodeBmp24(rgb, 3, 2, 75);
    ASSERT_EQ(file.size(), 54u + 2 * 12);
    RgbImage image;
    ASSERT_TRUE(DecodeBmp24(file.data(), file.size(), &image));
    EXPECT_EQ(image.width, 3);
    EXPECT_EQ(image.height, 2);
    EXPECT_EQ(0, memcmp(image.rgb.data(), rgb, sizeof rgb));

    // The same rows stored top-down (negative height).
    std::vector<uint8_t> topDown = file;
    int32_t negative = -2;
    memcpy(&topDown[22], &negative, 4);
    memcpy(&topDown[54], &file[54 + 12], 12);
    memcpy(&topDown[54 + 12], &file[54], 12);
    RgbImage flipped;
    ASSERT_TRUE(DecodeBmp24(topDown.data(), topDown.size(), &flipped));
    EXPECT_EQ(flipped.rgb, image.rgb);

    RgbImage untouched;
    EXPECT_FALSE(DecodeBmp24(file.data(), file.size() - 1, &untouched));  // truncated
    std::vector<uint8_t> eightBit = file;
    eightBit[28] = 8;
    EXPECT_FALSE(DecodeBmp24(eightBit.data(), eightBit.size(), &untouched));
    std::vector<uint8_t> compressed = file;
    compressed[30] = 1;
    EXPECT_FALSE(DecodeBmp24(compressed.data(), compressed.size(), &untouched));
    EXPECT_EQ(untouched.width, 0);
}

TEST(SimulatorBmp, PictureIsScaledToTheBedWidthAndWhiteBelow) {
    RgbImage picture;
    picture.width = 2;
    picture.height = 1;
    picture.rgb = {10, 20, 30, 40, 50, 60};
    uint8_t rgb[3];
    BedPixel(&picture, 0, 0, rgb);
    EXPECT_EQ(rgb[0], 10);
    BedPixel(&picture, BED_WIDTH / 2 - 1, BED_WIDTH / 2 - 1, rgb);  // each picture pixel is 2550 points square
    EXPECT_EQ(rgb[2], 30);
    BedPixel(&picture, BED_WIDTH / 2, 0, rgb);
    EXPECT_EQ(rgb[1], 50);
    BedPixel(&picture, 0, BED_WIDTH / 2, rgb);  // below the picture
    EXPECT_EQ(rgb[0], 255);
    BedPixel(nullptr, RAMP_LEFT, RAMP_TOP, rgb);  // no picture: the test page
    EXPECT_EQ(rgb[0], 0);
}

TEST(SimulatorConfig, NumbersAreDecimalOrHexadecimal) {
    const struct {
        const char* text;
        uint32_t expected;
    } cases[] = {{"0x8217", 0x8217}, {"33303", 33303}, {" 12 ", 12},    {"0X1f", 31},
                 {"", 7},            {"0x", 7},        {"-1", 7},       {"12abc", 7},
                 {"4294967295", 0xffffffffu},          {"4294967296", 7}, {nullptr, 7}};
    for (const auto& c : cases) EXPECT_EQ(ParseConfigNumber(c.text, 7), c.expected) << (c.text ? c.text : "null");
    SimulatorConfig config;
    DefaultSimulatorConfig(&config);
    EXPECT_STREQ(config.Firmware, "1.07");
    EXPECT_EQ(config.RingBlocks, 4u);
    EXPECT_EQ(config.AddrChkResult, 0x378u);
}

}  // namespace
