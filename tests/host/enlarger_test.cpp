#include <stdint.h>
#include <string.h>

#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "pipeline/enlarger.h"

namespace {

typedef std::vector<uint8_t> Bytes;
typedef std::vector<std::vector<int>> Rows;

const uint32_t kFactors[] = {2, 4, 6, 8};

// An enlarger state freed at the end of the test.
struct Enlarger {
    EnlargerState state = {};
    ~Enlarger() { FreeEnlarger(&state); }
    // Enlarges the lines (each `lineBytes` long) in one call.
    Bytes Run(EnlargeKind kind, uint32_t f, const Bytes& lines, uint32_t lineBytes) {
        const uint32_t count = (uint32_t)(lines.size() / lineBytes);
        Bytes out(EnlargedBytes(f, count, lineBytes), 0xA5);
        EXPECT_EQ(EnlargeLines(&state, kind, f, lines.data(), count, lineBytes, out.data()), 1);
        return out;
    }
};

Rows Split(const Bytes& out, size_t rowBytes) {
    Rows rows;
    for (size_t at = 0; at < out.size(); at += rowBytes) rows.emplace_back(out.begin() + at, out.begin() + at + rowBytes);
    return rows;
}

Bytes RandomBytes(size_t n, uint32_t seed) {
    std::mt19937 gen(seed);
    Bytes b(n);
    for (auto& v : b) v = (uint8_t)gen();
    return b;
}

TEST(Enlarger, GrayFactorTwoExample) {
    Enlarger e;
    Bytes out = e.Run(ENLARGE_GRAY, 2, {10, 20, 40, 100, 120, 160}, 3);
    const Rows expected = {{10, 15, 20, 30, 40, 40},
                           {10, 15, 20, 30, 40, 40},
                           {10, 15, 20, 30, 40, 40},
                           {55, 65, 70, 90, 40, 40}};
    EXPECT_EQ(Split(out, 6), expected);
}

// Cells worked out by hand from the interpolation rules, for a two-pixel
// line pair: the second input line's cell at pixel 0 has p, r from the first
// line and b, d from the second.
TEST(Enlarger, CellsOfFactorsFourSixEight) {
    struct Case {
        uint32_t f;
        int p, r, b, d;
        Rows cell;
    };
    const Case cases[] = {
        {4, 10, 200, 60, 90, {{10, 57, 105, 152}, {22, 30, 77, 125}, {35, 42, 50, 97}, {47, 55, 62, 70}}},
        {6, 10, 200, 60, 90,
         {{10, 41, 72, 105, 136, 167}, {18, 41, 63, 87, 118, 149}, {26, 41, 54, 69, 100, 131},
          {35, 40, 45, 50, 81, 112}, {43, 48, 53, 58, 63, 94}, {51, 56, 61, 66, 71, 76}}},
        // Falling differences: the thirds truncate toward zero (250 - 41, not 250 - 42).
        {6, 250, 3, 17, 140,
         {{250, 209, 168, 126, 85, 44}, {211, 191, 169, 149, 108, 67}, {172, 173, 170, 172, 131, 90},
          {133, 153, 173, 195, 154, 113}, {95, 115, 135, 156, 177, 136}, {57, 77, 97, 117, 138, 159}}},
        {8, 10, 200, 60, 90,
         {{10, 33, 57, 81, 105, 128, 152, 176}, {16, 20, 43, 67, 91, 115, 138, 162},
          {22, 26, 30, 53, 77, 101, 125, 148}, {28, 32, 36, 40, 63, 87, 111, 135},
          {35, 38, 42, 46, 50, 73, 97, 121}, {41, 45, 48, 52, 56, 60, 83, 110},
          {47, 51, 55, 58, 62, 66, 70, 99}, {53, 56, 60, 65, 68, 71, 74, 80}}},
        {8, 250, 3, 17, 140,
         {{250, 219, 188, 157, 126, 95, 64, 33}, {220, 236, 205, 174, 143, 112, 81, 50},
          {191, 206, 222, 191, 160, 129, 98, 67}, {162, 177, 193, 208, 177, 146, 115, 84},
          {133, 148, 164, 179, 195, 164, 133, 102}, {104, 119, 134, 149, 165, 181, 150, 114},
          {75, 90, 105, 120, 136, 151, 167, 126}, {46, 61, 76, 91, 107, 118, 129, 153}}},
    };
    for (const Case& c : cases) {
        Enlarger e;
        const Bytes lines = {(uint8_t)c.p, (uint8_t)c.r, (uint8_t)c.b, (uint8_t)c.d};
        Rows rows = Split(e.Run(ENLARGE_GRAY, c.f, lines, 2), 2 * c.f);
        for (uint32_t j = 0; j < c.f; ++j) {
            std::vector<int> cellRow(rows[c.f + j].begin(), rows[c.f + j].begin() + c.f);
            EXPECT_EQ(cellRow, c.cell[j]) << "f " << c.f << " p " << c.p << " row " << j;
            // The last pixel's cell repeats its own sample of the line before.
            EXPECT_EQ(std::vector<int>(rows[c.f + j].begin() + c.f, rows[c.f + j].end()), std::vector<int>(c.f, c.r));
        }
    }
}

// At f = 8 the last column and the end of the last row step in quarters with
// a flooring shift; a fall from 1 to 0 would give -1, which is held at 0
// (kept as a byte it would be a white dot in black).
TEST(Enlarger, FactorEightQuarterStepsStayInRange) {
    Enlarger e;
    Rows rows = Split(e.Run(ENLARGE_GRAY, 8, {0, 4, 0, 0}, 2), 16);
    const Rows cell = {{0, 0, 1, 1, 2, 2, 3, 3}, {0, 0, 0, 0, 1, 2, 2, 2}, {0, 0, 0, 0, 1, 1, 2, 2},
                       {0, 0, 0, 0, 0, 0, 1, 2}, {0, 0, 0, 0, 0, 0, 1, 1}, {0, 0, 0, 0, 0, 0, 0, 0},
                       {0, 0, 0, 0, 0, 0, 0, 0 /* -1 by the plain rule */}, {0, 0, 0, 0, 0, 0, 0, 0}};
    for (uint32_t j = 0; j < 8; ++j)
        EXPECT_EQ(std::vector<int>(rows[8 + j].begin(), rows[8 + j].begin() + 8), cell[j]) << "row " << j;
}

TEST(Enlarger, SingleLineCallsGiveEqualRowsWithoutBlending) {
    for (uint32_t f : kFactors)
        for (EnlargeKind kind : {ENLARGE_GRAY, ENLARGE_COLOR}) {
            Enlarger e;
            const uint32_t lineBytes = 12;
            e.Run(kind, f, RandomBytes(2 * lineBytes, f), lineBytes);  // leaves a different carried line
            const Bytes line = RandomBytes(lineBytes, 100 + f);
            Rows rows = Split(e.Run(kind, f, line, lineBytes), f * lineBytes);
            Enlarger fresh;
            Rows alone = Split(fresh.Run(kind, f, line, lineBytes), f * lineBytes);
            EXPECT_EQ(rows, alone) << f;
            // At f = 8 the last row's columns 5 and 6 step in quarters from
            // column 4 towards column 7 rather than halving (below).
            const uint32_t equalRows = f == 8 ? 7 : f;
            for (uint32_t j = 1; j < equalRows; ++j)
                EXPECT_EQ(rows[j], rows[0]) << "f " << f << " kind " << kind << " row " << j;
        }
    Enlarger e;
    Rows rows = Split(e.Run(ENLARGE_GRAY, 8, {0, 255}, 2), 16);
    EXPECT_EQ(std::vector<int>(rows[0].begin(), rows[0].begin() + 8), (std::vector<int>{0, 31, 63, 95, 127, 159, 191, 223}));
    EXPECT_EQ(std::vector<int>(rows[7].begin(), rows[7].begin() + 8), (std::vector<int>{0, 31, 63, 95, 127, 151, 175, 223}));
}

TEST(Enlarger, OnePixelLinesFillTheirCells) {
    for (uint32_t f : kFactors) {
        Enlarger e;
        Bytes single = e.Run(ENLARGE_GRAY, f, {77}, 1);
        EXPECT_EQ(single, Bytes(f * f, 77)) << f;
        // With two lines, each cell repeats the sample of the line before
        // (the carried line for the first).
        Bytes pair = e.Run(ENLARGE_GRAY, f, {30, 200}, 1);
        Bytes expected(f * f, 77);
        expected.insert(expected.end(), f * f, 30);
        EXPECT_EQ(pair, expected) << f;
        Bytes colour = e.Run(ENLARGE_COLOR, f, {1, 2, 3}, 3);
        for (uint32_t i = 0; i < f * f; ++i) EXPECT_EQ(Bytes(colour.begin() + 3 * i, colour.begin() + 3 * i + 3), (Bytes{1, 2, 3}));
    }
}

TEST(Enlarger, BitsAreReplicated) {
    struct Case {
        uint32_t f;
        Bytes row;
    };
    // 0xB1 = 1011 0001.
    const Case cases[] = {{2, {0xCF, 0x03}},
                          {4, {0xF0, 0xFF, 0x00, 0x0F}},
                          {6, {0xFC, 0x0F, 0xFF, 0x00, 0x00, 0x3F}},
                          {8, {0xFF, 0x00, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0xFF}}};
    for (const Case& c : cases) {
        Enlarger e;
        Rows rows = Split(e.Run(ENLARGE_BITS, c.f, {0xB1}, 1), c.f);
        ASSERT_EQ(rows.size(), c.f);
        for (const auto& row : rows) EXPECT_EQ(row, std::vector<int>(c.row.begin(), c.row.end())) << c.f;
        EXPECT_EQ(e.state.CarryLine, nullptr);  // bits need no carried line
    }
    Enlarger e;
    Rows two = Split(e.Run(ENLARGE_BITS, 2, {0x80, 0x01, 0xFF, 0x00}, 2), 4);
    EXPECT_EQ(two, (Rows{{0xC0, 0x00, 0x00, 0x03}, {0xC0, 0x00, 0x00, 0x03}, {0xFF, 0xFF, 0x00, 0x00}, {0xFF, 0xFF, 0x00, 0x00}}));
}

TEST(Enlarger, ColourIsGrayOnEachChannel) {
    const uint32_t pixels = 37;
    for (uint32_t f : kFactors) {
        Enlarger colour;
        Enlarger gray[3];
        for (int call = 0; call < 3; ++call) {
            const uint32_t lines = call == 1 ? 1 : 3;  // a single-line call in between
            const Bytes input = RandomBytes(3 * pixels * lines, 10 * f + call);
            Bytes out = colour.Run(ENLARGE_COLOR, f, input, 3 * pixels);
            for (int c = 0; c < 3; ++c) {
                Bytes channel;
                for (size_t i = c; i < input.size(); i += 3) channel.push_back(input[i]);
                Bytes expected = gray[c].Run(ENLARGE_GRAY, f, channel, pixels);
                for (size_t i = 0; i < expected.size(); ++i)
                    ASSERT_EQ(out[3 * i + c], expected[i]) << "f " << f << " call " << call << " channel " << c;
            }
        }
    }
}

// Batches of two or more lines continue from the previous batch's last line,
// so the rows do not depend on how the lines are batched.
TEST(Enlarger, CarriedLineJoinsBatches) {
    const uint32_t lineBytes = 30;
    const Bytes lines = RandomBytes(7 * lineBytes, 5);
    for (EnlargeKind kind : {ENLARGE_BITS, ENLARGE_GRAY, ENLARGE_COLOR})
        for (uint32_t f : kFactors) {
            Enlarger whole;
            const Bytes expected = whole.Run(kind, f, lines, lineBytes);
            Enlarger batched;
            Bytes out;
            const uint8_t* carried = nullptr;
            for (uint32_t begin = 0, count = 2; begin < 7; begin += count, count = 7 - begin < 3 ? 7 - begin : 3) {
                Bytes part(lines.begin() + begin * lineBytes, lines.begin() + (begin + count) * lineBytes);
                Bytes rows = batched.Run(kind, f, part, lineBytes);
                out.insert(out.end(), rows.begin(), rows.end());
                if (carried) {
                    EXPECT_EQ(batched.state.CarryLine, carried);  // no new allocation per call
                }
                carried = batched.state.CarryLine;
            }
            EXPECT_EQ(out, expected) << "kind " << kind << " f " << f;
        }
}

TEST(Enlarger, NewLineLengthStartsOverAndUniformLinesStayUniform) {
    for (uint32_t f : kFactors) {
        Enlarger e;
        e.Run(ENLARGE_GRAY, f, RandomBytes(2 * 8, f), 8);
        const Bytes lines = RandomBytes(3 * 5, 50 + f);
        Enlarger fresh;
        EXPECT_EQ(e.Run(ENLARGE_GRAY, f, lines, 5), fresh.Run(ENLARGE_GRAY, f, lines, 5)) << f;
        EXPECT_EQ(e.state.CarryBytes, 5u);

        Bytes flat = e.Run(ENLARGE_COLOR, f, Bytes(4 * 9, 200), 9);
        Bytes again = e.Run(ENLARGE_COLOR, f, Bytes(4 * 9, 200), 9);
        EXPECT_EQ(flat, Bytes(flat.size(), 200)) << f;
        EXPECT_EQ(again, flat) << f;
    }
}

TEST(Enlarger, RefusedCallsWriteNothing) {
    EnlargerState state = {};
    const Bytes line(6, 9);
    Bytes out(EnlargedBytes(8, 1, 6), 0x5A);
    const Bytes untouched = out;
    EXPECT_EQ(EnlargeLines(&state, ENLARGE_GRAY, 3, line.data(), 1, 6, out.data()), 0);
    EXPECT_EQ(EnlargeLines(&state, ENLARGE_COLOR, 2, line.data(), 1, 4, out.data()), 0);  // not whole pixels
    EXPECT_EQ(EnlargeLines(&state, ENLARGE_GRAY, 2, nullptr, 1, 6, out.data()), 0);
    EXPECT_EQ(EnlargeLines(&state, ENLARGE_GRAY, 2, line.data(), 1, 6, nullptr), 0);
    EXPECT_EQ(EnlargeLines(nullptr, ENLARGE_GRAY, 2, line.data(), 1, 6, out.data()), 0);
    EXPECT_EQ(EnlargeLines(&state, ENLARGE_GRAY, 2, line.data(), 0, 6, out.data()), 1);
    EXPECT_EQ(out, untouched);
    EXPECT_EQ(state.CarryLine, nullptr);
    FreeEnlarger(&state);
    FreeEnlarger(&state);

    EXPECT_EQ(EnlargeFactor(0), 2u);
    EXPECT_EQ(EnlargeFactor(1), 2u);
    EXPECT_EQ(EnlargeFactor(2), 4u);
    EXPECT_EQ(EnlargeFactor(3), 6u);
    EXPECT_EQ(EnlargeFactor(4), 8u);
    EXPECT_EQ(EnlargeFactor(5), 0u);
    EXPECT_EQ(EnlargeKindFor(KIND_HALFTONE), ENLARGE_BITS);
    EXPECT_EQ(EnlargeKindFor(KIND_COLOR), ENLARGE_COLOR);
}

}  // namespace
