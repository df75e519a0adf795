// Brightness, contrast and gamma as 256-entry lookup tables: the builder used
// by the scanner's tone download and by the preview, and the working tables
// they share.
#ifndef PLNX_TONE_TABLE_H
#define PLNX_TONE_TABLE_H

#include <stdint.h>

#include "settings/scan_settings.h"

// Order of the four working tables.
#define TONE_WORK_BLUE 0
#define TONE_WORK_GREEN 1
#define TONE_WORK_RED 2
#define TONE_WORK_MASTER 3
#define TONE_TABLE_SIZE 256

// Four consecutive 256-byte tables: blue, green, red, master. Whoever fills
// them last owns their content.
extern uint8_t ToneWorkTables[4][TONE_TABLE_SIZE];

// Fills table[0 .. inputs - 1] with values 0 .. outputs - 1 from the tone set
// and returns 1. Returns 0 and leaves the table untouched when the sizes are
// out of range (more than 21 and at most 256 outputs, more than 21 and at
// most 1024 inputs), the gamma is outside 1..79 tenths, or table is null.
int BuildToneTable(ToneSet set, int inputs, int outputs, uint8_t* table);

#endif
