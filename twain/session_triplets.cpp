#include "twain/session_triplets.h"

#include <string.h>

#include "twain/capability_state.h"
#include "twain/source_state.h"

TW_IMAGEMEMXFER MemXfer = {};

void HandleStatusGet(TW_STATUS* out) {
    ReturnCode = TWRC_SUCCESS;
    if (!out) return Fail(TWCC_BADVALUE);
    out->ConditionCode = ConditionCode;
    out->Reserved = 0;
    ConditionCode = TWCC_SUCCESS;
}

void HandleXferGroupGet(TW_UINT32* out) {
    if (!out) return Fail(TWCC_BADVALUE);
    *out = XferGroup;
    SetResult(TWRC_SUCCESS, TWCC_SUCCESS);
}

void HandleSetupMemXferGet(TW_SETUPMEMXFER* out) {
    if (!out) return Fail(TWCC_BADVALUE);
    out->MinBufSize = 32768;
    out->MaxBufSize = 65536;
    out->Preferred = 65536;
    SetResult(TWRC_SUCCESS, TWCC_SUCCESS);
}

void HandleSetupFileXfer(TW_UINT16 msg, TW_SETUPFILEXFER* data) {
    if (!data) return Fail(TWCC_BADVALUE);
    switch (msg) {
    case MSG_GET: memcpy(data, &FileXferSetup, sizeof FileXferSetup); break;
    case MSG_GETDEFAULT: memcpy(data, &DefaultFileXferSetup, sizeof DefaultFileXferSetup); break;
    case MSG_RESET:
        FileXferSetup = DefaultFileXferSetup;
        memcpy(data, &FileXferSetup, sizeof FileXferSetup);
        break;
    case MSG_SET:
        if (data->Format != TWFF_TIFF) return Fail(TWCC_BADVALUE);
        memcpy(&FileXferSetup, data, sizeof FileXferSetup);
        // The name must stay a terminated string whatever the caller sent.
        FileXferSetup.FileName[sizeof FileXferSetup.FileName - 1] = 0;
        FileFormatIndex = 0;
        break;
    default: return Fail(TWCC_BADPROTOCOL);
    }
    SetResult(TWRC_SUCCESS, TWCC_SUCCESS);
}
