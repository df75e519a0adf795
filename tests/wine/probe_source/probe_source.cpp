// A minimal data source for the source manager tests (see probe_protocol.h).
// It imports DSM_Entry from TWAIN_32.DLL by ordinal 1, as real sources do.
#include <windows.h>

#include <stdlib.h>
#include <string.h>

#include "tests/wine/probe_source/probe_protocol.h"
#include "twain/twain.h"

extern "C" TW_UINT16 WINAPI DSM_Entry(TW_IDENTITY* pOrigin, TW_IDENTITY* pDest, TW_UINT32 DG, TW_UINT16 DAT,
                                      TW_UINT16 MSG, TW_MEMREF pData);

namespace {

HINSTANCE Instance = nullptr;
bool Opened = false;
TW_IDENTITY Self;         // as the source manager opened it
TW_IDENTITY Application;  // the application that opened it
TW_UINT16 Condition = TWCC_SUCCESS;

TW_UINT16 Failure(TW_UINT16 conditionCode) {
    Condition = conditionCode;
    return TWRC_FAILURE;
}

TW_UINT16 Success() {
    Condition = TWCC_SUCCESS;
    return TWRC_SUCCESS;
}

// The condition code a test asked the next open or close to fail with, or 0.
TW_UINT16 RequestedFailure(const char* variable) {
    char value[16];
    DWORD length = GetEnvironmentVariableA(variable, value, sizeof value);
    if (length == 0 || length >= sizeof value) return 0;
    return static_cast<TW_UINT16>(strtoul(value, nullptr, 10));
}

void FillIdentity(TW_IDENTITY* identity) {
    memset(identity, 0, sizeof *identity);
    identity->Version.MajorNum = 1;
    identity->Version.MinorNum = 0;
    identity->Version.Language = TWLG_USA;
    identity->Version.Country = TWCY_USA;
    strcpy(identity->Version.Info, "probe");
    identity->ProtocolMajor = 1;
    identity->ProtocolMinor = 9;
    identity->SupportedGroups = DG_CONTROL | DG_IMAGE;
    strcpy(identity->Manufacturer, "PLNX Tests");
    strcpy(identity->ProductFamily, "Probe");
    strcpy(identity->ProductName, PROBE_PRODUCT_NAME);

    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(Instance, path, sizeof path);
    if (length == 0 || length >= sizeof path) return;
    const char* name = strrchr(path, '\\');
    name = name ? name + 1 : path;
    const char* dot = strrchr(name, '.');
    size_t stem = dot ? static_cast<size_t>(dot - name) : strlen(name);
    if (stem <= 5 || strnicmp(name, "PROBE", 5) != 0) return;
    size_t used = strlen(identity->ProductName);
    size_t suffix = stem - 5;
    if (used + 1 + suffix >= sizeof identity->ProductName) return;
    identity->ProductName[used] = ' ';
    memcpy(identity->ProductName + used + 1, name + 5, suffix);
    identity->ProductName[used + 1 + suffix] = '\0';
}

TW_UINT16 Identity(TW_IDENTITY* origin, TW_UINT16 msg, TW_IDENTITY* identity) {
    if (!identity) return Failure(TWCC_BADVALUE);
    switch (msg) {
    case MSG_GET:
        FillIdentity(identity);
        identity->Id = Opened ? Self.Id : 0;
        return Success();
    case MSG_OPENDS: {
        if (Opened) return Failure(TWCC_MAXCONNECTIONS);
        TW_UINT16 refusal = RequestedFailure(PROBE_OPEN_FAILURE_VARIABLE);
        if (refusal) return Failure(refusal);
        FillIdentity(&Self);
        Self.Id = identity->Id;
        Application = *origin;
        Opened = true;
        return Success();
    }
    case MSG_CLOSEDS: {
        if (!Opened) return Failure(TWCC_SEQERROR);
        TW_UINT16 refusal = RequestedFailure(PROBE_CLOSE_FAILURE_VARIABLE);
        if (refusal) return Failure(refusal);
        Opened = false;
        return Success();
    }
    default: return Failure(TWCC_BADPROTOCOL);
    }
}

TW_UINT16 ProcessEvent(TW_EVENT* event) {
    if (!event) return Failure(TWCC_BADVALUE);
    const MSG* message = static_cast<const MSG*>(event->pEvent);
    event->TWMessage = MSG_NULL;
    return message && message->message == PROBE_EVENT_MESSAGE ? TWRC_DSEVENT : TWRC_NOTDSEVENT;
}

TW_UINT16 XferGroup(TW_UINT16 msg, TW_MEMREF data) {
    if (!data) return Failure(TWCC_BADVALUE);
    if (msg == MSG_GET) {
        *static_cast<TW_UINT32*>(data) = Self.Id;
        return Success();
    }
    if (msg != MSG_SET) return Failure(TWCC_BADPROTOCOL);
    TW_UINT16 notification = *static_cast<TW_UINT16*>(data);
    if (DSM_Entry(&Self, &Application, DG_CONTROL, DAT_NULL, notification, nullptr) != TWRC_SUCCESS)
        return Failure(TWCC_BUMMER);
    return Success();
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        Instance = instance;
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

extern "C" TW_UINT16 WINAPI DS_Entry(TW_IDENTITY* pOrigin, TW_UINT32 DG, TW_UINT16 DAT, TW_UINT16 MSG,
                                     TW_MEMREF pData) {
    if (!pOrigin) return Failure(TWCC_BADVALUE);
    if (DG != DG_CONTROL) return Failure(TWCC_BADPROTOCOL);
    if (DAT == DAT_IDENTITY) return Identity(pOrigin, MSG, static_cast<TW_IDENTITY*>(pData));
    if (DAT == DAT_STATUS) {
        if (MSG != MSG_GET) return Failure(TWCC_BADPROTOCOL);
        TW_STATUS* status = static_cast<TW_STATUS*>(pData);
        if (!status) return Failure(TWCC_BADVALUE);
        status->ConditionCode = Condition;
        status->Reserved = 0;
        Condition = TWCC_SUCCESS;
        return TWRC_SUCCESS;
    }
    if (!Opened) return Failure(TWCC_SEQERROR);
    if (DAT == DAT_EVENT && MSG == MSG_PROCESSEVENT) return ProcessEvent(static_cast<TW_EVENT*>(pData));
    if (DAT == DAT_XFERGROUP) return XferGroup(MSG, pData);
    return Failure(TWCC_BADPROTOCOL);
}
