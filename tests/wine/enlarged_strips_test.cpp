// Resolutions above 600 dpi in memory strips, driven in process against the
// simulator as the dialog sets them up (DoubleRes from the resolution,
// DpiScale 0, 2, 3 or 4): every strip holds whole groups of enlarged rows,
// and the rows equal the enlarger applied to the scanner's 600 dpi lines,
// across strip boundaries.
#include <gtest/gtest.h>

#include <stdio.h>
#include <string.h>

#include <string>
#include <vector>

#include "device/command_blocks.h"
#include "device/device_flags.h"
#include "device/identification.h"
#include "device/port_driver.h"
#include "pipeline/enlarger.h"
#include "pipeline/file_acquisition.h"
#include "pipeline/memory_acquisition.h"
#include "pipeline/scan_start.h"
#include "pipeline/scan_state.h"
#include "settings/scan_settings.h"
#include "tests/wine/harness/expected_lines.h"
#include "tests/wine/harness/in_process_scanner.h"
#include "tests/wine/harness/twain_app.h"
#include "twain/capability_state.h"
#include "twain/ds_entry.h"
#include "twain/source_state.h"

using namespace twtest;

TEST(EnlargedStrips, StripsEqualTheEnlargerAppliedToTheScannedLines) {
    struct Case {
        uint16_t scanMode;
        uint32_t dpiScale;
        uint32_t reportedDpi;
    } cases[] = {{1013, 0, 1200}, {1013, 2, 2400}, {1014, 3, 3600}, {1013, 4, 4800}, {1011, 2, 2400}, {1014, 0, 1200}};
    ASSERT_TRUE(OpenSimulatedScanner());
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << c.scanMode << " DpiScale " << c.dpiScale);
        ScanSettings = InitialScanSettings();
        ScanSettings.ScanMode = c.scanMode;
        ScanSettings.ColorScan = c.scanMode == 1014;
        ScanSettings.ScanResolution = 1200;
        ScanSettings.DpiScale = (uint16_t)c.dpiScale;
        XferMechIndex = 2;  // memory
        FileFormatIndex = 0;
        ScanFrame frame = {600, 600, 900, 690};  // half an inch by 0.15 inch
        ASSERT_EQ(StartScan(nullptr, 0, 0, frame), 1);
        EXPECT_EQ(DoubleRes, 1u);
        const ScanGeometry g = CurrentScan.Geometry;
        EXPECT_EQ(g.ReportedDpi, c.reportedDpi);

        // What the scanner sent, at 600 dpi in the ring.
        EXPECT_EQ(ScanParamBlock[SP_IMAGE_TYPE], c.scanMode - 1011);
        uint32_t ringLines = 0;
        std::vector<uint8_t> ring = RingLinesOfThisScan(g.LineBytes, &ringLines);
        ASSERT_EQ(ringLines, g.OutLines);
        uint32_t f = c.dpiScale >= 2 ? 2 * c.dpiScale : 2;
        std::vector<uint8_t> expected(EnlargedBytes(f, ringLines, g.LineBytes));
        EnlargerState state = {};
        ASSERT_EQ(EnlargeLines(&state, EnlargeKindFor(CurrentScan.Kind), f, ring.data(), ringLines, g.LineBytes,
                               expected.data()),
                  1);
        FreeEnlarger(&state);

        // Small LineArt rows would all fit one buffer of the size the others use.
        std::vector<uint8_t> got, buffer(c.scanMode == 1011 ? 2048 : 65536);
        uint32_t strips = 0;
        for (;;) {
            TW_IMAGEMEMXFER xfer = {};
            AcquireMemoryStrip(buffer.data(), (uint32_t)buffer.size(), xfer);
            ASSERT_TRUE(ReturnCode == TWRC_SUCCESS || ReturnCode == TWRC_XFERDONE) << ReturnCode;
            EXPECT_EQ(xfer.BytesPerRow, f * g.LineBytes);
            EXPECT_EQ(xfer.Rows % f, 0u);
            EXPECT_EQ(xfer.YOffset, got.size() / (f * g.LineBytes));
            EXPECT_EQ(xfer.BytesWritten, xfer.BytesPerRow * xfer.Rows);
            got.insert(got.end(), buffer.begin(), buffer.begin() + xfer.BytesWritten);
            ++strips;
            if (ReturnCode == TWRC_XFERDONE) break;
        }
        EXPECT_GT(strips, 1u);  // the carried line crossed strip boundaries
        EXPECT_EQ(got.size(), expected.size());
        EXPECT_TRUE(got == expected);
        EXPECT_EQ(got.size() / (f * g.LineBytes), g.DeliveredLines);
    }
    UnbindPortDriver();
}

TEST(EnlargedStrips, FileTransferAbove600DpiWritesTheEnlargedRows) {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    ASSERT_TRUE(OpenSimulatedScanner());
    snprintf(DefaultFileXferSetup.FileName, sizeof DefaultFileXferSetup.FileName, "%sKORVANE2E.TIF", temp);
    snprintf(FileXferSetup.FileName, sizeof FileXferSetup.FileName, "%senlarged.tif", temp);
    for (uint32_t dpiScale : {0u, 3u}) {
        SCOPED_TRACE(dpiScale);
        ScanSettings = InitialScanSettings();
        ScanSettings.ScanMode = 1014;
        ScanSettings.ScanResolution = 1200;
        ScanSettings.DpiScale = (uint16_t)dpiScale;
        XferMechIndex = 1;  // file
        FileFormatIndex = 0;
        ScanFrame frame = {600, 600, 780, 660};
        ASSERT_EQ(StartScan(nullptr, 0, 0, frame), 1);
        const ScanGeometry g = CurrentScan.Geometry;
        uint32_t ringLines = 0;
        std::vector<uint8_t> ring = RingLinesOfThisScan(g.LineBytes, &ringLines);
        ASSERT_EQ(ringLines, g.OutLines);
        uint32_t f = dpiScale >= 2 ? 2 * dpiScale : 2;
        std::vector<uint8_t> expected(EnlargedBytes(f, ringLines, g.LineBytes));
        EnlargerState state = {};
        ASSERT_EQ(EnlargeLines(&state, ENLARGE_COLOR, f, ring.data(), ringLines, g.LineBytes, expected.data()), 1);
        FreeEnlarger(&state);

        AcquireToFile();
        ASSERT_EQ(ReturnCode, TWRC_XFERDONE);
        HANDLE file = CreateFileA(FileXferSetup.FileName, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        DWORD size = GetFileSize(file, nullptr);
        std::vector<uint8_t> tiff(size);
        DWORD read = 0;
        ReadFile(file, tiff.data(), size, &read, nullptr);
        CloseHandle(file);
        DeleteFileA(FileXferSetup.FileName);
        // A Color header of 144 bytes, then the enlarged rows as delivered.
        ASSERT_EQ(size, 144 + expected.size());
        EXPECT_TRUE(memcmp(tiff.data() + 144, expected.data(), expected.size()) == 0);
        EXPECT_EQ(GetFileAttributesA(DefaultFileXferSetup.FileName), INVALID_FILE_ATTRIBUTES);  // work file gone
    }
    UnbindPortDriver();
}
