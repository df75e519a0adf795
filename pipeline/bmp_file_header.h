// The BMP output file of file transfer: file header, info header, colour
// table, then bottom-up rows padded to whole 32-bit words. The file is sized
// in full before any row arrives, and every row is written at its own place,
// so the result is a valid bottom-up bitmap whatever order the rows come in.
#ifndef PLNX_BMP_FILE_HEADER_H
#define PLNX_BMP_FILE_HEADER_H

#include <stdint.h>

#include "pipeline/file_image_shape.h"

#define BMP_FILE_HEADER_SIZE 14
#define BMP_INFO_HEADER_SIZE 40
#define BMP_HEADER_MAX (BMP_FILE_HEADER_SIZE + BMP_INFO_HEADER_SIZE + 4 * 256)

struct BmpLayout {
    ImageKind Kind;
    uint32_t Width;       // pixels per row
    uint32_t Height;      // rows
    uint16_t Bits;        // 1, 8 or 24
    uint32_t Colours;     // colour table entries: 2, 256 or 0
    uint32_t RowBytes;    // bytes of a row as delivered
    uint32_t Stride;      // RowBytes raised to a multiple of 4
    uint32_t BitsOffset;  // 54 + 4 x colours: header size and first byte of the bottom row
    uint32_t FileSize;    // BitsOffset + Height x Stride
};

// The layout of a BMP holding `shape`. Returns false when the shape cannot be
// held: no rows, empty rows, colour rows that are not whole pixels, or a file
// of 4 GB or more.
bool ComputeBmpLayout(const FileImageShape& shape, BmpLayout* layout);

// Writes the file header, the info header and the colour table into `out`
// (at least BMP_HEADER_MAX bytes); returns the byte count, layout.BitsOffset.
uint32_t BuildBmpHeader(uint8_t* out, const BmpLayout& layout);

// File offset of picture row `row` (0 = the top row, the first scanned);
// 0 when the row lies outside the picture.
uint32_t BmpRowOffset(const BmpLayout& layout, uint32_t row);

// A batch holds the picture rows first .. first + count - 1, stored bottom-up
// (the batch's last row first, each Stride bytes) so that one write places
// all of them. Returns the file offset of that write: the place of the
// batch's last row; 0 when the batch is empty or reaches past the picture.
uint32_t BmpBatchOffset(const BmpLayout& layout, uint32_t first, uint32_t count);
// Bytes of such a batch: count x Stride.
uint32_t BmpBatchBytes(const BmpLayout& layout, uint32_t count);

// Stores row `index` (0 = the batch's top row) of a batch of `count` rows at
// its place in `batch`: colour pixels from red-green-blue to blue-green-red,
// other kinds as they are, the padding up to Stride zeroed. `line` holds
// RowBytes bytes.
void StoreBmpBatchRow(uint8_t* batch, const BmpLayout& layout, uint32_t count, uint32_t index, const uint8_t* line);

#endif
