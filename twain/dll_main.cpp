// Module entry of PLNX_Q7B.DS. Loading and unloading stay trivial: source
// managers load, query and unload the module several times before opening it.
#include <windows.h>

#include "twain/ds_entry.h"

// Keeps DS_Entry, which only the export table names, in the link.
extern "C" void* const KeepDsEntry = reinterpret_cast<void*>(&DS_Entry);

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) OnProcessAttach(instance);
    return TRUE;
}
