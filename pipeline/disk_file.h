// A file of the transfer on disk: created or truncated, written at an offset
// or appended, read back, and deleted again.
#ifndef PLNX_DISK_FILE_H
#define PLNX_DISK_FILE_H

#include <stdint.h>
#include <windows.h>

struct DiskFile {
    HANDLE Handle = INVALID_HANDLE_VALUE;
    char Name[MAX_PATH] = "";

    bool Create(const char* name);
    bool Open() const { return Handle != INVALID_HANDLE_VALUE; }
    bool WriteAt(uint64_t offset, const void* data, uint32_t size);
    bool Append(const void* data, uint32_t size);
    bool ReadAt(uint64_t offset, void* data, uint32_t size);
    // Makes the file `size` bytes long, so rows can be written at their
    // final place in any order.
    bool PreSize(uint64_t size);
    bool Close();
    // Closes the file and removes it from the disk.
    void Delete();
};

#endif
