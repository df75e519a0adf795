// DS_Entry: filters foreign callers, records the call, answers
// MSG_PROCESSEVENT and dispatches every other triplet by DAT and MSG.
#include "twain/ds_entry.h"

#include <new>
#include <string.h>

#include "settings/scan_settings.h"
#include "twain/capability_dispatch.h"
#include "twain/dispatch_table.h"
#include "twain/image_layout.h"
#include "twain/pending_xfers.h"
#include "twain/session_open.h"
#include "twain/session_triplets.h"
#include "twain/source_state.h"
#include "twain/transfer_dispatch.h"
#include "twain/user_interface.h"

HINSTANCE ModuleInstance = nullptr;

namespace {

bool IdentityFilled = false;

// Set by a refused MSG_OPENDS in the closed state. Source managers read the
// source's status right after a refused open to learn why; the status
// request that follows then reports the open's condition code once, where
// it would otherwise be refused for the closed state and the reason lost.
bool OpenFailurePending = false;

TW_UINT16 ProcessEvent(TW_MEMREF data) {
    TW_EVENT* event = static_cast<TW_EVENT*>(data);
    if (!event) {
        Fail(TWCC_BADVALUE);
        return ReturnCode;
    }
    MSG* message = static_cast<MSG*>(event->pEvent);
    HWND dialog = static_cast<HWND>(MainDialog);
    if (dialog && message && IsDialogMessageA(dialog, message))
        ReturnCode = TWRC_DSEVENT;
    else
        ReturnCode = TWRC_NOTDSEVENT;
    event->TWMessage = MSG_NULL;
    return ReturnCode;
}

void Dispatch(TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data) {
    bool openFailed = OpenFailurePending;
    OpenFailurePending = false;
    const TripletRule* rule = FindTripletRule(dat, msg);
    if (!rule) return Fail(TWCC_BADPROTOCOL);
    if (rule->Handler == H_CAPABILITY) return HandleCapabilityRequest(msg, static_cast<TW_CAPABILITY*>(data));
    if (rule->Handler == H_STATUS_GET && openFailed && SessionState == STATE_LOADED)
        return HandleStatusGet(static_cast<TW_STATUS*>(data));
    // The transfer triplets check the state themselves: a refused transfer
    // also returns the dialog to idle.
    if (rule->Handler == H_IMAGEMEMXFER || rule->Handler == H_IMAGENATIVEXFER || rule->Handler == H_IMAGEFILEXFER)
        return HandleTransfer(dat, data);
    ReturnCode = TWRC_SUCCESS;
    if (!TripletStateAccepted(*rule, SessionState)) return Fail(rule->RefusalCode);
    switch (rule->Handler) {
    case H_IDENTITY_GET:
        if (!data) return Fail(TWCC_BADVALUE);
        memcpy(data, &SourceIdentity, sizeof SourceIdentity);
        ConditionCode = TWCC_SUCCESS;
        return;
    case H_OPENDS:
        OpenSource(static_cast<TW_IDENTITY*>(data));
        OpenFailurePending = ReturnCode == TWRC_FAILURE && SessionState == STATE_LOADED;
        return;
    case H_CLOSEDS: return CloseSource();
    case H_PENDING_GET:
    case H_PENDING_RESET:
    case H_PENDING_ENDXFER: return HandlePendingXfers(msg, static_cast<TW_PENDINGXFERS*>(data));
    case H_SETUPMEMXFER_GET: return HandleSetupMemXferGet(static_cast<TW_SETUPMEMXFER*>(data));
    case H_SETUPFILEXFER: return HandleSetupFileXfer(msg, static_cast<TW_SETUPFILEXFER*>(data));
    case H_STATUS_GET: return HandleStatusGet(static_cast<TW_STATUS*>(data));
    case H_ENABLEDS: return EnableSource(static_cast<TW_USERINTERFACE*>(data));
    case H_DISABLEDS: return DisableSource(static_cast<TW_USERINTERFACE*>(data));
    case H_XFERGROUP_GET: return HandleXferGroupGet(static_cast<TW_UINT32*>(data));
    case H_IMAGEINFO_GET: return HandleImageInfoGet(static_cast<TW_IMAGEINFO*>(data));
    case H_IMAGELAYOUT: return HandleImageLayout(msg, static_cast<TW_IMAGELAYOUT*>(data));
    case H_IMAGEMEMXFER:
    case H_IMAGENATIVEXFER:
    case H_IMAGEFILEXFER:
    case H_CAPABILITY: break;
    }
}

}  // namespace

void OnProcessAttach(HINSTANCE instance) {
    ModuleInstance = instance;
    AppIdentity.Id = 0;
    SessionState = STATE_LOADED;
    IdentityFilled = false;
}

extern "C" TW_UINT16 WINAPI DS_Entry(TW_IDENTITY* pOrigin, TW_UINT32 DG, TW_UINT16 DAT, TW_UINT16 MSG,
                                     TW_MEMREF pData) {
    try {
        // While an application is connected, calls from anyone else are
        // answered with the previous return code and change nothing.
        if (AppIdentity.Id != 0 && (!pOrigin || pOrigin->Id != AppIdentity.Id)) return ReturnCode;
        if (!IdentityFilled && SessionState == STATE_LOADED) {
            FillClosedIdentity();
            IdentityFilled = true;
        }
        CurrentOrigin = pOrigin;
        CurrentGroup = DG;
        CurrentDat = DAT;
        CurrentMsg = MSG;
        CurrentData = pData;
        if (MSG == MSG_PROCESSEVENT) return ProcessEvent(pData);
        Dispatch(DAT, MSG, pData);
        return ReturnCode;
    } catch (const std::bad_alloc&) {
        Fail(TWCC_LOWMEMORY);
    } catch (...) {
        Fail(TWCC_BUMMER);
    }
    return ReturnCode;
}
