#include "pipeline/tiff_header.h"

#include <string.h>

#include "device/little_endian.h"

namespace {

enum : uint16_t { TIFF_SHORT = 3, TIFF_LONG = 4, TIFF_RATIONAL = 5 };


// One 12-byte directory entry; a SHORT value sits in the first two bytes of
// the value field.
void PutEntry(uint8_t* p, uint16_t tag, uint16_t type, uint32_t count, uint32_t value) {
    PutU16(p, 0, tag);
    PutU16(p, 2, type);
    PutU32(p, 4, count);
    PutU32(p, 8, value);
}

bool Bilevel(ImageKind kind) { return kind == KIND_LINEART || kind == KIND_HALFTONE; }

}  // namespace

uint32_t TiffHeaderSize(ImageKind kind) { return kind == KIND_COLOR ? TIFF_COLOR_HEADER_SIZE : TIFF_HEADER_SIZE; }

uint32_t BuildTiffHeader(uint8_t* out, const FileImageShape& shape) {
    const ImageKind kind = shape.Kind;
    const bool color = kind == KIND_COLOR;
    if (shape.Rows == 0 || shape.RowBytes == 0) return 0;
    if (color && shape.RowBytes % 3 != 0) return 0;
    if (Bilevel(kind) && shape.RowBytes > 0xFFFFFFFFu / 8) return 0;
    const uint32_t size = TiffHeaderSize(kind);
    const uint64_t pixelBytes = (uint64_t)shape.Rows * shape.RowBytes;
    if (size + pixelBytes > 0xFFFFFFFFu) return 0;

    const uint32_t width = Bilevel(kind) ? shape.RowBytes * 8 : (color ? shape.RowBytes / 3 : shape.RowBytes);
    const uint32_t bitsArray = 122;
    const uint32_t xResolution = color ? 128 : 122;
    const uint32_t yResolution = xResolution + 8;

    memset(out, 0, size);
    out[0] = 'I';
    out[1] = 'I';
    PutU16(out, 2, 42);
    PutU32(out, 4, 8);
    PutU16(out, 8, 9);
    uint8_t* e = out + 10;
    PutEntry(e + 0 * 12, 256, TIFF_LONG, 1, width);
    PutEntry(e + 1 * 12, 257, TIFF_LONG, 1, shape.Rows);
    if (color)
        PutEntry(e + 2 * 12, 258, TIFF_SHORT, 3, bitsArray);
    else
        PutEntry(e + 2 * 12, 258, TIFF_SHORT, 1, Bilevel(kind) ? 1 : 8);
    PutEntry(e + 3 * 12, 262, TIFF_SHORT, 1, color ? 2 : 1);
    PutEntry(e + 4 * 12, 273, TIFF_LONG, 1, size);
    PutEntry(e + 5 * 12, 277, TIFF_SHORT, 1, color ? 3 : 1);
    PutEntry(e + 6 * 12, 279, TIFF_LONG, 1, (uint32_t)pixelBytes);
    PutEntry(e + 7 * 12, 282, TIFF_RATIONAL, 1, xResolution);
    PutEntry(e + 8 * 12, 283, TIFF_RATIONAL, 1, yResolution);
    PutU32(out, 118, 0);
    if (color) {
        PutU16(out, 122, 8);
        PutU16(out, 124, 8);
        PutU16(out, 126, 8);
    }
    PutU32(out, xResolution, shape.Resolution);
    PutU32(out, xResolution + 4, 1);
    PutU32(out, yResolution, shape.Resolution);
    PutU32(out, yResolution + 4, 1);
    return size;
}
