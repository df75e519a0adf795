#include "pipeline/disk_file.h"

#include <stdio.h>

namespace {

bool Seek(HANDLE handle, uint64_t offset) {
    LONG high = (LONG)(offset >> 32);
    return !(SetFilePointer(handle, (LONG)(uint32_t)offset, &high, FILE_BEGIN) == INVALID_SET_FILE_POINTER &&
             GetLastError() != NO_ERROR);
}

}  // namespace

bool DiskFile::Create(const char* name) {
    snprintf(Name, sizeof Name, "%s", name);
    Handle = CreateFileA(Name, GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (Handle == INVALID_HANDLE_VALUE) Name[0] = 0;
    return Handle != INVALID_HANDLE_VALUE;
}

bool DiskFile::WriteAt(uint64_t offset, const void* data, uint32_t size) {
    DWORD written = 0;
    return Seek(Handle, offset) && WriteFile(Handle, data, size, &written, nullptr) && written == size;
}

bool DiskFile::Append(const void* data, uint32_t size) {
    DWORD written = 0;
    return WriteFile(Handle, data, size, &written, nullptr) && written == size;
}

bool DiskFile::ReadAt(uint64_t offset, void* data, uint32_t size) {
    DWORD read = 0;
    return Seek(Handle, offset) && ReadFile(Handle, data, size, &read, nullptr) && read == size;
}

bool DiskFile::PreSize(uint64_t size) { return Seek(Handle, size) && SetEndOfFile(Handle) != 0; }

bool DiskFile::Close() {
    bool ok = true;
    if (Handle != INVALID_HANDLE_VALUE) ok = CloseHandle(Handle) != 0;
    Handle = INVALID_HANDLE_VALUE;
    return ok;
}

void DiskFile::Delete() {
    Close();
    if (Name[0]) DeleteFileA(Name);
    Name[0] = 0;
}
