#include "twain/capability_containers.h"

#include <string.h>

namespace {

void PutLe16(uint8_t* p, uint16_t v) {
    p[0] = (uint8_t)v;
    p[1] = (uint8_t)(v >> 8);
}

void PutLe32(uint8_t* p, uint32_t v) {
    PutLe16(p, (uint16_t)v);
    PutLe16(p + 2, (uint16_t)(v >> 16));
}

uint16_t GetLe16(const uint8_t* p) { return (uint16_t)(p[0] | (p[1] << 8)); }

uint32_t GetLe32(const uint8_t* p) { return (uint32_t)GetLe16(p) | ((uint32_t)GetLe16(p + 2) << 16); }

// The value of an item of `itemType` whose bytes start at `p` (the caller
// has checked that the type's width is inside the block).
TW_UINT16 NegotiatedValue(TW_UINT16 itemType, const uint8_t* p) {
    switch (itemType) {
    case TWTY_INT8: return (TW_UINT16)(int16_t)(int8_t)p[0];
    case TWTY_UINT8: return p[0];
    case TWTY_FIX32: return GetLe16(p);  // the whole part lies first
    default: return GetLe16(p);          // 16 bits, or the low half of 32
    }
}

}  // namespace

uint32_t ListItemSize(TW_UINT16 itemType) {
    switch (itemType) {
    case TWTY_INT8:
    case TWTY_UINT8: return 1;
    case TWTY_INT16:
    case TWTY_UINT16: return 2;
    case TWTY_INT32:
    case TWTY_UINT32: return 4;
    default: return 0;
    }
}

uint32_t EnumerationBlockSize(TW_UINT16 itemType, uint32_t numItems) {
    uint64_t itemSize = ListItemSize(itemType);
    if (itemSize == 0) return 0;
    uint64_t size = itemSize * numItems + ENUMERATION_BLOCK_EXTRA;
    return size > 0xffffffffu ? 0 : (uint32_t)size;
}

void WriteOneValue(uint8_t* block, TW_UINT16 itemType, TW_UINT32 item) {
    PutLe16(block, itemType);
    PutLe32(block + 2, item);
}

bool WriteEnumeration(uint8_t* block, uint32_t blockSize, const EnumerationHeader& header,
                      const TW_UINT32* items) {
    uint32_t itemSize = ListItemSize(header.ItemType);
    uint32_t needed = EnumerationBlockSize(header.ItemType, header.NumItems);
    if (itemSize == 0 || needed == 0 || blockSize != needed) return false;
    PutLe16(block, header.ItemType);
    PutLe32(block + 2, header.NumItems);
    PutLe32(block + 6, header.CurrentIndex);
    PutLe32(block + 10, header.DefaultIndex);
    uint8_t* list = block + ENUMERATION_HEADER_SIZE;
    for (uint32_t i = 0; i < header.NumItems; ++i) {
        uint8_t* p = list + (uint64_t)i * itemSize;
        switch (itemSize) {
        case 1: p[0] = (uint8_t)items[i]; break;
        case 2: PutLe16(p, (uint16_t)items[i]); break;
        default: PutLe32(p, items[i]); break;
        }
    }
    block[blockSize - 1] = 0;
    return true;
}

TW_UINT16 ReadOneValueBlock(const uint8_t* block, uint32_t size, ContainerValue* out) {
    if (!block || size < ONEVALUE_BLOCK_SIZE) return TWCC_BADVALUE;
    TW_UINT16 itemType = GetLe16(block);
    if (ListItemSize(itemType) == 0 && itemType != TWTY_FIX32) return TWCC_BADVALUE;
    out->ItemType = itemType;
    out->Value = NegotiatedValue(itemType, block + 2);
    return TWCC_SUCCESS;
}

TW_UINT16 ReadEnumerationBlockItem(const uint8_t* block, uint32_t size, uint32_t index, ContainerValue* out) {
    if (!block || size < ENUMERATION_HEADER_SIZE) return TWCC_BADVALUE;
    TW_UINT16 itemType = GetLe16(block);
    uint64_t itemSize = ListItemSize(itemType);
    if (itemSize == 0) return TWCC_BADVALUE;
    uint64_t numItems = GetLe32(block + 2);
    if (numItems == 0 || numItems * itemSize > size - ENUMERATION_HEADER_SIZE) return TWCC_BADVALUE;
    if (index >= numItems) return TWCC_BADVALUE;
    out->ItemType = itemType;
    out->Value = NegotiatedValue(itemType, block + ENUMERATION_HEADER_SIZE + index * itemSize);
    return TWCC_SUCCESS;
}
