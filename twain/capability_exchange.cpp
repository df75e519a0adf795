#include "twain/capability_exchange.h"

#include <vector>

#include "twain/source_state.h"

bool BuildOneValue(const ContainerMemory& memory, TW_CAPABILITY* capability, TW_UINT16 itemType, TW_UINT32 item) {
    uint8_t block[ONEVALUE_BLOCK_SIZE];
    WriteOneValue(block, itemType, item);
    TW_HANDLE handle = memory.NewBlock(block, sizeof block);
    if (!handle) {
        Fail(TWCC_LOWMEMORY);
        return false;
    }
    capability->ConType = TWON_ONEVALUE;
    capability->hContainer = handle;
    return true;
}

bool BuildEnumeration(const ContainerMemory& memory, TW_CAPABILITY* capability, const EnumerationHeader& header,
                      const TW_UINT32* items) {
    uint32_t size = EnumerationBlockSize(header.ItemType, header.NumItems);
    if (size == 0) {
        Fail(TWCC_BADVALUE);
        return false;
    }
    std::vector<uint8_t> block(size);
    WriteEnumeration(block.data(), size, header, items);
    TW_HANDLE handle = memory.NewBlock(block.data(), size);
    if (!handle) {
        Fail(TWCC_LOWMEMORY);
        return false;
    }
    capability->ConType = TWON_ENUMERATION;
    capability->hContainer = handle;
    return true;
}

namespace {

// Locks the application's block, runs `read` on it and unlocks it again.
template <typename Read>
bool ReadLocked(const ContainerMemory& memory, const TW_CAPABILITY* capability, Read read) {
    TW_HANDLE handle = capability->hContainer;
    uint32_t size = 0;
    const uint8_t* block = memory.LockBlock(handle, &size);
    if (!block) {
        Fail(TWCC_BADVALUE);
        return false;
    }
    TW_UINT16 cc = read(block, size);
    memory.UnlockBlock(handle);
    if (cc != TWCC_SUCCESS) {
        Fail(cc);
        return false;
    }
    return true;
}

}  // namespace

bool ReadOneValue(const ContainerMemory& memory, const TW_CAPABILITY* capability, ContainerValue* out) {
    return ReadLocked(memory, capability,
                      [out](const uint8_t* block, uint32_t size) { return ReadOneValueBlock(block, size, out); });
}

bool ReadEnumerationItem(const ContainerMemory& memory, const TW_CAPABILITY* capability, uint32_t index,
                         ContainerValue* out) {
    return ReadLocked(memory, capability, [out, index](const uint8_t* block, uint32_t size) {
        return ReadEnumerationBlockItem(block, size, index, out);
    });
}

TW_UINT32 MakeFix32Item(TW_INT16 whole) {
    TW_FIX32 f;
    f.Whole = whole;
    f.Frac = 0;
    return Fix32ToUInt32(f);
}
