// The command blocks the scanner receives when a scan is set up, byte for
// byte as the simulator recorded them: the scan parameters and the tone
// download for a LineArt, a resampled Gray and a Color scan.
#include <gtest/gtest.h>

#include <string.h>

#include <string>
#include <vector>

#include "device/scan_parameters.h"
#include "tests/wine/harness/acquisition.h"

using namespace twtest;

namespace {

const char SimulatorSection[] = "PLNX_Q7B Simulator";
const char SettingsSection[] = "T40 IV N";

std::vector<uint8_t> ReadAll(const std::string& path) {
    std::vector<uint8_t> data;
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return data;
    data.resize(GetFileSize(h, nullptr));
    DWORD read = 0;
    ReadFile(h, data.data(), (DWORD)data.size(), &read, nullptr);
    CloseHandle(h);
    return data;
}

int U16(const std::vector<uint8_t>& b, size_t at) { return b[at] | (b[at + 1] << 8); }

struct Blocks {
    std::vector<uint8_t> params, tone;
};

// Sets up a scan without the dialog and returns the blocks it sent.
Blocks SetUpScan(const AcquisitionRequest& r, const std::string& record) {
    CreateDirectoryA(record.c_str(), nullptr);
    DeleteFileA((record + "\\SPI_SET_PARAMS.bin").c_str());
    DeleteFileA((record + "\\SPI_SEND_TONE.bin").c_str());
    TwainSession s;
    EXPECT_TRUE(StartAcquisition(s, r));
    return {ReadAll(record + "\\SPI_SET_PARAMS.bin"), ReadAll(record + "\\SPI_SEND_TONE.bin")};
}

}  // namespace

TEST(ScannerBlocks, ScanSetUpSendsTheParameterAndToneBlocksByteForByte) {
    struct Case {
        const char* name;
        TW_UINT16 pixelType;
        double dpi;
        double brightness;   // ICAP_BRIGHTNESS; x 0.127 gives the tone brightness
        const char* autoExposure;
        const char* enhMode;
        int imageType, resolution, threshold, kind;
    } cases[] = {
        {"lineart, brightness -100", TWPT_BW, 300, -788, "0", "0", 0, 300, 255, 16},
        {"lineart, brightness +100", TWPT_BW, 300, 788, "0", "0", 0, 300, 58, 16},
        {"lineart, auto exposure", TWPT_BW, 300, 0, "1", "0", 0, 300, 148, 16},
        {"gray 600 resampled by the driver", TWPT_GRAY, 600, 0, "0", "0", 2, 300, -1, 16},
        {"color", TWPT_RGB, 150, 0, "0", "0", 3, 150, -1, 8},
        {"color, tonal mode 1", TWPT_RGB, 150, 0, "0", "1", 3, 150, -1, 7},
    };
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    std::string record = std::string(temp) + "blocks";
    WinIniSectionGuard simulator(SimulatorSection);
    WinIniSectionGuard settings(SettingsSection);
    winini::WriteKey(SimulatorSection, "RecordDir", record.c_str());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        winini::WriteKey(SettingsSection, "AutoExposure", c.autoExposure);
        winini::WriteKey(SettingsSection, "EnhMode", c.enhMode);
        AcquisitionRequest r;
        r.PixelType = c.pixelType;
        r.Dpi = c.dpi;
        r.Frame[0] = 1, r.Frame[1] = 2, r.Frame[2] = 3, r.Frame[3] = 2.5;
        r.SetBrightness = true;
        r.Brightness = c.brightness;
        Blocks b = SetUpScan(r, record);
        ASSERT_EQ(b.params.size(), 28u);
        ASSERT_EQ(b.tone.size(), 16400u);
        // Parameters: the frame in 1/600 inch (right edge after the width
        // rule), reflective source, 1, type, speed, resolution.
        EXPECT_EQ(U16(b.params, 0), 0);
        EXPECT_EQ(U16(b.params, 4), 0);
        EXPECT_EQ(U16(b.params, 6), 600);
        EXPECT_EQ(U16(b.params, 8), 1200);
        int right = 1800;
        ApplyFrameWidthRule(600, right, c.resolution, (uint16_t)(1011 + c.imageType));
        EXPECT_EQ(U16(b.params, 10), right);
        EXPECT_EQ(U16(b.params, 12), 1500);
        EXPECT_EQ(b.params[14], 0);
        EXPECT_EQ(b.params[15], 1);
        EXPECT_EQ(b.params[16], c.imageType);
        // Slow mode (speed code 2) for LineArt and Gray while DSLANGUAGE is
        // not "English" (its default is "None").
        EXPECT_EQ(b.params[17], c.imageType == 0 || c.imageType == 2 ? 2 : 0);
        EXPECT_EQ(U16(b.params, 18), c.resolution);
        // Tones: threshold (LineArt), table kind, four sections of 256.
        if (c.threshold >= 0) {
            EXPECT_EQ(b.tone[6], c.threshold);
        }
        EXPECT_EQ(b.tone[7], c.kind);
        for (int k = 0; k < 4; ++k) EXPECT_EQ(U16(b.tone, 8 + k * 4098), 256) << "section " << k;
        if (c.imageType != 3) {
            // One master table in all four sections.
            for (int k = 1; k < 4; ++k) {
                EXPECT_EQ(memcmp(&b.tone[10], &b.tone[10 + k * 4098], 256), 0) << "section " << k;
            }
        }
    }
}
