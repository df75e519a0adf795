#include "device/error_report.h"

#include "device/command_blocks.h"
#include "device/port_driver.h"
#include "device/status_messages.h"
#include "settings/profile_win32.h"
#include "string_ids.h"
#include "twain/ds_entry.h"
#include "twain/source_state.h"
#include "ui/dialog/dialog_idle.h"
#include "ui/dialog/dialog_state.h"

namespace {

void BoxCaption(const char* second, char* caption, size_t size) {
    char brand[258];
    GetBrand(PROFILE_GLOBAL_SECTION, brand, sizeof brand);
    BuildBoxCaption(brand, second, caption, size);
}

// After any box the dialog takes commands again.
void ReadyDialogForCommands() { RestoreDialogIdle(false); }

}  // namespace

void ShowDeviceMessage(HWND parent, uint16_t messageId) {
    char text[512], caption[600];
    if (IsNotReadyMessage(messageId)) {
        LoadLanguageString(IDS_MSG_SCANNER_NOT_READY, text, sizeof text);
        BoxCaption(text, caption, sizeof caption);
        MessageBoxA(parent, text, caption, MB_OK | MB_ICONINFORMATION);
    } else {
        char dsName[258];
        GetDsName(PROFILE_GLOBAL_SECTION, dsName, sizeof dsName);
        LoadLanguageString(messageId, text, sizeof text);
        BoxCaption(dsName, caption, sizeof caption);
        MessageBoxA(parent, text, caption, MB_OK | MB_ICONHAND);
    }
    ReadyDialogForCommands();
}

void ShowDiskSpaceBox(HWND parent, int64_t required, int64_t available) {
    char part1[256], part2[256], part3[256], text[1024], caption[600], dsName[258];
    LoadLanguageString(IDS_MSG_DISK_NEEDS, part1, sizeof part1);
    LoadLanguageString(IDS_MSG_DISK_HAS_ONLY, part2, sizeof part2);
    LoadLanguageString(IDS_MSG_DISK_FREE_UP, part3, sizeof part3);
    FormatDiskSpaceText(part1, part2, part3, required, available, text, sizeof text);
    GetDsName(PROFILE_GLOBAL_SECTION, dsName, sizeof dsName);
    BoxCaption(dsName, caption, sizeof caption);
    MessageBoxA(parent, text, caption, MB_OK | MB_ICONINFORMATION);
    ReadyDialogForCommands();
}

void ReportDeviceFailure(uint16_t conditionCode, uint16_t messageId) {
    DriverCall(ControlBlock, SPI_FINISH);
    ShowDeviceMessage(static_cast<HWND>(MainDialog), messageId);
    ConditionCode = conditionCode;
    ReturnCode = TWRC_FAILURE;
    CommandsEnabled = 1;
    HWND dialog = static_cast<HWND>(MainDialog);
    if (BatchMode && dialog) SetTimer(dialog, TIMER_BATCH, 800, nullptr);
}

bool CheckSetParamsStatus(uint16_t status) {
    if (status == 0) return true;
    uint16_t messageId = StatusMessageId(status);
    if (status == STATUS_PAPER_JAM || (status == STATUS_NO_PAPER && FirstFeederPage)) {
        ReportDeviceFailure(ConditionForMessage(messageId), messageId);
    } else if (status != STATUS_NO_PAPER) {
        ShowDeviceMessage(static_cast<HWND>(ParentWindow), messageId);
    }
    DriverCall(ControlBlock, SPI_ABORT);
    // The scan does not start, whether or not the status was shown.
    Fail(ConditionForMessage(messageId));
    return false;
}

ReadVerdict CheckReadStatus(uint16_t status) {
    if (status == 0) return READ_OK;
    if (status == STATUS_NO_PAPER) return READ_RETRY;
    DriverCall(ControlBlock, SPI_ABORT);
    uint16_t messageId = StatusMessageId(status);
    ReportDeviceFailure(ConditionForMessage(messageId), messageId);
    return READ_FAILED;
}
