// The scanner's tone tables: what the last tone download left in the
// scanner, applied to every line it sends.
//
// A download holds a threshold (byte 6), a table kind (byte 7, kept but not
// acted upon) and four sections, each a u16 entry count and up to 4096
// entries. Section k becomes a 256-entry table for 8-bit samples: with
// count c in 1..4096, entry v = data[v * (c - 1) / 255] (so a 256-entry
// section is used as it stands); a count of 0 leaves that table the
// identity. A count above 4096 refuses the whole download.
//
// Which table applies: Gray, LineArt and Halftone samples go through
// section 0 (the master table); Color samples go through section 1 (red),
// section 2 (green) and section 3 (blue). LineArt then compares with the
// threshold, Halftone with an ordered dither (pixel_packing.h).
//
// Before any download every table is the identity and the threshold 128.
#ifndef PLNX_SIMULATOR_TONE_TABLES_H
#define PLNX_SIMULATOR_TONE_TABLES_H

#include <stdint.h>

struct ToneTables {
    uint8_t table[4][256];
    uint8_t threshold;
    uint8_t kind;
};

void ResetToneTables(ToneTables* tones);
// Loads a 16400-byte tone block; false (tables untouched) when a section's
// count is above 4096.
bool LoadToneTables(const uint8_t* block, ToneTables* tones);

#endif
