#include "twain/source_manager_notify.h"

#include <windows.h>

#include "twain/source_state.h"

// The source manager's entry point, imported from TWAIN_32.DLL by ordinal 1.
extern "C" TW_UINT16 WINAPI DSM_Entry(TW_IDENTITY* pOrigin, TW_IDENTITY* pDest, TW_UINT32 DG, TW_UINT16 DAT,
                                      TW_UINT16 MSG, TW_MEMREF pData);

void NotifySourceManager(TW_UINT16 message) {
    DSM_Entry(&SourceIdentity, &AppIdentity, DG_CONTROL, DAT_NULL, message, nullptr);
}
