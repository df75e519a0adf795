#include "simulator/bmp_codec.h"

namespace {

uint32_t U16(const uint8_t* p) { return (uint32_t)(p[0] | (p[1] << 8)); }
uint32_t U32(const uint8_t* p) { return U16(p) | (U16(p + 2) << 16); }

void Put16(std::vector<uint8_t>& out, size_t at, uint32_t v) {
    out[at] = (uint8_t)v;
    out[at + 1] = (uint8_t)(v >> 8);
}
void Put32(std::vector<uint8_t>& out, size_t at, uint32_t v) {
    Put16(out, at, v & 0xffff);
    Put16(out, at + 2, v >> 16);
}

const size_t FileHeader = 14;
const int MaxSide = 65535;

}  // namespace

bool DecodeBmp24(const uint8_t* data, size_t size, RgbImage* image) {
    if (!data || size < FileHeader + 40 || data[0] != 'B' || data[1] != 'M') return false;
    uint32_t offset = U32(data + 10);
    uint32_t infoSize = U32(data + 14);
    if (infoSize < 40 || FileHeader + infoSize > size) return false;
    int32_t width = (int32_t)U32(data + 18);
    int32_t height = (int32_t)U32(data + 22);
    if (U16(data + 26) != 1 || U16(data + 28) != 24 || U32(data + 30) != 0) return false;
    bool topDown = height < 0;
    int64_t rows = topDown ? -(int64_t)height : height;
    if (width <= 0 || width > MaxSide || rows <= 0 || rows > MaxSide) return false;
    uint64_t stride = ((uint64_t)width * 3 + 3) & ~(uint64_t)3;
    if ((uint64_t)offset + stride * (uint64_t)rows > size) return false;

    RgbImage decoded;
    decoded.width = width;
    decoded.height = (int)rows;
    decoded.rgb.resize((size_t)width * 3 * (size_t)rows);
    for (int64_t y = 0; y < rows; ++y) {
        const uint8_t* src = data + offset + stride * (uint64_t)(topDown ? y : rows - 1 - y);
        uint8_t* dst = &decoded.rgb[(size_t)y * (size_t)width * 3];
        for (int32_t x = 0; x < width; ++x, src += 3, dst += 3) {
            dst[0] = src[2];
            dst[1] = src[1];
            dst[2] = src[0];
        }
    }
    *image = std::move(decoded);
    return true;
}

std::vector<uint8_t> EncodeBmp24(const uint8_t* rgb, int width, int height, int dpi) {
    size_t stride = ((size_t)width * 3 + 3) & ~(size_t)3;
    size_t offset = FileHeader + 40;
    std::vector<uint8_t> out(offset + stride * (size_t)height, 0);
    out[0] = 'B';
    out[1] = 'M';
    Put32(out, 2, (uint32_t)out.size());
    Put32(out, 10, (uint32_t)offset);
    Put32(out, 14, 40);
    Put32(out, 18, (uint32_t)width);
    Put32(out, 22, (uint32_t)height);
    Put16(out, 26, 1);
    Put16(out, 28, 24);
    Put32(out, 34, (uint32_t)(stride * (size_t)height));
    uint32_t perMetre = (uint32_t)((dpi * 10000 + 127) / 254);
    Put32(out, 38, perMetre);
    Put32(out, 42, perMetre);
    for (int y = 0; y < height; ++y) {
        const uint8_t* src = rgb + (size_t)y * (size_t)width * 3;
        uint8_t* dst = &out[offset + stride * (size_t)(height - 1 - y)];
        for (int x = 0; x < width; ++x, src += 3, dst += 3) {
            dst[0] = src[2];
            dst[1] = src[1];
            dst[2] = src[0];
        }
    }
    return out;
}
