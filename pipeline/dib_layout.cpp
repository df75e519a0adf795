#include "pipeline/dib_layout.h"

#include <string.h>

#include "device/little_endian.h"

namespace {


}  // namespace

uint32_t DibColourEntries(ImageKind kind) {
    switch (kind) {
    case KIND_LINEART:
    case KIND_HALFTONE: return 2;
    case KIND_GRAY: return 256;
    default: return 0;
    }
}

size_t DibBlockSize(const ScanGeometry& g, ImageKind kind) {
    return (size_t)g.OutLines * g.DibStride + 4 * DibColourEntries(kind) + DIB_HEADER_SIZE;
}

void WriteDibHeader(uint8_t* block, const ScanGeometry& g, ImageKind kind) {
    uint32_t entries = DibColourEntries(kind);
    uint32_t width = kind == KIND_COLOR ? g.OutRowBytes / 3 : (kind == KIND_GRAY ? g.OutRowBytes : g.OutRowBytes * 8);
    uint16_t bits = kind == KIND_COLOR ? 24 : (kind == KIND_GRAY ? 8 : 1);
    memset(block, 0, DIB_HEADER_SIZE + 4 * entries);
    PutU32(block, 0, DIB_HEADER_SIZE);
    PutU32(block, 4, width);
    PutU32(block, 8, g.OutLines);  // positive: bottom-up
    PutU16(block, 12, 1);
    PutU16(block, 14, bits);
    PutU32(block, 32, entries);
    uint8_t* table = block + DIB_HEADER_SIZE;
    for (uint32_t i = 0; i < entries; ++i) {
        uint8_t level = entries == 2 ? (i ? 255 : 0) : (uint8_t)i;
        table[4 * i + 0] = level;
        table[4 * i + 1] = level;
        table[4 * i + 2] = level;
    }
}

uint8_t* DibRowForLine(uint8_t* block, const ScanGeometry& g, ImageKind kind, uint32_t line) {
    uint8_t* rows = block + DIB_HEADER_SIZE + 4 * DibColourEntries(kind);
    return rows + (size_t)(g.OutLines - 1 - line) * g.DibStride;
}

void StoreDibLine(uint8_t* row, const uint8_t* line, uint32_t lineBytes, ImageKind kind) {
    if (kind != KIND_COLOR) {
        memcpy(row, line, lineBytes);
        return;
    }
    uint32_t pixels = lineBytes / 3;
    for (uint32_t i = 0; i < pixels; ++i) {
        row[3 * i + 0] = line[3 * i + 2];
        row[3 * i + 1] = line[3 * i + 1];
        row[3 * i + 2] = line[3 * i + 0];
    }
}
