#include "ui/dialog/dialog_idle.h"

#include <windows.h>

#include "device/device_flags.h"
#include "twain/source_state.h"
#include "ui/dialog/dialog_state.h"

void RestoreDialogIdle(bool prescanUnlessFeeder) {
    CommandsEnabled = 1;
    HWND dialog = static_cast<HWND>(MainDialog);
    if (!dialog) return;
    KillTimer(dialog, TIMER_READY_POLL);
    EnableWindow(GetDlgItem(dialog, IDC_SCAN), TRUE);
    EnableWindow(GetDlgItem(dialog, IDC_CANCEL), TRUE);
    bool feeder = FeederInstalled && FeederSelected;
    EnableWindow(GetDlgItem(dialog, IDC_PRESCAN), !(prescanUnlessFeeder && feeder));
}
