#include "tests/wine/harness/in_process_scanner.h"

#include <windows.h>

#include "device/identification.h"
#include "device/port_driver.h"
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

}  // namespace twtest
