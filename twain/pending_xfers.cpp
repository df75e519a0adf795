#include "twain/pending_xfers.h"

#include <string.h>

#include "device/device_flags.h"
#include "device/identification.h"
#include "pipeline/line_reader.h"
#include "pipeline/scan_start.h"
#include "twain/acquire_without_ui.h"
#include "twain/capability_state.h"
#include "twain/source_state.h"

namespace {

// An image the application leaves unread is not scanned on: the scanner is
// stopped and the ring freed.
void EndScanInProgress() {
    AbortScanInProgress();
    CloseRing();
}

bool FeederInUse() { return FeederQueried && FeederInstalled && FeederSelected; }

void AnswerPendingXfers(TW_UINT16 msg, TW_PENDINGXFERS* data) {
    switch (msg) {
    case MSG_GET:
        if (!FeederInUse())
            PendingXfers.Count = 1;
        else
            PendingXfers.Count = FeederPaperLoaded() ? 0xffff : 0;
        data->Count = PendingXfers.Count;
        break;
    case MSG_RESET:
        EndScanInProgress();
        SessionState = STATE_ENABLED;
        data->Count = 0;
        break;
    case MSG_ENDXFER:
        PendingXfers.Count = (FeederInUse() && FeederPaperLoaded()) ? 0xffff : 0;
        memcpy(data, &PendingXfers, sizeof PendingXfers);
        if (PendingXfers.Count == 0) EndScanInProgress();
        SessionState = PendingXfers.Count == 0 ? STATE_ENABLED : STATE_XFER_READY;
        break;
    }
}

}  // namespace

void HandlePendingXfers(TW_UINT16 msg, TW_PENDINGXFERS* data) {
    ReturnCode = TWRC_SUCCESS;
    ConditionCode = TWCC_SUCCESS;
    if (data)
        AnswerPendingXfers(msg, data);
    else
        Fail(TWCC_BADVALUE);
    if (FeederQueried && FirstFeederPage) FirstFeederPage = 0;
    if (AutoFeed && PendingXfers.Count != 0) AcquireWithoutInterface();
}
