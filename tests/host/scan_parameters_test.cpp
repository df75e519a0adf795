#include <stdint.h>
#include <string.h>

#include <gtest/gtest.h>

#include "device/command_blocks.h"
#include "device/device_flags.h"
#include "device/scan_parameters.h"
#include "settings/scan_settings.h"

namespace {

class ScanParameters : public ::testing::Test {
protected:
    void SetUp() override {
        savedDoubleRes = DoubleRes;
        savedResample = DriverResample;
        memcpy(savedBlock, ScanParamBlock, sizeof savedBlock);
    }
    void TearDown() override {
        DoubleRes = savedDoubleRes;
        DriverResample = savedResample;
        memcpy(ScanParamBlock, savedBlock, sizeof savedBlock);
    }

private:
    uint32_t savedDoubleRes;
    uint32_t savedResample;
    uint8_t savedBlock[SP_BLOCK_SIZE];
};

TEST_F(ScanParameters, DeviceResolutionDoublingAndDriverResampling) {
    struct Case {
        const char* name;
        int resolution;
        int scaling;
        uint16_t mode;
        bool native;
        uint32_t doubleBefore;
        int device;
        int target;
        uint32_t doubleRes;
        uint32_t resample;
    };
    const Case cases[] = {
        {"300 Gray", 300, 100, SCAN_MODE_GRAY, false, 0, 300, 300, 0, 0},
        {"600 Gray resampled", 600, 100, SCAN_MODE_GRAY, false, 0, 300, 600, 0, 1},
        {"350 Color resampled", 350, 100, SCAN_MODE_COLOR, false, 0, 300, 350, 0, 1},
        {"1200 Gray doubled and resampled", 1200, 100, SCAN_MODE_GRAY, false, 0, 300, 600, 1, 1},
        {"1200 LineArt doubled", 1200, 100, SCAN_MODE_LINEART, false, 0, 600, 600, 1, 0},
        {"600 LineArt", 600, 100, SCAN_MODE_LINEART, false, 0, 600, 600, 0, 0},
        {"600 Halftone", 600, 100, SCAN_MODE_HALFTONE, false, 0, 600, 600, 0, 0},
        {"2400 LineArt doubled then capped", 2400, 100, SCAN_MODE_LINEART, false, 0, 600, 600, 1, 0},
        {"300 at 200 percent is not doubled", 300, 200, SCAN_MODE_GRAY, false, 0, 300, 600, 0, 1},
        {"400 at 200 percent doubles, scaling dropped", 400, 200, SCAN_MODE_LINEART, false, 0, 200, 200, 1, 0},
        {"150 at 50 percent", 150, 50, SCAN_MODE_LINEART, false, 0, 75, 75, 0, 0},
        {"memory transfer clears a stale doubling", 300, 100, SCAN_MODE_GRAY, false, 1, 300, 300, 0, 0},
        {"native keeps the doubling", 1200, 100, SCAN_MODE_GRAY, true, 1, 300, 600, 1, 1},
        {"native keeps it at 300 too", 300, 100, SCAN_MODE_LINEART, true, 1, 150, 150, 1, 0},
        {"native does not set it", 1200, 100, SCAN_MODE_LINEART, true, 0, 600, 600, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DoubleRes = c.doubleBefore;
        DriverResample = c.resample ? 0 : 1;  // must be overwritten either way
        uint16_t device = 0xFFFF;
        const int target = ComputeDeviceResolution(c.resolution, c.scaling, c.mode, c.native, device);
        EXPECT_EQ(device, c.device);
        EXPECT_EQ(target, c.target);
        EXPECT_EQ(DoubleRes, c.doubleRes);
        EXPECT_EQ(DriverResample, c.resample);
    }
}

TEST(FrameWidthRule, AnalyserCountsOnePixelPerCrossingOf600) {
    EXPECT_EQ(FramePixelCount(600, 300), 300);
    EXPECT_EQ(FramePixelCount(0, 300), 0);
    // Starting full, the analyser gives ceil(width * r / 600) pixels.
    for (int r = 1; r <= 600; r += 7)
        for (int width = 0; width <= 700; width += 13)
            ASSERT_EQ(FramePixelCount(width, r), (width * r + 599) / 600) << width << " @ " << r;
    EXPECT_EQ(FrameLineLength(600, 300, SCAN_MODE_GRAY), 298);
    EXPECT_EQ(FrameLineLength(600, 300, SCAN_MODE_COLOR), 298);
    EXPECT_EQ(FrameLineLength(600, 300, SCAN_MODE_LINEART), 37);
    EXPECT_EQ(FrameLineLength(600, 300, SCAN_MODE_HALFTONE), 37);
}

TEST(FrameWidthRule, RightEdgeMovesLeftUntilTheLineLengthIsAccepted) {
    struct Case {
        const char* name;
        int left;
        int right;
        int r;
        uint16_t mode;
        int expectedRight;
    };
    const Case cases[] = {
        // n = 300, length 298; 599 and 598 keep n at 300 or 299, 596 gives 296.
        {"1 inch Gray at 300", 0, 600, 300, SCAN_MODE_GRAY, 596},
        {"same width further right", 100, 700, 300, SCAN_MODE_GRAY, 696},
        {"already acceptable", 0, 596, 300, SCAN_MODE_GRAY, 596},
        {"Color at 300", 600, 1200, 300, SCAN_MODE_COLOR, 1196},
        // n = 300 gives 37 bytes; 590 steps give 295 pixels, 36 bytes.
        {"1 inch LineArt at 300", 0, 600, 300, SCAN_MODE_LINEART, 590},
        // n = 600 gives 75 bytes; 583 pixels give 72.
        {"1 inch Halftone at 600", 0, 600, 600, SCAN_MODE_HALFTONE, 583},
        {"LineArt already acceptable", 0, 583, 600, SCAN_MODE_LINEART, 583},
        // 128 bytes is a multiple of 128: 126 steps give 124.
        {"a length of 128 is refused", 0, 130, 600, SCAN_MODE_GRAY, 126},
        {"a length of 4 is accepted", 0, 6, 600, SCAN_MODE_GRAY, 6},
        {"too narrow for any length stops at the left edge", 10, 13, 300, SCAN_MODE_GRAY, 10},
        {"LineArt 5 bytes become 4", 0, 40, 600, SCAN_MODE_LINEART, 39},
        {"LineArt under 8 pixels stops at the left edge", 0, 7, 600, SCAN_MODE_LINEART, 0},
        {"zero width left alone", 200, 200, 300, SCAN_MODE_GRAY, 200},
        {"right edge left of the left edge left alone", 300, 100, 300, SCAN_MODE_GRAY, 100},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        int right = c.right;
        ApplyFrameWidthRule(c.left, right, c.r, c.mode);
        EXPECT_EQ(right, c.expectedRight);
        if (right > c.left) {
            const int length = FrameLineLength(right - c.left, c.r, c.mode);
            EXPECT_EQ(length % 4, 0);
            EXPECT_NE(length % 128, 0);
        }
    }
}

TEST(SlowMode, SpeedCodeAndWait) {
    struct Case {
        const char* dsLanguage;
        uint16_t mode;
        uint8_t source;
        int speed;
    };
    const Case cases[] = {
        {"None", SCAN_MODE_GRAY, SCAN_SOURCE_REFLECTIVE, 2},
        {nullptr, SCAN_MODE_LINEART, SCAN_SOURCE_REFLECTIVE, 2},  // default "None"
        {"German", SCAN_MODE_LINEART, SCAN_SOURCE_TRANSPARENCY, 2},
        {"None", SCAN_MODE_GRAY, SCAN_SOURCE_FEEDER_CAP, 2},  // only 3 is the feeder here
        {"English ", SCAN_MODE_GRAY, SCAN_SOURCE_REFLECTIVE, 2},
        {"", SCAN_MODE_GRAY, SCAN_SOURCE_REFLECTIVE, 2},
        {"None", SCAN_MODE_GRAY, SCAN_SOURCE_FEEDER, 0},
        {"None", SCAN_MODE_HALFTONE, SCAN_SOURCE_REFLECTIVE, 0},
        {"None", SCAN_MODE_COLOR, SCAN_SOURCE_REFLECTIVE, 0},
        {"English", SCAN_MODE_GRAY, SCAN_SOURCE_REFLECTIVE, 0},
        {"english", SCAN_MODE_LINEART, SCAN_SOURCE_REFLECTIVE, 0},
        {"ENGLISH", SCAN_MODE_GRAY, SCAN_SOURCE_REFLECTIVE, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.dsLanguage ? c.dsLanguage : "(null)") << " mode "
                                        << c.mode << " source " << (int)c.source);
        EXPECT_EQ(SlowModeNibble(c.dsLanguage, c.mode, c.source), c.speed);
        EXPECT_EQ(SlowModeWaitRequired("Yes", c.dsLanguage, c.mode, c.source), c.speed == 2);
    }
    const char* noWait[] = {"No", "no", "NO", nullptr};
    for (const char* value : noWait)
        EXPECT_FALSE(SlowModeWaitRequired(value, "None", SCAN_MODE_GRAY, SCAN_SOURCE_REFLECTIVE));
    EXPECT_TRUE(SlowModeWaitRequired("", "None", SCAN_MODE_GRAY, SCAN_SOURCE_REFLECTIVE));
    EXPECT_TRUE(SlowModeWaitRequired("Nope", "None", SCAN_MODE_GRAY, SCAN_SOURCE_REFLECTIVE));
}

TEST(VelocityBits, SpeedNibbleAndFilmBits) {
    EXPECT_EQ(SetSpeedNibble(0x31, 2), 0x32);
    EXPECT_EQ(SetSpeedNibble(0xB2, 0), 0xB0);
    EXPECT_EQ(SetSpeedNibble(0x0F, 2), 0x02);

    struct Case {
        uint8_t velocity;
        uint32_t extended;
        uint32_t filmType;
        uint8_t expected;
    };
    const Case cases[] = {
        {0x01, 0, 3, 0x01},            // no film sources: untouched
        {0x01, 1, 3, 0x31},            // positive film
        {0x02, 1, 0x00010003, 0xB2},   // negative film
        {0x80, 1, 3, 0xB0},            // only OR-ed, never cleared
        {0x30, 1, 0, 0x30},
        {0x00, 1, 0x00010000, 0x80},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MergeTransparencyBits(c.velocity, c.extended, c.filmType), c.expected)
            << std::hex << (int)c.velocity << " " << c.extended << " " << c.filmType;
}

TEST_F(ScanParameters, BlockGetsBytes6To19AndLeavesTheRest) {
    const struct {
        uint16_t mode;
        int type;
    } modes[] = {{SCAN_MODE_LINEART, 0}, {SCAN_MODE_HALFTONE, 1}, {SCAN_MODE_GRAY, 2}, {SCAN_MODE_COLOR, 3}};
    for (const auto& m : modes) {
        SCOPED_TRACE(m.mode);
        ScanSettingsRecord settings = InitialScanSettings();
        ApplyScanMode(settings, m.mode);
        settings.ScanSource = SCAN_SOURCE_TRANSPARENCY;
        settings.Velocity = 0xB2;
        settings.DeviceResolution = 0x0258;
        uint8_t block[SP_BLOCK_SIZE];
        memset(block, 0xEE, sizeof block);
        BuildScanParamBlock(ScanFrame{0x0102, 0x0304, 0x1506, 0x1B08}, settings, block);
        const uint8_t expected[14] = {0x02, 0x01, 0x04, 0x03, 0x06, 0x15, 0x08, 0x1B,
                                      1, 1, (uint8_t)m.type, 0xB2, 0x58, 0x02};
        for (int i = 0; i < 6; ++i) EXPECT_EQ(block[i], 0xEE) << i;
        for (int i = 0; i < 14; ++i) EXPECT_EQ(block[6 + i], expected[i]) << 6 + i;
        for (int i = 20; i < SP_BLOCK_SIZE; ++i) EXPECT_EQ(block[i], 0xEE) << i;
    }
}

TEST_F(ScanParameters, PreparedBlockUsesTheScanningResolutionForTheWidthRule) {
    ScanSettingsRecord settings = InitialScanSettings();
    ApplyScanMode(settings, SCAN_MODE_GRAY);
    settings.ScanResolution = 600;  // scanned at 300, resampled by the driver
    memset(ScanParamBlock, 0xEE, sizeof ScanParamBlock);
    ScanFrame frame{0, 60, 600, 660};
    EXPECT_EQ(PrepareScanParamBlock(frame, settings, false), 600);
    EXPECT_EQ(DriverResample, 1u);
    EXPECT_EQ(settings.DeviceResolution, 300);
    EXPECT_EQ(frame.Right, 596);  // written back
    EXPECT_EQ(GetU16(ScanParamBlock, SP_RIGHT), 596);
    EXPECT_EQ(GetU16(ScanParamBlock, SP_BOTTOM), 660);
    EXPECT_EQ(GetU16(ScanParamBlock, SP_RESOLUTION), 300);
    EXPECT_EQ(ScanParamBlock[SP_IMAGE_TYPE], IMAGE_TYPE_GRAY);
    EXPECT_EQ(ScanParamBlock[SP_BLOCK_SIZE - 1], 0xEE);
}

}  // namespace
