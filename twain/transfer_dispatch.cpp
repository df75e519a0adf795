// The image transfer triplets: state checks, the buffer of a memory
// transfer, the pipeline run, and what follows each result.
#include "twain/transfer_dispatch.h"

#include <string.h>
#include <windows.h>

#include "device/warm_up.h"
#include "pipeline/file_acquisition.h"
#include "pipeline/memory_acquisition.h"
#include "pipeline/native_acquisition.h"
#include "pipeline/scan_state.h"
#include "settings/scan_settings.h"
#include "twain/session_triplets.h"
#include "twain/source_manager_notify.h"
#include "twain/source_state.h"
#include "ui/dialog/dialog_idle.h"
#include "ui/dialog/dialog_state.h"

namespace {

// Per-image state back to the start: counters, abort flag, the colour flag.
void TransferReset() {
    ResetScanProgress();
    ScanSettings.ColorScan = ScanSettings.ScanMode == 1014 ? 1 : 0;
}

void FollowUp() {
    switch (ReturnCode) {
    case TWRC_FAILURE:
        RestoreDialogIdle(true);
        TransferReset();
        NotifySourceManager(MSG_CLOSEDSREQ);
        break;
    case TWRC_CANCEL:
        RestoreDialogIdle(true);
        TransferReset();
        break;
    case TWRC_XFERDONE: {
        ReadyDeadline = GetTickCount() + 30000;
        HWND dialog = static_cast<HWND>(MainDialog);
        if (dialog) SetTimer(dialog, BatchMode ? TIMER_BATCH : TIMER_READY_POLL, 2000, nullptr);
        TransferReset();
        break;
    }
    default: break;
    }
}

void NativeTransfer(TW_MEMREF data) {
    ReturnCode = TWRC_XFERDONE;
    if (SessionState != STATE_XFER_READY) {
        RestoreDialogIdle(true);
        return Fail(TWCC_SEQERROR);
    }
    if (!data) return Fail(TWCC_BADVALUE);
    ConditionCode = TWCC_SUCCESS;
    HGLOBAL image = AcquireNativeImage();
    // The handle travels in a handle-sized slot: 32 bits on 32-bit Windows.
    *static_cast<TW_HANDLE*>(data) = image;
    FollowUp();
    SessionState = STATE_TRANSFERRING;
}

void FileTransfer() {
    ReturnCode = TWRC_XFERDONE;
    if (SessionState != STATE_XFER_READY) {
        RestoreDialogIdle(true);
        return Fail(TWCC_SEQERROR);
    }
    ConditionCode = TWCC_SUCCESS;
    AcquireToFile();
    FollowUp();
    SessionState = STATE_TRANSFERRING;
}

void MemoryTransfer(TW_MEMREF data) {
    if (SessionState != STATE_XFER_READY && SessionState != STATE_TRANSFERRING) {
        RestoreDialogIdle(true);
        return Fail(TWCC_SEQERROR);
    }
    TW_IMAGEMEMXFER* request = static_cast<TW_IMAGEMEMXFER*>(data);
    if (!request) return Fail(TWCC_BADVALUE);
    ConditionCode = TWCC_SUCCESS;
    memcpy(&MemXfer, request, sizeof MemXfer);
    const TW_MEMORY given = MemXfer.Memory;

    uint8_t* buffer = nullptr;
    HGLOBAL locked = nullptr;
    if (given.Flags == (TWMF_APPOWNS | TWMF_POINTER)) {
        buffer = static_cast<uint8_t*>(given.TheMem);
    } else if (given.Flags == (TWMF_APPOWNS | TWMF_HANDLE)) {
        locked = static_cast<HGLOBAL>(given.TheMem);
        buffer = static_cast<uint8_t*>(GlobalLock(locked));
        if (!buffer) return Fail(TWCC_SEQERROR);
    } else {
        // Other ownership or kinds of buffer are not handled.
        return Fail(TWCC_BADVALUE);
    }
    // Never write past what the application says its buffer holds.
    uint32_t length = given.Length;
    if (locked && GlobalSize(locked) < length) length = (uint32_t)GlobalSize(locked);

    AcquireMemoryStrip(buffer, length, MemXfer);
    MemXfer.Memory = given;
    memcpy(request, &MemXfer, sizeof MemXfer);
    if (locked) GlobalUnlock(locked);
    FollowUp();
    SessionState = STATE_TRANSFERRING;
}

}  // namespace

void HandleTransfer(TW_UINT16 dat, TW_MEMREF data) {
    switch (dat) {
    case DAT_IMAGENATIVEXFER: return NativeTransfer(data);
    case DAT_IMAGEFILEXFER: return FileTransfer();
    case DAT_IMAGEMEMXFER: return MemoryTransfer(data);
    default: return Fail(TWCC_BADPROTOCOL);
    }
}
