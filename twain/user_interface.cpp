#include "twain/user_interface.h"

#include <windows.h>

#include "settings/scan_settings.h"
#include "twain/acquire_without_ui.h"
#include "twain/ds_entry.h"
#include "twain/source_state.h"

namespace {

// The scanner dialog's procedure lives with the dialog; until it exists the
// template cannot be found either, and creation fails as it would for lack
// of memory.
INT_PTR CALLBACK ScannerDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

}  // namespace

void EnableSource(TW_USERINTERFACE* ui) {
    if (!ui) return Fail(TWCC_BADVALUE);
    ConditionCode = TWCC_SUCCESS;
    ParentWindow = ui->hParent;
    ShowUI = ui->ShowUI;
    if (!ui->ShowUI) {
        AcquireWithoutInterface();
        return;
    }
    HWND dialog = static_cast<HWND>(MainDialog);
    if (dialog) {
        ShowWindow(dialog, SW_SHOW);
        SessionState = STATE_ENABLED;
        return;
    }
    const char* templateName = LanguageIndex == 6 ? "SCANNER_C" : "SCANNER";
    dialog = CreateDialogParamA(ModuleInstance, templateName, nullptr, ScannerDialogProc, 0);
    if (!dialog) return Fail(TWCC_LOWMEMORY);
    MainDialog = dialog;
    ui->ModalUI = TRUE;
    ShowWindow(dialog, SW_SHOW);
    UpdateWindow(dialog);
    SessionState = STATE_ENABLED;
}

void DisableSource(TW_USERINTERFACE* ui) {
    if (!ui) return Fail(TWCC_BADVALUE);
    ConditionCode = TWCC_SUCCESS;
    HWND dialog = static_cast<HWND>(MainDialog);
    if (!ui->ShowUI && dialog) ShowWindow(dialog, SW_HIDE);
    SessionState = STATE_OPEN;
}

void DestroyScannerDialog() {
    HWND dialog = static_cast<HWND>(MainDialog);
    if (!dialog) return;
    DestroyWindow(dialog);
    MainDialog = nullptr;
}
