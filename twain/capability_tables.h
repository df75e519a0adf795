// The fixed value tables behind the capability indexes: the index variables
// of capability_state.h point into these lists.
#ifndef PLNX_CAPABILITY_TABLES_H
#define PLNX_CAPABILITY_TABLES_H

#include <stdint.h>

#include "twain/twain.h"

struct ValueTable {
    const TW_UINT32* Values;
    uint16_t Count;
    uint16_t ResetIndex;  // the index at open and after MSG_RESET
};

extern const ValueTable XferMechTable;       // native, file, memory
extern const ValueTable PixelTypeTable;      // BW, gray, RGB, palette
extern const ValueTable UnitsTable;          // inches .. pixels
extern const ValueTable FileFormatTable;     // TIFF, PICT, BMP, XBM
extern const ValueTable ResolutionTable;     // 75 .. 600 dpi
extern const ValueTable SupportedSizeTable;  // 0 .. 8

// The entry at `index`; the reset entry for an index outside the table.
TW_UINT32 TableValue(const ValueTable& table, uint16_t index);

// The first index, from 0 upward, whose entry's low 16 bits equal `value`;
// -1 when none does.
int FindTableIndex(const ValueTable& table, TW_UINT16 value);

#endif
