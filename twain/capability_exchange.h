// Containers handed to and taken from the application in a TW_CAPABILITY:
// new blocks for answers, locked reads of the application's blocks. Each
// failure sets ReturnCode and ConditionCode.
#ifndef PLNX_CAPABILITY_EXCHANGE_H
#define PLNX_CAPABILITY_EXCHANGE_H

#include "twain/capability_containers.h"
#include "twain/capability_memory.h"
#include "twain/twain.h"

// A new 6-byte one-value block in hContainer, ConType TWON_ONEVALUE. A block
// that cannot be made: TWRC_FAILURE, TWCC_LOWMEMORY, false, the structure
// unchanged.
bool BuildOneValue(const ContainerMemory& memory, TW_CAPABILITY* capability, TW_UINT16 itemType, TW_UINT32 item);

// A new enumeration block (item size x NumItems + 15 bytes) in hContainer,
// ConType TWON_ENUMERATION. An item type other than the six integer types:
// TWRC_FAILURE, TWCC_BADVALUE; a block that cannot be made: TWCC_LOWMEMORY;
// false and the structure unchanged in both cases.
bool BuildEnumeration(const ContainerMemory& memory, TW_CAPABILITY* capability, const EnumerationHeader& header,
                      const TW_UINT32* items);

// The value of the application's one-value container. A block that cannot
// be locked or is too short, or an item type other than the six integer
// types and TWTY_FIX32: TWRC_FAILURE, TWCC_BADVALUE, false.
bool ReadOneValue(const ContainerMemory& memory, const TW_CAPABILITY* capability, ContainerValue* out);

// Item `index` of the application's enumeration container. A block that
// cannot be locked, a type other than the six integer types, NumItems 0 or
// beyond the block, or an index beyond NumItems: TWRC_FAILURE,
// TWCC_BADVALUE, false.
bool ReadEnumerationItem(const ContainerMemory& memory, const TW_CAPABILITY* capability, uint32_t index,
                         ContainerValue* out);

// A TW_FIX32 with whole part `whole` and fraction 0, as the 32-bit Item of
// a one-value container.
TW_UINT32 MakeFix32Item(TW_INT16 whole);

#endif
