// TWAIN_32.DLL's export: DSM_Entry, by name and as ordinal 1.
#include <windows.h>

#include <new>

#include "dsm/source_manager.h"
#include "twain/twain.h"

namespace {

SourceManager* Manager = nullptr;

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    switch (reason) {
    case DLL_PROCESS_ATTACH:
        DisableThreadLibraryCalls(instance);
        Manager = new (std::nothrow) SourceManager;
        return Manager != nullptr;
    case DLL_PROCESS_DETACH:
        // At process exit other modules may already be gone: only a
        // FreeLibrary of the source manager itself releases its state.
        if (!reserved) delete Manager;
        Manager = nullptr;
        return TRUE;
    default: return TRUE;
    }
}

extern "C" TW_UINT16 WINAPI DSM_Entry(TW_IDENTITY* pOrigin, TW_IDENTITY* pDest, TW_UINT32 DG, TW_UINT16 DAT,
                                     TW_UINT16 MSG, TW_MEMREF pData) {
    if (!Manager) return TWRC_FAILURE;
    try {
        return Manager->Entry(pOrigin, pDest, DG, DAT, MSG, pData);
    } catch (const std::bad_alloc&) {
        return Manager->Fail(TWCC_LOWMEMORY);
    } catch (...) {
        return Manager->Fail(TWCC_BUMMER);
    }
}
