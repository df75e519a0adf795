// The memory blocks that carry capability containers between the application
// and the source. The negotiation code reaches them only through this table
// of functions, so it does not depend on how blocks are made: the data
// source uses moveable global memory (Win32MemoryBlocks, below), tests use
// their own blocks.
#ifndef PLNX_CAPABILITY_MEMORY_H
#define PLNX_CAPABILITY_MEMORY_H

#include <stdint.h>

#include "twain/twain.h"

struct ContainerMemory {
    // A new block of `size` bytes holding a copy of `bytes`, unlocked and
    // owned by whoever receives the handle; null when it cannot be
    // allocated or filled.
    TW_HANDLE (*NewBlock)(const void* bytes, uint32_t size);
    // Frees a block made by NewBlock that could not be handed over.
    void (*FreeBlock)(TW_HANDLE handle);
    // Locks a block the application handed in and gives its address and
    // size; null (nothing locked) when the handle is null, not a block or
    // cannot be locked.
    const uint8_t* (*LockBlock)(TW_HANDLE handle, uint32_t* size);
    // Undoes a successful LockBlock.
    void (*UnlockBlock)(TW_HANDLE handle);
};

#ifdef _WIN32
// GlobalAlloc(GMEM_MOVEABLE) blocks, unlocked before they are handed out.
extern const ContainerMemory Win32MemoryBlocks;
#endif

#endif
