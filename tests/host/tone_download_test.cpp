#include <math.h>
#include <stdint.h>
#include <string.h>

#include <vector>

#include <gtest/gtest.h>

#include "device/command_blocks.h"
#include "device/correction_curves.h"
#include "device/tone_download.h"
#include "device/tone_table.h"
#include "settings/scan_settings.h"

namespace {

ToneSet Set(int brightness, int contrast, int gamma) {
    return ToneSet{(int8_t)brightness, (int8_t)contrast, (int8_t)gamma, 0};
}

int SectionCount(int k) { return GetU16(ToneBlock, TONE_SECTION_BASE + k * TONE_SECTION_STRIDE); }
const uint8_t* SectionData(int k) { return ToneBlock + TONE_SECTION_BASE + k * TONE_SECTION_STRIDE + 2; }

std::vector<uint8_t> Lut(ToneSet set) {
    std::vector<uint8_t> table(256);
    EXPECT_EQ(BuildToneTable(set, 256, 256, table.data()), 1);
    return table;
}

std::vector<uint8_t> Section(int k) { return std::vector<uint8_t>(SectionData(k), SectionData(k) + 256); }

class ToneDownload : public ::testing::Test {
protected:
    void SetUp() override {
        memcpy(savedBlock, ToneBlock, sizeof savedBlock);
        memcpy(savedWork, ToneWorkTables, sizeof savedWork);
        savedMode = GammaTableMode;
        memcpy(savedSets, DownloadedToneSets, sizeof savedSets);
        memset(ToneBlock, 0, sizeof ToneBlock);
        settings = InitialScanSettings();
    }
    void TearDown() override {
        memcpy(ToneBlock, savedBlock, sizeof savedBlock);
        memcpy(ToneWorkTables, savedWork, sizeof savedWork);
        GammaTableMode = savedMode;
        memcpy(DownloadedToneSets, savedSets, sizeof savedSets);
    }

    ScanSettingsRecord settings;
    TonePreviewState noPreview = {false, false, false, 0, false, nullptr};

private:
    uint8_t savedBlock[TONE_BLOCK_SIZE];
    uint8_t savedWork[4][256];
    uint16_t savedMode;
    ToneSet savedSets[4];
};

TEST_F(ToneDownload, ThresholdUsesTheMasterBrightnessAfterAutoExposure) {
    struct Case {
        uint16_t mode;
        int brightness;
        uint32_t autoExposure;
        int threshold;
    };
    const Case cases[] = {
        {SCAN_MODE_LINEART, 0, 0, 158},
        {SCAN_MODE_LINEART, -100, 0, 255},  // 258 clamped
        {SCAN_MODE_LINEART, 100, 0, 58},
        {SCAN_MODE_HALFTONE, -100, 0, 255},
        {SCAN_MODE_HALFTONE, 100, 0, 58},
        {SCAN_MODE_LINEART, -100, 1, 148},
        {SCAN_MODE_HALFTONE, 100, 1, 148},
        {SCAN_MODE_GRAY, 100, 0, 0x77},      // not touched
        {SCAN_MODE_COLOR, -100, 1, 0x77},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.mode << " brightness " << c.brightness << " auto "
                                        << c.autoExposure);
        settings = InitialScanSettings();
        ApplyScanMode(settings, c.mode);
        settings.ToneSets[TONE_MASTER].Brightness = (int8_t)c.brightness;
        settings.AutoExposure = c.autoExposure;
        ToneBlock[TONE_THRESHOLD] = 0x77;
        BuildToneBlock(noPreview, settings);
        EXPECT_EQ(ToneBlock[TONE_THRESHOLD], c.threshold);
    }
}

