// The data sources installed on the machine: every *.ds file below the
// Windows directory's TWAIN_32 folder, with the identity the source reports.
#ifndef PLNX_DSM_SOURCE_CATALOG_H
#define PLNX_DSM_SOURCE_CATALOG_H

#include <windows.h>

#include <string>
#include <vector>

#include "twain/twain.h"

typedef TW_UINT16(WINAPI* DsEntryProc)(TW_IDENTITY* pOrigin, TW_UINT32 DG, TW_UINT16 DAT, TW_UINT16 MSG,
                                        TW_MEMREF pData);

struct SourceEntry {
    std::string Path;
    TW_IDENTITY Identity;  // as the source reports it, Id 0
};

// GetWindowsDirectory() + "\TWAIN_32".
std::string SourceRoot();

// Every file whose name ends in ".ds" (any case) below `root`: the files of a
// folder first, then its subfolders, each in case-insensitive name order.
std::vector<std::string> FindSourceFiles(const std::string& root);

// Loads the module, binds DS_Entry and asks it for DG_CONTROL/DAT_IDENTITY/
// MSG_GET with `app` as origin; the module is freed again before returning.
bool QuerySourceIdentity(const std::string& path, TW_IDENTITY* app, TW_IDENTITY* identity);

// The sources that answered with a non-empty ProductName; of several with the
// same ProductName only the first counts.
std::vector<SourceEntry> ScanSources(TW_IDENTITY* app);

// Loads a source module without the system's error boxes.
HMODULE LoadSourceModule(const std::string& path);

// The module's DS_Entry export, or null.
DsEntryProc BindSourceEntry(HMODULE module);

#endif
