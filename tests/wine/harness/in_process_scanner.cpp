#include "tests/wine/harness/in_process_scanner.h"

#include <windows.h>

#include "device/command_blocks.h"
#include "device/device_flags.h"
#include "device/identification.h"
#include "device/port_driver.h"
#include "pipeline/scan_state.h"
#include "tests/wine/harness/expected_lines.h"
#include "twain/ds_entry.h"

namespace twtest {

std::string SimulatorDriverPath() {
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, sizeof windows);
    return std::string(windows) + "\\TWAIN_32\\PLNX_Q7B\\PLNX_Q7B.IOB";
}

bool OpenSimulatedScanner() {
    OnProcessAttach(GetModuleHandleA(nullptr));
    if (BindPortDriver(SimulatorDriverPath().c_str()) != DRIVER_BOUND) return false;
    TW_IDENTITY identity = {};
    IdentifyScanner(identity);
    return true;
}

std::vector<uint8_t> RingLinesOfThisScan(uint32_t lineBytes, uint32_t* lines) {
    return ExpectedRingLines(GetU16(ScanParamBlock, SP_LEFT), GetU16(ScanParamBlock, SP_TOP),
                             GetU16(ScanParamBlock, SP_RIGHT), GetU16(ScanParamBlock, SP_BOTTOM),
                             GetU16(ScanParamBlock, SP_RESOLUTION), ScanParamBlock[SP_IMAGE_TYPE], ToneBlock,
                             DriverResample ? (int)CurrentScan.Target : 0, lineBytes, lines);
}

}  // namespace twtest
