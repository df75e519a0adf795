#include "twain/source_state.h"

TW_UINT16 ReturnCode = TWRC_SUCCESS;
TW_UINT16 ConditionCode = TWCC_SUCCESS;
TW_UINT16 SessionState = STATE_LOADED;

TW_IDENTITY* CurrentOrigin = nullptr;
TW_UINT32 CurrentGroup = 0;
TW_UINT16 CurrentDat = 0;
TW_UINT16 CurrentMsg = 0;
TW_MEMREF CurrentData = nullptr;

TW_IDENTITY AppIdentity = {};
TW_IDENTITY SourceIdentity = {};
TW_UINT32 XferGroup = DG_IMAGE;
TW_PENDINGXFERS PendingXfers = {};
void* ParentWindow = nullptr;
TW_UINT32 ShowUI = 0;
void* MainDialog = nullptr;
TW_UINT32 FirstFeederPage = 1;
TW_SETUPFILEXFER FileXferSetup = {};
TW_SETUPFILEXFER DefaultFileXferSetup = {};