TEST_F(ToneDownload, AutoExposureChangesTheSettingsButNotTheTablesAlreadyBuilt) {
    ApplyScanMode(settings, SCAN_MODE_GRAY);
    settings.AutoExposure = 1;
    settings.ToneSets[TONE_MASTER] = Set(-100, 0, 10);
    settings.ToneSets[TONE_RED] = Set(50, -20, 18);
    BuildToneBlock(noPreview, settings);
    // The master table is brightness -100: 0 up to entry 100, then i - 100.
    EXPECT_EQ(SectionData(0)[100], 0);
    EXPECT_EQ(SectionData(0)[101], 1);
    EXPECT_EQ(SectionData(0)[255], 155);
    for (const ToneSet& set : settings.ToneSets) {
        EXPECT_EQ(set.Brightness, 10);
        EXPECT_EQ(set.Contrast, 10);
    }
    EXPECT_EQ(settings.ToneSets[TONE_RED].Gamma, 18);  // gamma is kept
}

TEST_F(ToneDownload, SingleChannelModesSendTheMasterTableFourTimes) {
    const uint16_t modes[] = {SCAN_MODE_LINEART, SCAN_MODE_HALFTONE, SCAN_MODE_GRAY};
    for (uint16_t mode : modes) {
        SCOPED_TRACE(mode);
        settings = InitialScanSettings();
        ApplyScanMode(settings, mode);
        settings.EnhMode = 2;
        settings.ToneSets[TONE_MASTER] = Set(20, -40, 15);
        settings.ToneSets[TONE_RED] = Set(-60, 0, 10);
        memset(ToneBlock, 0, sizeof ToneBlock);
        BuildToneBlock(noPreview, settings);
        const std::vector<uint8_t> master = Lut(settings.ToneSets[TONE_MASTER]);
        EXPECT_EQ(ToneBlock[TONE_KIND], 16);
        for (int k = 0; k < 4; ++k) {
            EXPECT_EQ(SectionCount(k), 256) << "section " << k;
            EXPECT_EQ(Section(k), master) << "section " << k;
            EXPECT_EQ(SectionData(k)[256], 0) << "only 256 entries are written";
        }
        for (int t = 0; t < 4; ++t)
            EXPECT_EQ(0, memcmp(ToneWorkTables[t], master.data(), 256)) << "work table " << t;
    }
}

TEST_F(ToneDownload, ColourKindFollowsTheTonalAdjustmentMode) {
    const struct {
        uint16_t enhMode;
        int kind;
    } cases[] = {{0, 8}, {1, 7}, {2, 7}, {3, 7}};
    for (const auto& c : cases) {
        settings.EnhMode = c.enhMode;
        BuildToneBlock(noPreview, settings);
        EXPECT_EQ(ToneBlock[TONE_KIND], c.kind) << "EnhMode " << c.enhMode;
    }
}

TEST_F(ToneDownload, ColourSectionsAreTheRedTableAndTheCorrectedChannels) {
    settings.ToneSets[TONE_MASTER] = Set(0, 0, 10);
    settings.ToneSets[TONE_RED] = Set(20, 0, 18);
    settings.ToneSets[TONE_GREEN] = Set(0, -30, 10);
    settings.ToneSets[TONE_BLUE] = Set(-10, 20, 25);
    BuildToneBlock(noPreview, settings);

    const std::vector<uint8_t> red = Lut(settings.ToneSets[TONE_RED]);
    const std::vector<uint8_t> green = Lut(settings.ToneSets[TONE_GREEN]);
    const std::vector<uint8_t> blue = Lut(settings.ToneSets[TONE_BLUE]);
    for (int k = 0; k < 4; ++k) EXPECT_EQ(SectionCount(k), 256);
    EXPECT_EQ(Section(0), red);
    for (int i = 0; i < 256; ++i) {
        ASSERT_EQ(SectionData(1)[i], (int)CurveC()[red[i]]) << i;
        ASSERT_EQ(SectionData(2)[i], (int)CurveB()[green[i]]) << i;
        ASSERT_EQ(SectionData(3)[i], (int)CurveA()[blue[i]]) << i;
    }
    EXPECT_EQ(0, memcmp(ToneWorkTables[TONE_WORK_RED], red.data(), 256));
    EXPECT_EQ(0, memcmp(ToneWorkTables[TONE_WORK_GREEN], green.data(), 256));
    EXPECT_EQ(0, memcmp(ToneWorkTables[TONE_WORK_BLUE], blue.data(), 256));
}

