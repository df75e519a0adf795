#include "twain/capability_memory.h"

#include <windows.h>

#include <string.h>

namespace {

TW_HANDLE NewBlock(const void* bytes, uint32_t size) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!block) return nullptr;
    void* p = GlobalLock(block);
    if (!p) {
        GlobalFree(block);
        return nullptr;
    }
    memcpy(p, bytes, size);
    GlobalUnlock(block);
    return block;
}

void FreeBlock(TW_HANDLE handle) {
    if (handle) GlobalFree(static_cast<HGLOBAL>(handle));
}

const uint8_t* LockBlock(TW_HANDLE handle, uint32_t* size) {
    if (!handle) return nullptr;
    HGLOBAL block = static_cast<HGLOBAL>(handle);
    void* p = GlobalLock(block);
    if (!p) return nullptr;
    SIZE_T bytes = GlobalSize(block);
    if (bytes == 0) {
        GlobalUnlock(block);
        return nullptr;
    }
    *size = bytes > 0xffffffffu ? 0xffffffffu : (uint32_t)bytes;
    return static_cast<const uint8_t*>(p);
}

void UnlockBlock(TW_HANDLE handle) { GlobalUnlock(static_cast<HGLOBAL>(handle)); }

}  // namespace

const ContainerMemory Win32MemoryBlocks = {NewBlock, FreeBlock, LockBlock, UnlockBlock};
