// The packed device-independent bitmap of a native transfer: header, colour
// table and bottom-up rows.
#ifndef PLNX_DIB_LAYOUT_H
#define PLNX_DIB_LAYOUT_H

#include <stddef.h>
#include <stdint.h>

#include "pipeline/scan_geometry.h"

#define DIB_HEADER_SIZE 40

// 2 for LineArt and Halftone (black, white), 256 for Gray, none for Color.
uint32_t DibColourEntries(ImageKind kind);
// OutLines rows of DibStride bytes, the colour table and the header.
size_t DibBlockSize(const ScanGeometry& g, ImageKind kind);
// Writes the header and colour table at the start of `block`.
void WriteDibHeader(uint8_t* block, const ScanGeometry& g, ImageKind kind);
// Address of the row that holds scanned line `line` (the first scanned line
// is the top of the picture, the last row in memory).
uint8_t* DibRowForLine(uint8_t* block, const ScanGeometry& g, ImageKind kind, uint32_t line);
// Copies one scanned line into its row: colour pixels from red-green-blue to
// blue-green-red, other kinds as they are.
void StoreDibLine(uint8_t* row, const uint8_t* line, uint32_t lineBytes, ImageKind kind);

#endif