TEST_F(ToneDownload, OutputMatchingCorrectsAStraightRampButKeepsTheToneTables) {
    settings.OutputMode = 3;
    settings.ToneSets[TONE_RED] = Set(0, 0, 22);
    settings.ToneSets[TONE_GREEN] = Set(0, 0, 16);
    settings.ToneSets[TONE_BLUE] = Set(0, 0, 20);
    BuildToneBlock(noPreview, settings);

    const std::vector<uint8_t> red = Lut(settings.ToneSets[TONE_RED]);
    EXPECT_EQ(Section(0), red);  // the red table itself, not the ramp
    for (int i = 0; i < 256; ++i) {
        ASSERT_EQ(SectionData(1)[i], (int)CurveC()[i]) << i;
        ASSERT_EQ(SectionData(2)[i], (int)CurveB()[i]) << i;
        ASSERT_EQ(SectionData(3)[i], (int)CurveA()[i]) << i;
    }
    // Values of the red, green and blue polynomials, computed apart.
    const struct {
        int section;
        int index;
        int value;
    } spots[] = {{1, 0, 0}, {1, 5, 2}, {1, 128, 136}, {1, 240, 247}, {1, 255, 255},
                 {2, 1, 0},  {2, 2, 1},  {2, 128, 143}, {2, 230, 249}, {2, 235, 255},
                 {3, 8, 0},  {3, 64, 68}, {3, 128, 138}, {3, 200, 206}, {3, 239, 255}};
    for (const auto& s : spots)
        EXPECT_EQ(SectionData(s.section)[s.index], s.value) << s.section << "/" << s.index;
    // The software correction still finds the tone tables.
    EXPECT_EQ(0, memcmp(ToneWorkTables[TONE_WORK_RED], red.data(), 256));
}

TEST_F(ToneDownload, PreviewTablesAreUsedOnlyWhenEveryConditionHolds) {
    uint8_t preview[4][256];
    for (int t = 0; t < 4; ++t)
        for (int i = 0; i < 256; ++i) preview[t][i] = (uint8_t)(255 - i + t);
    ApplyScanMode(settings, SCAN_MODE_GRAY);
    settings.ToneSets[TONE_MASTER] = Set(0, 0, 10);

    const TonePreviewState all = {true, true, false, 0, true, &preview[0][0]};
    struct Case {
        const char* name;
        TonePreviewState state;
        bool usesPreview;
    };
    Case cases[] = {
        {"all hold", all, true},
        {"no preview file", all, false},
        {"no prescan image", all, false},
        {"feeder selected", all, false},
        {"output matching chosen", all, false},
        {"no user interface", all, false},
        {"no preview tables", all, false},
    };
    cases[1].state.PreviewFileExists = false;
    cases[2].state.PrescanImageLoaded = false;
    cases[3].state.FeederSelected = true;
    cases[4].state.LastOutputMode = 2;
    cases[5].state.ShowUI = false;
    cases[6].state.PreviewTables = nullptr;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        memset(ToneWorkTables, 0, sizeof ToneWorkTables);
        BuildToneBlock(c.state, settings);
        for (int i = 0; i < 256; ++i)
            ASSERT_EQ(SectionData(0)[i], c.usesPreview ? preview[TONE_WORK_MASTER][i] : i) << i;
        EXPECT_EQ(memcmp(ToneWorkTables, preview, sizeof preview) == 0, c.usesPreview);
    }
}

