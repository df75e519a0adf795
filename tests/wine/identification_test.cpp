// Identifying the scanner at open, against the simulator configured as
// different scanners: the identity's version text, the feeder flags and the
// film sources.
#include <gtest/gtest.h>

#include <string.h>

#include <string>

#include "device/command_blocks.h"
#include "device/device_flags.h"
#include "device/identification.h"
#include "device/port_driver.h"
#include "settings/scan_settings.h"
#include "tests/wine/harness/in_process_scanner.h"
#include "tests/wine/harness/twain_app.h"
#include "twain/ds_entry.h"

using namespace twtest;

namespace {

const char Section[] = "PLNX_Q7B Simulator";

struct Identified {
    std::string info;
    std::string family;
    uint32_t extended, feederInstalled, feederSelected;
    uint8_t scanSource;
    uint16_t filterMode;
};

Identified Identify() {
    OnProcessAttach(GetModuleHandleA(nullptr));
    ExtendedOptions = FeederInstalled = FeederSelected = 7;
    ScanSettings = InitialScanSettings();
    ScanSettings.ScanSource = 9;
    TW_IDENTITY identity = {};
    strcpy(identity.ProductFamily, "Korvan Scan");
    EXPECT_EQ(BindPortDriver(SimulatorDriverPath().c_str()), DRIVER_BOUND);
    IdentifyScanner(identity);
    UnbindPortDriver();
    return {identity.Version.Info, identity.ProductFamily, ExtendedOptions, FeederInstalled, FeederSelected,
            ScanSettings.ScanSource, ScanSettings.FilterMode};
}

}  // namespace

TEST(Identification, ScannersConfiguredDifferentlyIdentifyThemselves) {
    struct Case {
        const char* name;
        const char* firmware;  // nullptr: the default "1.07"
        const char* notReady;
        const char* feeder;
        const char* paper;
        const char* film;
        const char* info;
        uint32_t extended, installed, selected;
        uint8_t source;
    } cases[] = {
        {"plain flatbed", nullptr, "0", "0", "0", "0", "1107" "0PLNX_Q7B.DS\nParallel Port\n", 0, 0, 0, 9},
        {"film and other firmware", "2.13", "0", "0", "0", "1", "1213" "0PLNX_Q7B.DS\nParallel Port\n", 1, 0, 0, 9},
        {"not ready", "1.07", "1", "0", "0", "0", "0107" "0PLNX_Q7B.DS\nParallel Port\n", 0, 0, 0, 9},
        {"feeder without paper", "1.07", "0", "1", "0", "0", "1107" "1PLNX_Q7B.DS\nParallel Port\n", 0, 1, 0, 0},
        {"feeder with paper", "1.07", "0", "1", "1", "0", "1107" "1PLNX_Q7B.DS\nParallel Port\n", 0, 1, 1, 3},
        // A zero first revision byte ends the prefix after the readiness.
        {"zero revision byte", "", "0", "0", "0", "0", "1PLNX_Q7B.DS\nParallel Port\n", 0, 0, 0, 9},
    };
    WinIniSectionGuard guard(Section);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        winini::DeleteSection(Section);
        if (c.firmware) winini::WriteKey(Section, "Firmware", c.firmware);
        winini::WriteKey(Section, "NotReady", c.notReady);
        winini::WriteKey(Section, "FeederInstalled", c.feeder);
        winini::WriteKey(Section, "PaperLoaded", c.paper);
        winini::WriteKey(Section, "FilmSources", c.film);
        Identified id = Identify();
        EXPECT_EQ(id.info, c.info);
        EXPECT_EQ(id.family, "Flatbed Scanner");
        EXPECT_EQ(id.extended, c.extended);
        EXPECT_EQ(id.feederInstalled, c.installed);
        EXPECT_EQ(id.feederSelected, c.selected);
        EXPECT_EQ(id.scanSource, c.source);
        // Pages from the feeder come out mirrored: the Flip filter.
        EXPECT_EQ(id.filterMode, c.selected ? 2 : 0);
    }
}

TEST(Identification, OpenedSourceShowsTheFeederInItsVersionText) {
    WinIniSectionGuard guard(Section);
    winini::DeleteSection(Section);
    winini::WriteKey(Section, "FeederInstalled", "1");
    winini::WriteKey(Section, "Firmware", "3.21");
    TwainSession session;
    ASSERT_TRUE(session.Start("Korvan F/B Scanner (N)"));
    EXPECT_STREQ(session.Source().Version.Info, "1321" "1PLNX_Q7B.DS\nParallel Port\n");
    EXPECT_STREQ(session.Source().ProductFamily, "Flatbed Scanner");
}
