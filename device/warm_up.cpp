#include "device/warm_up.h"

#include <windows.h>

#include "device/command_blocks.h"
#include "device/port_driver.h"
#include "settings/profile_win32.h"

uint32_t ReadyDeadline = 0;

void WarmUpScanner() {
    PowerBlock[POWER_STATE] = 0;
    DriverCall(PowerBlock, SPI_POWER);
    DWORD start = GetTickCount();
    ReadyDeadline = start + GetWarmupTicks(PROFILE_GLOBAL_SECTION);
    // The wait does not pump messages: the lamp must be steady before the
    // first line, whatever the user does meanwhile.
    while ((int32_t)(GetTickCount() - ReadyDeadline) < 0) {
        DWORD left = ReadyDeadline - GetTickCount();
        Sleep(left > 50 ? 50 : left);
    }
}
