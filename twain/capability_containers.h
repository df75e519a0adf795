// Capability containers as they lie in a memory block: the one-value and the
// enumeration layouts (packed on 2-byte boundaries, little-endian), written
// into and read from byte buffers. Every read is checked against the size of
// the block it comes from.
#ifndef PLNX_CAPABILITY_CONTAINERS_H
#define PLNX_CAPABILITY_CONTAINERS_H

#include <stdint.h>

#include "twain/twain.h"

// A one-value block: ItemType (2 bytes) and Item (4 bytes).
const uint32_t ONEVALUE_BLOCK_SIZE = 6;
// ItemType, NumItems, CurrentIndex, DefaultIndex before the item list.
const uint32_t ENUMERATION_HEADER_SIZE = 14;
// An enumeration block is items x item size + this: the header and one spare
// byte, as the standard's structure with its one-byte ItemList declares.
const uint32_t ENUMERATION_BLOCK_EXTRA = 15;

// Width of one list item: 1, 2 or 4 bytes for the six integer types, 0 for
// every other type (lists of those are not handled).
uint32_t ListItemSize(TW_UINT16 itemType);

// Size of the enumeration block for `numItems` items of `itemType`; 0 when
// the type has no list width or the size does not fit in 32 bits.
uint32_t EnumerationBlockSize(TW_UINT16 itemType, uint32_t numItems);

struct EnumerationHeader {
    TW_UINT16 ItemType;
    TW_UINT32 NumItems;
    TW_UINT32 CurrentIndex;
    TW_UINT32 DefaultIndex;
};

// Writes a one-value container into a block of ONEVALUE_BLOCK_SIZE bytes.
void WriteOneValue(uint8_t* block, TW_UINT16 itemType, TW_UINT32 item);

// Writes an enumeration container: the header and header.NumItems items,
// each narrowed to the item type's width, into a block of exactly
// EnumerationBlockSize(header.ItemType, header.NumItems) bytes (the spare
// byte is zero). False, with nothing written, when the type has no list
// width or `blockSize` is not that size.
bool WriteEnumeration(uint8_t* block, uint32_t blockSize, const EnumerationHeader& header,
                      const TW_UINT32* items);

// A value read from an application's container, as negotiation uses it:
// 8-bit and 16-bit items by their value (TWTY_INT8 sign-extended), 32-bit
// items by their low 16 bits, TW_FIX32 by its whole part.
struct ContainerValue {
    TW_UINT16 ItemType;
    TW_UINT16 Value;
};

// Reads the value of a one-value block of `size` bytes. Accepts the six
// integer types and TWTY_FIX32. Returns TWCC_SUCCESS, or TWCC_BADVALUE for a
// null or short block and for any other item type.
TW_UINT16 ReadOneValueBlock(const uint8_t* block, uint32_t size, ContainerValue* out);

// Reads item `index` of an enumeration block of `size` bytes. Accepts the
// six integer types. Returns TWCC_SUCCESS, or TWCC_BADVALUE for a null block,
// a block shorter than its header, any other item type, NumItems 0, a list
// that does not fit in the block, or an index at or beyond NumItems.
TW_UINT16 ReadEnumerationBlockItem(const uint8_t* block, uint32_t size, uint32_t index, ContainerValue* out);

#endif
