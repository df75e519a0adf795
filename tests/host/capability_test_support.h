// Container blocks for the capability tests: a ContainerMemory whose blocks
// are byte vectors with lock counts, and builders of the containers an
// application hands in.
#ifndef PLNX_TESTS_CAPABILITY_TEST_SUPPORT_H
#define PLNX_TESTS_CAPABILITY_TEST_SUPPORT_H

#include <stdint.h>
#include <string.h>

#include <memory>
#include <vector>

#include "twain/capability_memory.h"
#include "twain/twain.h"

namespace captest {

struct Block {
    std::vector<uint8_t> bytes;
    int locks = 0;
    bool lockable = true;
    bool freed = false;
    bool madeBySource = false;
};

// Every block made by the source or by a test lives here until Clear().
// Handles are small numbers (like moveable-memory handles), not addresses;
// with `wideHandles` they lie beyond 32 bits.
class Heap {
public:
    static Heap& Get() {
        static Heap heap;
        return heap;
    }
    TW_HANDLE Add(std::vector<uint8_t> bytes, bool madeBySource = false, bool lockable = true) {
        blocks_.emplace_back(new Block);
        Block* b = blocks_.back().get();
        b->bytes = std::move(bytes);
        b->madeBySource = madeBySource;
        b->lockable = lockable;
        uint64_t handle = (uint64_t)blocks_.size() * 8 + (wideHandles ? 0x100000000ull : 0);
        return reinterpret_cast<TW_HANDLE>(static_cast<uintptr_t>(handle));
    }
    // A handle that names no block at all.
    static TW_HANDLE Stranger() { return reinterpret_cast<TW_HANDLE>(static_cast<uintptr_t>(0x5a5a0)); }
    Block* Find(TW_HANDLE h) const {
        uint64_t value = reinterpret_cast<uintptr_t>(h) & 0xffffffffu;
        if (value % 8 != 0 || value == 0 || value / 8 > blocks_.size()) return nullptr;
        return blocks_[value / 8 - 1].get();
    }
    int SourceBlocks() const {
        int n = 0;
        for (const auto& b : blocks_) n += b->madeBySource && !b->freed;
        return n;
    }
    int Locked() const {
        int n = 0;
        for (const auto& b : blocks_) n += b->locks;
        return n;
    }
    void Clear() {
        blocks_.clear();
        failCall = 0;
        wideHandles = false;
    }
    int failCall = 0;          // the failCall-th NewBlock from now fails (0: none)
    bool wideHandles = false;  // handles beyond 32 bits (64-bit builds)

private:
    std::vector<std::unique_ptr<Block>> blocks_;
};

inline TW_HANDLE NewBlock(const void* bytes, uint32_t size) {
    Heap& heap = Heap::Get();
    if (heap.failCall > 0 && --heap.failCall == 0) return nullptr;
    const uint8_t* p = static_cast<const uint8_t*>(bytes);
    return heap.Add(std::vector<uint8_t>(p, p + size), true);
}

inline void FreeBlock(TW_HANDLE h) {
    if (Block* b = Heap::Get().Find(h)) b->freed = true;
}

inline const uint8_t* LockBlock(TW_HANDLE h, uint32_t* size) {
    Block* b = Heap::Get().Find(h);
    // Like a discarded moveable block, an empty one cannot be locked.
    if (!b || b->freed || !b->lockable || b->bytes.empty()) return nullptr;
    ++b->locks;
    *size = (uint32_t)b->bytes.size();
    return b->bytes.data();
}

inline void UnlockBlock(TW_HANDLE h) {
    if (Block* b = Heap::Get().Find(h)) --b->locks;
}

inline const ContainerMemory& TestMemory() {
    static const ContainerMemory memory = {NewBlock, FreeBlock, LockBlock, UnlockBlock};
    return memory;
}

inline void Put16(std::vector<uint8_t>& v, uint16_t x) {
    v.push_back((uint8_t)x);
    v.push_back((uint8_t)(x >> 8));
}
inline void Put32(std::vector<uint8_t>& v, uint32_t x) {
    Put16(v, (uint16_t)x);
    Put16(v, (uint16_t)(x >> 16));
}
inline uint16_t Get16(const std::vector<uint8_t>& v, size_t at) { return (uint16_t)(v[at] | (v[at + 1] << 8)); }
inline uint32_t Get32(const std::vector<uint8_t>& v, size_t at) {
    return (uint32_t)Get16(v, at) | ((uint32_t)Get16(v, at + 2) << 16);
}

inline std::vector<uint8_t> OneValueBytes(TW_UINT16 type, TW_UINT32 item) {
    std::vector<uint8_t> v;
    Put16(v, type);
    Put32(v, item);
    return v;
}

// An enumeration block as an application builds it: header, items of
// `width` bytes, one spare byte. `numItems` may differ from items.size() to
// make a lying header.
inline std::vector<uint8_t> EnumerationBytes(TW_UINT16 type, int width, const std::vector<uint32_t>& items,
                                             uint32_t current, uint32_t numItems) {
    std::vector<uint8_t> v;
    Put16(v, type);
    Put32(v, numItems);
    Put32(v, current);
    Put32(v, 0);
    for (uint32_t item : items) {
        if (width == 1) v.push_back((uint8_t)item);
        if (width == 2) Put16(v, (uint16_t)item);
        if (width == 4) Put32(v, item);
    }
    v.push_back(0);
    return v;
}

inline uint32_t Fix32Item(int16_t whole, uint16_t frac) { return (uint32_t)(uint16_t)whole | ((uint32_t)frac << 16); }

}  // namespace captest

#endif
