// Row-by-row filters for the strips of a memory transfer with
// post-processing: moire removal and the Filter menu's filters applied to the
// rows read back from the work file, before enlargement.
#ifndef PLNX_STRIP_FILTERS_H
#define PLNX_STRIP_FILTERS_H

#include <stdint.h>

#include "pipeline/scan_geometry.h"

// Applies moire removal (when `deMoire`) and then the filter `filterMode`
// (FILTER_* of native_filters.h) to `rowCount` rows of `lineBytes` bytes,
// top row first, in place. Gray and LineArt/Halftone bytes are single
// samples (LineArt and Halftone bytes are bit-reversed by Flip), Color rows
// are red-green-blue pixels filtered per channel. Unknown filter values and
// a null or empty strip do nothing.
void ApplyStripFilters(uint8_t* rows, uint32_t rowCount, uint32_t lineBytes, ImageKind kind, uint16_t filterMode,
                       bool deMoire);

// The single operations, each on one row of `bytes` bytes whose samples are
// `step` bytes apart (3 for Color, else 1; any other step counts as 1).
// Each pass runs left to right in place, so a sample's left neighbour
// already holds its new value. A sample without neighbours is left as it is.
void StripBlurRow(uint8_t* row, uint32_t bytes, uint32_t step);        // also moire removal
void StripBlurMoreRow(uint8_t* row, uint32_t bytes, uint32_t step);
void StripSharpenRow(uint8_t* row, uint32_t bytes, uint32_t step);
void StripSharpenMoreRow(uint8_t* row, uint32_t bytes, uint32_t step);
void StripInvertRow(uint8_t* row, uint32_t bytes);
// LineArt and Halftone: the bit order of the whole row reversed; Gray and
// Color: the pixels (`step` bytes each) reversed.
void StripFlipRow(uint8_t* row, uint32_t bytes, ImageKind kind);
// Every row but the last: centre - the sample below + 128, clamped; the last
// row becomes a copy of the row above it. A single row: centre - right
// neighbour + 128, and 128 for the last pixel.
void StripEmboss(uint8_t* rows, uint32_t rowCount, uint32_t lineBytes, uint32_t step);

#endif
