#include "twain/default_file_xfer.h"

#include <stdio.h>
#include <string.h>
#include <windows.h>

#include "string_ids.h"
#include "twain/ds_entry.h"

namespace {

// GetTempFileName keeps only three characters of a prefix, so the unique name
// is made here: "KORVAN" and a hexadecimal number, created exclusively.
bool MakeUniqueName(const char* directory, char* name, size_t size) {
    DWORD seed = GetTickCount() ^ (GetCurrentProcessId() << 16);
    for (DWORD attempt = 0; attempt < 0x10000; ++attempt) {
        DWORD number = (seed + attempt) & 0xffff;
        int n = snprintf(name, size, "%sKORVAN%04lX.TMP", directory, (unsigned long)number);
        if (n < 0 || (size_t)n >= size) return false;
        HANDLE file = CreateFileA(name, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            CloseHandle(file);
            DeleteFileA(name);
            return true;
        }
        if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS) return false;
    }
    return false;
}

}  // namespace

void BuildDefaultFileXferSetup(TW_SETUPFILEXFER& setup) {
    memset(&setup, 0, sizeof setup);
    char directory[256] = "";
    DWORD length = GetTempPathA(sizeof directory, directory);
    if (length == 0 || length >= sizeof directory) directory[0] = 0;

    char extension[16];
    LoadLanguageString(IDS_TIFF_EXTENSION, extension, sizeof extension);
    char name[sizeof setup.FileName];
    if (!MakeUniqueName(directory, name, sizeof name - strlen(extension))) {
        snprintf(name, sizeof name - strlen(extension), "%sKORVAN.TMP", directory);
    }
    char* dot = strrchr(name, '.');
    if (dot) *dot = 0;
    snprintf(setup.FileName, sizeof setup.FileName, "%s%s", name, extension);
    setup.Format = TWFF_TIFF;
    setup.VRefNum = 0;
}
