#include "tools/twscan/bmp_writer.h"

#include <stdio.h>
#include <string.h>

namespace {

void PutU32(uint8_t* p, uint32_t v) {
    p[0] = (uint8_t)v;
    p[1] = (uint8_t)(v >> 8);
    p[2] = (uint8_t)(v >> 16);
    p[3] = (uint8_t)(v >> 24);
}
void PutU16(uint8_t* p, uint16_t v) {
    p[0] = (uint8_t)v;
    p[1] = (uint8_t)(v >> 8);
}
uint32_t GetU32(const uint8_t* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | ((uint32_t)p[3] << 24); }

bool WriteAll(const char* path, const std::vector<uint8_t>& head, const uint8_t* body, size_t bodySize,
              std::string* error) {
    FILE* f = fopen(path, "wb");
    if (!f) {
        if (error) *error = std::string("cannot create ") + path;
        return false;
    }
    bool ok = fwrite(head.data(), 1, head.size(), f) == head.size() && fwrite(body, 1, bodySize, f) == bodySize;
    ok = (fclose(f) == 0) && ok;
    if (!ok) {
        remove(path);
        if (error) *error = std::string("cannot write ") + path;
    }
    return ok;
}

}  // namespace

bool WritePackedDib(const char* path, const uint8_t* dib, size_t size, std::string* error) {
    if (size < 40) {
        if (error) *error = "the bitmap is too small";
        return false;
    }
    uint32_t colours = GetU32(dib + 32);
    uint32_t bits = dib[14] | (dib[15] << 8);
    if (colours == 0 && bits <= 8) colours = 1u << bits;
    std::vector<uint8_t> head(14);
    head[0] = 'B';
    head[1] = 'M';
    PutU32(&head[2], (uint32_t)(14 + size));
    PutU32(&head[10], 14 + 40 + 4 * colours);
    return WriteAll(path, head, dib, size, error);
}

bool WriteStripImage(const char* path, const StripImage& image, std::string* error) {
    uint32_t stride = ((image.Width * image.BitsPerPixel + 31) / 32) * 4;
    uint32_t colours = image.BitsPerPixel == 24 ? 0 : (1u << image.BitsPerPixel);
    std::vector<uint8_t> head(14 + 40 + 4 * colours, 0);
    head[0] = 'B';
    head[1] = 'M';
    PutU32(&head[2], (uint32_t)(head.size() + (size_t)stride * image.Height));
    PutU32(&head[10], (uint32_t)head.size());
    uint8_t* info = &head[14];
    PutU32(info, 40);
    PutU32(info + 4, image.Width);
    PutU32(info + 8, image.Height);
    PutU16(info + 12, 1);
    PutU16(info + 14, (uint16_t)image.BitsPerPixel);
    PutU32(info + 32, colours);
    for (uint32_t i = 0; i < colours; ++i) {
        uint8_t level = colours == 2 ? (i ? 255 : 0) : (uint8_t)i;
        memset(info + 40 + 4 * i, level, 3);
    }
    std::vector<uint8_t> body((size_t)stride * image.Height, 0);
    uint32_t copy = image.BytesPerRow < stride ? image.BytesPerRow : stride;
    for (uint32_t y = 0; y < image.Height; ++y) {
        const uint8_t* src = image.Rows.data() + (size_t)y * image.BytesPerRow;
        uint8_t* dst = body.data() + (size_t)(image.Height - 1 - y) * stride;
        if (image.BitsPerPixel == 24) {
            for (uint32_t x = 0; x < image.Width; ++x) {
                dst[3 * x + 0] = src[3 * x + 2];
                dst[3 * x + 1] = src[3 * x + 1];
                dst[3 * x + 2] = src[3 * x + 0];
            }
        } else {
            memcpy(dst, src, copy);
        }
    }
    return WriteAll(path, head, body.data(), body.size(), error);
}
