// Process-wide state of the data source: the TWAIN session, the call being
// served and the identities. One source instance serves one application.
#ifndef PLNX_SOURCE_STATE_H
#define PLNX_SOURCE_STATE_H

#include "twain/twain.h"

// TWAIN states 3 to 7 as kept by the source.
enum : uint16_t {
    STATE_LOADED = 300,        // loaded, closed
    STATE_OPEN = 400,          // open
    STATE_ENABLED = 500,       // enabled
    STATE_XFER_READY = 600,    // transfer ready
    STATE_TRANSFERRING = 700,  // transferring
};

extern TW_UINT16 ReturnCode;
extern TW_UINT16 ConditionCode;
extern TW_UINT16 SessionState;

extern TW_IDENTITY* CurrentOrigin;
extern TW_UINT32 CurrentGroup;
extern TW_UINT16 CurrentDat;
extern TW_UINT16 CurrentMsg;
extern TW_MEMREF CurrentData;

extern TW_IDENTITY AppIdentity;
extern TW_IDENTITY SourceIdentity;
extern TW_UINT32 XferGroup;
extern TW_PENDINGXFERS PendingXfers;
extern void* ParentWindow;   // hParent of the last MSG_ENABLEDS
extern TW_UINT32 ShowUI;
extern void* MainDialog;     // the scanner dialog, 0 when it does not exist
extern TW_UINT32 FirstFeederPage;
extern TW_SETUPFILEXFER FileXferSetup;
extern TW_SETUPFILEXFER DefaultFileXferSetup;

// Sets the result of the triplet being served.
inline void SetResult(TW_UINT16 rc, TW_UINT16 cc) {
    ReturnCode = rc;
    ConditionCode = cc;
}
inline void Fail(TW_UINT16 cc) { SetResult(TWRC_FAILURE, cc); }

#endif
