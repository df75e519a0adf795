// Output matching on a native transfer, in process against the simulator:
// the scanner gets the curves of the identity, and every colour line taken
// from the ring goes through the software correction before it is stored
// blue-green-red in the bitmap.
#include <gtest/gtest.h>

#include <string.h>

#include <string>
#include <vector>

#include "device/command_blocks.h"
#include "device/identification.h"
#include "device/port_driver.h"
#include "device/tone_table.h"
#include "pipeline/colour_correction.h"
#include "pipeline/dib_layout.h"
#include "pipeline/native_acquisition.h"
#include "pipeline/scan_start.h"
#include "pipeline/scan_state.h"
#include "settings/scan_settings.h"
#include "tests/wine/harness/expected_lines.h"
#include "tests/wine/harness/in_process_scanner.h"
#include "twain/capability_state.h"
#include "twain/ds_entry.h"
#include "twain/source_state.h"

TEST(OutputMatching, NativeColourLinesAreCorrectedBeforeTheyAreStored) {
    ASSERT_TRUE(twtest::OpenSimulatedScanner());
    BuildColourCorrection();
    ScanSettings = InitialScanSettings();
    ScanSettings.ScanResolution = 150;
    ScanSettings.OutputMode = 3;
    XferMechIndex = 0;  // native
    FileFormatIndex = 0;
    ScanFrame frame = {300, 600, 1500, 1200};
    ASSERT_EQ(StartScan(nullptr, 0, 0, frame), 1);
    const ScanGeometry g = CurrentScan.Geometry;

    uint32_t lines = 0;
    std::vector<uint8_t> ring = twtest::RingLinesOfThisScan(g.LineBytes, &lines);
    ASSERT_EQ(lines, g.OutLines);
    ColourCorrector corrector;
    PrepareColourCorrector(&corrector, ToneWorkTables[TONE_WORK_RED], ToneWorkTables[TONE_WORK_GREEN],
                           ToneWorkTables[TONE_WORK_BLUE]);

    HGLOBAL handle = AcquireNativeImage();
    ASSERT_NE(handle, nullptr);
    EXPECT_EQ(ReturnCode, TWRC_XFERDONE);
    uint8_t* dib = static_cast<uint8_t*>(GlobalLock(handle));
    std::vector<uint8_t> corrected(g.LineBytes);
    size_t differing = 0;
    for (uint32_t i = 0; i < lines; ++i) {
        const uint8_t* line = &ring[(size_t)i * g.LineBytes];
        CorrectColourLine(corrector, line, corrected.data(), g.LineBytes / 3);
        std::vector<uint8_t> row(g.DibStride, 0);
        StoreDibLine(row.data(), corrected.data(), g.LineBytes, KIND_COLOR);
        const uint8_t* got = DibRowForLine(dib, g, KIND_COLOR, i);
        EXPECT_EQ(memcmp(got, row.data(), g.LineBytes), 0) << "line " << i;
        if (memcmp(line, corrected.data(), g.LineBytes) != 0) ++differing;
    }
    EXPECT_GT(differing, 0u);  // the correction did change the page's colours
    GlobalUnlock(handle);
    GlobalFree(handle);
    UnbindPortDriver();
}
