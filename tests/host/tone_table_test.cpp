#include <stdint.h>
#include <string.h>

#include <vector>

#include <gtest/gtest.h>

#include "device/tone_table.h"

namespace {

ToneSet Set(int brightness, int contrast, int gamma) {
    return ToneSet{(int8_t)brightness, (int8_t)contrast, (int8_t)gamma, 0};
}

struct Spot {
    int index;
    int value;
};

// Whole-table expectations for the cases with a closed form.
int Identity(int i) { return i; }
int Flat128(int) { return 128; }
int Step127(int i) { return i <= 127 ? 0 : 255; }
int Plus127(int i) { return i + 127 > 255 ? 255 : i + 127; }
int Minus50(int i) { return i < 50 ? 0 : i - 50; }

TEST(BuildToneTable, TablesOfTheEdgeCasesAndGammaCurves) {
    struct Case {
        const char* name;
        ToneSet set;
        int (*whole)(int);        // expected entry for every index, or null
        std::vector<Spot> spots;  // values of the plain formulas, computed apart
    };
    const Case cases[] = {
        {"identity", Set(0, 0, 10), Identity, {}},
        {"contrast -128 is flat grey", Set(0, -128, 10), Flat128, {}},
        {"contrast 127 is a step at 128", Set(0, 127, 10), Step127, {}},
        {"brightness 127, linear up to entry 128", Set(127, 0, 10), Plus127, {}},
        {"brightness -50, linear from entry 50", Set(-50, 0, 10), Minus50, {}},
        // 127 + 128 * (i / 128)^(10/18) up to entry 128, then clipped.
        {"brightness 127, gamma 1.8", Set(127, 0, 18), nullptr,
         {{0, 127}, {1, 135}, {2, 139}, {10, 158}, {50, 202}, {64, 214}, {100, 238},
          {128, 255}, {129, 255}, {255, 255}}},
        // 255 * (i / 255)^(10/18)
        {"gamma 1.8", Set(0, 0, 18), nullptr,
         {{0, 0}, {1, 11}, {2, 17}, {10, 42}, {64, 118}, {128, 173}, {200, 222},
          {254, 254}, {255, 255}}},
        // 64 + i * 127 / 255
        {"contrast -64", Set(0, -64, 10), nullptr,
         {{0, 64}, {10, 68}, {64, 95}, {128, 127}, {129, 128}, {200, 163}, {255, 191}}},
        // 64 + 127 * (i / 255)^(10/18)
        {"contrast -64, gamma 1.8", Set(0, -64, 18), nullptr,
         {{0, 64}, {1, 69}, {50, 115}, {128, 150}, {236, 185}, {255, 191}}},
        // 255 * (i - 64) / 127 between entries 64 and 191
        {"contrast 64", Set(0, 64, 10), nullptr,
         {{0, 0}, {64, 0}, {100, 72}, {128, 128}, {129, 130}, {190, 252}, {191, 255}, {255, 255}}},
        // 205 * ((i - 50) / 205)^(10/18) from entry 50
        {"brightness -50, gamma 1.8", Set(-50, 0, 18), nullptr,
         {{0, 0}, {50, 0}, {64, 46}, {100, 93}, {128, 119}, {254, 204}, {255, 205}}},
        // Contrast 10 clips at 10 and 245, brightness 10 lifts both ends:
        // entries 237 and above clip, so the curve runs from entry 10 (10)
        // to entry 236 (255).
        {"auto exposure values, gamma 1.8", Set(10, 10, 18), nullptr,
         {{0, 10}, {10, 10}, {11, 22}, {50, 103}, {128, 180}, {236, 255}, {237, 255}}},
        // Both ends clipped low: the curve starts after the last zero (92).
        {"brightness -100, contrast -30, gamma 2.5", Set(-100, -30, 25), nullptr,
         {{0, 0}, {64, 0}, {92, 0}, {100, 37}, {128, 68}, {200, 106}, {255, 125}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        uint8_t table[256];
        memset(table, 0xA5, sizeof table);
        ASSERT_EQ(BuildToneTable(c.set, 256, 256, table), 1);
        if (c.whole != nullptr) {
            for (int i = 0; i < 256; ++i) ASSERT_EQ(table[i], c.whole(i)) << "entry " << i;
        }
        for (const Spot& s : c.spots) EXPECT_EQ(table[s.index], s.value) << "entry " << s.index;
    }
}

TEST(BuildToneTable, RefusesOutOfRangeArgumentsAndLeavesTheTable) {
    struct Case {
        const char* name;
        ToneSet set;
        int inputs;
        int outputs;
    };
    const Case refused[] = {
        {"gamma 0", Set(0, 0, 0), 256, 256},
        {"gamma 80", Set(0, 0, 80), 256, 256},
        {"negative gamma", Set(0, 0, -10), 256, 256},
        {"21 outputs", Set(0, 0, 10), 256, 21},
        {"257 outputs", Set(0, 0, 10), 256, 257},
        {"21 inputs", Set(0, 0, 10), 21, 256},
        {"1025 inputs", Set(0, 0, 10), 1025, 256},
    };
    for (const Case& c : refused) {
        SCOPED_TRACE(c.name);
        uint8_t table[1100];
        memset(table, 0x5A, sizeof table);
        EXPECT_EQ(BuildToneTable(c.set, c.inputs, c.outputs, table), 0);
        for (size_t i = 0; i < sizeof table; ++i) ASSERT_EQ(table[i], 0x5A) << "entry " << i;
    }
    EXPECT_EQ(BuildToneTable(Set(0, 0, 10), 256, 256, nullptr), 0);

    const Case accepted[] = {
        {"gamma 1", Set(0, 0, 1), 256, 256},
        {"gamma 79", Set(0, 0, 79), 256, 256},
        {"22 by 22", Set(0, 0, 10), 22, 22},
        {"1024 inputs", Set(0, 0, 10), 1024, 256},
    };
    for (const Case& c : accepted) {
        SCOPED_TRACE(c.name);
        std::vector<uint8_t> table(c.inputs + 1, 0x5A);
        EXPECT_EQ(BuildToneTable(c.set, c.inputs, c.outputs, table.data()), 1);
        EXPECT_EQ(table[c.inputs], 0x5A) << "wrote past the last input";
        EXPECT_EQ(table[c.inputs - 1], c.outputs - 1);
    }
}

TEST(BuildToneTable, OtherSizesScaleInputsToOutputs) {
    uint8_t table[1024];
    ASSERT_EQ(BuildToneTable(Set(0, 0, 10), 1024, 256, table), 1);
    // 255 * i / 1023
    const Spot spots[] = {{0, 0}, {4, 0}, {5, 1}, {512, 127}, {1022, 254}, {1023, 255}};
    for (const Spot& s : spots) EXPECT_EQ(table[s.index], s.value) << "entry " << s.index;

    uint8_t small[22];
    ASSERT_EQ(BuildToneTable(Set(0, 0, 10), 22, 22, small), 1);
    for (int i = 0; i < 22; ++i) EXPECT_EQ(small[i], i);
}

// Every accepted set gives a non-decreasing table within the output range.
TEST(BuildToneTable, EverySetGivesANonDecreasingTable) {
    const int gammas[] = {1, 5, 10, 18, 33, 79};
    for (int brightness = -128; brightness <= 127; brightness += 9) {
        for (int contrast = -128; contrast <= 127; contrast += 9) {
            for (int gamma : gammas) {
                uint8_t table[256];
                ASSERT_EQ(BuildToneTable(Set(brightness, contrast, gamma), 256, 256, table), 1);
                for (int i = 1; i < 256; ++i)
                    ASSERT_LE(table[i - 1], table[i]) << brightness << "/" << contrast << "/"
                                                      << gamma << " at " << i;
            }
        }
    }
}

}  // namespace