TEST_F(ToneDownload, ARefusedToneSetSendsAStraightRampNotStaleTables) {
    ApplyScanMode(settings, SCAN_MODE_GRAY);
    settings.ToneSets[TONE_MASTER] = Set(30, 0, 0);  // gamma 0 is refused
    memset(ToneWorkTables, 0xC3, sizeof ToneWorkTables);
    BuildToneBlock(noPreview, settings);
    for (int i = 0; i < 256; ++i) ASSERT_EQ(SectionData(0)[i], i) << i;
}

TEST_F(ToneDownload, FirstSectionReplacesTheLoadedGammaCodes) {
    ApplyScanMode(settings, SCAN_MODE_GRAY);
    settings.ToneSets[TONE_MASTER] = Set(0, 64, 10);
    settings.GammaCodeCount = 1000;
    for (int i = 0; i < GAMMA_CODES_MAX; ++i) settings.GammaCodes[i] = (uint8_t)(i * 7);
    BuildToneBlock(noPreview, settings);
    EXPECT_EQ(settings.GammaCodeCount, 256);
    EXPECT_EQ(0, memcmp(settings.GammaCodes, SectionData(0), 256));
    EXPECT_EQ(settings.GammaCodes[128], 128);  // contrast 64 at entry 128
    EXPECT_EQ(settings.GammaCodes[300], (uint8_t)(300 * 7));
    // Beyond the 256 entries the section holds the loaded codes.
    EXPECT_EQ(0, memcmp(SectionData(0) + 256, settings.GammaCodes + 256, GAMMA_CODES_MAX - 256));
}

TEST_F(ToneDownload, FinishedDownloadRemembersModeAndToneSets) {
    ApplyScanMode(settings, SCAN_MODE_HALFTONE);
    settings.ToneSets[TONE_GREEN] = Set(-7, 9, 12);
    ToneDownloadFinished(0, settings);
    EXPECT_EQ(GammaTableMode, SCAN_MODE_HALFTONE);
    EXPECT_EQ(0, memcmp(DownloadedToneSets, settings.ToneSets, sizeof DownloadedToneSets));

    ScanSettingsRecord other = settings;
    other.ToneSets[TONE_GREEN] = Set(1, 2, 3);
    ToneDownloadFinished(0x8216, other);
    EXPECT_EQ(GammaTableMode, 0);
    EXPECT_EQ(DownloadedToneSets[TONE_GREEN].Brightness, -7);  // last successful download
}

TEST(CorrectionCurves, PolynomialsScaledAndClampedWithTheConstantTermAtZero) {
    BuildCorrectionCurves();
    struct Curve {
        const char* name;
        const float* table;
        double c[6];  // x^5 .. constant
    };
    const Curve curves[] = {
        {"A", CurveA(), {3.8062, -8.0736, 6.2445, -2.3811, 1.5784, -0.0495}},
        {"B", CurveB(), {1.5423, -2.8118, 1.8395, -0.7248, 1.2881, -0.0029}},
        {"C", CurveC(), {-0.1755, -0.0641, 0.6695, -0.6895, 1.2932, -0.0148}},
    };
    for (const Curve& curve : curves) {
        SCOPED_TRACE(curve.name);
        EXPECT_FLOAT_EQ(curve.table[0], (float)curve.c[5]);
        EXPECT_EQ((int)curve.table[0], 0);
        for (int i = 1; i < 256; ++i) {
            const double x = i / 255.0;
            double y = 0;
            for (int p = 0; p < 6; ++p) y += curve.c[p] * pow(x, 5 - p);
            y = fmin(fmax(y * 255.0, 0.0), 255.0);
            ASSERT_NEAR(curve.table[i], y, 1e-3) << i;
        }
        EXPECT_EQ(curve.table[255], 255.0f);  // all three exceed 1 at x = 1
    }
    EXPECT_EQ(CurveA()[1], 0.0f);  // negative near black, clamped
    // Building again gives the same tables.
    float before[256];
    memcpy(before, CurveB(), sizeof before);
    BuildCorrectionCurves();
    EXPECT_EQ(0, memcmp(before, CurveB(), sizeof before));
}

}  // namespace
