// The data source's entry point and the module-wide handles of its Win32 side.
#ifndef PLNX_DS_ENTRY_H
#define PLNX_DS_ENTRY_H

#include <windows.h>

#include "twain/twain.h"

extern HINSTANCE ModuleInstance;  // resources are loaded from here

extern "C" TW_UINT16 WINAPI DS_Entry(TW_IDENTITY* pOrigin, TW_UINT32 DG, TW_UINT16 DAT, TW_UINT16 MSG,
                                     TW_MEMREF pData);

// Process attach: the instance, no application, state 3. The identity is
// filled on first use so that loading the module stays trivial.
void OnProcessAttach(HINSTANCE instance);

// Fills `SourceIdentity` as it stands while the source is closed.
void FillClosedIdentity();

// Loads string `id` of the current language into a buffer.
int LoadLanguageString(UINT id, char* buffer, int size);

#endif
