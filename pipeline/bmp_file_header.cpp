#include "pipeline/bmp_file_header.h"

#include <string.h>

#include "device/little_endian.h"
#include "pipeline/dib_layout.h"

namespace {


}  // namespace

bool ComputeBmpLayout(const FileImageShape& shape, BmpLayout* layout) {
    const ImageKind kind = shape.Kind;
    const bool bilevel = kind == KIND_LINEART || kind == KIND_HALFTONE;
    if (shape.Rows == 0 || shape.RowBytes == 0 || shape.Rows > 0x7FFFFFFFu) return false;
    if (kind == KIND_COLOR && shape.RowBytes % 3 != 0) return false;
    if (shape.RowBytes > 0xFFFFFFFFu / 8 - 3) return false;

    BmpLayout l = {};
    l.Kind = kind;
    l.Width = bilevel ? shape.RowBytes * 8 : (kind == KIND_GRAY ? shape.RowBytes : shape.RowBytes / 3);
    if (l.Width > 0x7FFFFFFFu) return false;
    l.Height = shape.Rows;
    l.Bits = bilevel ? 1 : (kind == KIND_GRAY ? 8 : 24);
    l.Colours = DibColourEntries(kind);
    l.RowBytes = shape.RowBytes;
    l.Stride = (shape.RowBytes + 3) & ~3u;
    l.BitsOffset = BMP_FILE_HEADER_SIZE + BMP_INFO_HEADER_SIZE + 4 * l.Colours;
    uint64_t size = l.BitsOffset + (uint64_t)l.Height * l.Stride;
    if (size > 0xFFFFFFFFu) return false;
    l.FileSize = (uint32_t)size;
    *layout = l;
    return true;
}

uint32_t BuildBmpHeader(uint8_t* out, const BmpLayout& layout) {
    memset(out, 0, layout.BitsOffset);
    out[0] = 'B';
    out[1] = 'M';
    PutU32(out, 2, layout.FileSize);
    PutU32(out, 10, layout.BitsOffset);

    uint8_t* info = out + BMP_FILE_HEADER_SIZE;
    PutU32(info, 0, BMP_INFO_HEADER_SIZE);
    PutU32(info, 4, layout.Width);
    PutU32(info, 8, layout.Height);  // positive: bottom-up
    PutU16(info, 12, 1);
    PutU16(info, 14, layout.Bits);
    PutU32(info, 32, layout.Colours);

    uint8_t* table = info + BMP_INFO_HEADER_SIZE;
    for (uint32_t i = 0; i < layout.Colours; ++i) {
        uint8_t level = layout.Colours == 2 ? (i ? 255 : 0) : (uint8_t)i;
        table[4 * i + 0] = level;
        table[4 * i + 1] = level;
        table[4 * i + 2] = level;
    }
    return layout.BitsOffset;
}

uint32_t BmpRowOffset(const BmpLayout& layout, uint32_t row) {
    if (row >= layout.Height) return 0;
    return layout.BitsOffset + (layout.Height - 1 - row) * layout.Stride;
}

uint32_t BmpBatchOffset(const BmpLayout& layout, uint32_t first, uint32_t count) {
    if (count == 0 || first >= layout.Height || count > layout.Height - first) return 0;
    return BmpRowOffset(layout, first + count - 1);
}

uint32_t BmpBatchBytes(const BmpLayout& layout, uint32_t count) { return count * layout.Stride; }

void StoreBmpBatchRow(uint8_t* batch, const BmpLayout& layout, uint32_t count, uint32_t index, const uint8_t* line) {
    uint8_t* row = batch + (size_t)(count - 1 - index) * layout.Stride;
    StoreDibLine(row, line, layout.RowBytes, layout.Kind);
    memset(row + layout.RowBytes, 0, layout.Stride - layout.RowBytes);
}
