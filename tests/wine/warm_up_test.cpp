// The lamp warm-up: SPI_POWER with byte 6 = 0, then a wait of WARMUPTICKS
// milliseconds (1000 when absent, 0 when not a number) that ends at the
// deadline the dialog's ready timer reuses.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "device/command_blocks.h"
#include "device/port_driver.h"
#include "device/warm_up.h"
#include "tests/wine/harness/in_process_scanner.h"
#include "tests/wine/harness/twain_app.h"
#include "twain/ds_entry.h"

using namespace twtest;

TEST(WarmUp, WaitsTheConfiguredTicksAfterWakingTheLamp) {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    std::string record = std::string(temp) + "warmup";
    CreateDirectoryA(record.c_str(), nullptr);
    WinIniGuard keys({"WARMUPTICKS"});
    WinIniSectionGuard simulator("PLNX_Q7B Simulator");
    winini::WriteKey("PLNX_Q7B Simulator", "RecordDir", record.c_str());
    OnProcessAttach(GetModuleHandleA(nullptr));
    ASSERT_EQ(BindPortDriver(SimulatorDriverPath().c_str()), DRIVER_BOUND);
    DriverOpenDevice();
    struct Case {
        const char* value;  // nullptr: no key
        DWORD ticks;
    } cases[] = {{"300", 300}, {nullptr, 1000}, {"abc", 0}, {"45x", 45}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value ? c.value : "(absent)");
        if (c.value)
            winini::WriteKey("PLNINFO_Q7B", "WARMUPTICKS", c.value);
        else
            winini::DeleteKey("PLNINFO_Q7B", "WARMUPTICKS");
        PowerBlock[POWER_STATE] = 1;
        DeleteFileA((record + "\\SPI_POWER.bin").c_str());
        DWORD before = GetTickCount();
        WarmUpScanner();
        DWORD after = GetTickCount();
        DWORD planned = ReadyDeadline - before;
        EXPECT_GE(planned, c.ticks);
        EXPECT_LE(planned, c.ticks + 50);
        EXPECT_GE((int32_t)(after - ReadyDeadline), 0);  // not before the deadline
        HANDLE h = CreateFileA((record + "\\SPI_POWER.bin").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(h, INVALID_HANDLE_VALUE);
        uint8_t block[POWER_BLOCK_SIZE] = {};
        DWORD read = 0;
        ReadFile(h, block, sizeof block, &read, nullptr);
        CloseHandle(h);
        EXPECT_EQ(block[POWER_STATE], 0);  // wake and light the lamp
    }
    UnbindPortDriver();
}
