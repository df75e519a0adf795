#include "tools/twscan/bmp_writer.h"

#include <stdio.h>
#include <string.h>

#include <algorithm>

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

StripBmpWriter::~StripBmpWriter() { Discard(); }

bool StripBmpWriter::Open(const char* path, uint32_t width, uint32_t height, uint32_t bitsPerPixel,
                          std::string* error) {
    path_ = path;
    width_ = width;
    height_ = height;
    bits_ = bitsPerPixel;
    stride_ = ((width * bitsPerPixel + 31) / 32) * 4;
    uint32_t colours = bitsPerPixel == 24 ? 0 : (1u << bitsPerPixel);
    std::vector<uint8_t> head(14 + 40 + 4 * colours, 0);
    offset_ = (uint32_t)head.size();
    head[0] = 'B';
    head[1] = 'M';
    PutU32(&head[2], (uint32_t)(head.size() + (size_t)stride_ * height));
    PutU32(&head[10], offset_);
    uint8_t* info = &head[14];
    PutU32(info, 40);
    PutU32(info + 4, width);
    PutU32(info + 8, height);
    PutU16(info + 12, 1);
    PutU16(info + 14, (uint16_t)bitsPerPixel);
    PutU32(info + 32, colours);
    for (uint32_t i = 0; i < colours; ++i) {
        uint8_t level = colours == 2 ? (i ? 255 : 0) : (uint8_t)i;
        memset(info + 40 + 4 * i, level, 3);
    }
    file_ = fopen(path, "wb");
    if (!file_ || fwrite(head.data(), 1, head.size(), file_) != head.size()) {
        if (error) *error = std::string("cannot create ") + path;
        Discard();
        return false;
    }
    row_.assign(stride_, 0);
    return true;
}

bool StripBmpWriter::WriteRows(uint32_t first, uint32_t count, uint32_t bytesPerRow, const uint8_t* rows,
                               std::string* error) {
    uint32_t copy = bytesPerRow < stride_ ? bytesPerRow : stride_;
    for (uint32_t i = 0; i < count; ++i) {
        uint32_t y = first + i;
        if (y >= height_) {
            if (error) *error = "a strip reaches past the image";
            return false;
        }
        const uint8_t* src = rows + (size_t)i * bytesPerRow;
        std::fill(row_.begin(), row_.end(), 0);
        if (bits_ == 24) {
            for (uint32_t x = 0; x < width_ && 3 * x + 2 < bytesPerRow; ++x) {
                row_[3 * x + 0] = src[3 * x + 2];
                row_[3 * x + 1] = src[3 * x + 1];
                row_[3 * x + 2] = src[3 * x + 0];
            }
        } else {
            memcpy(row_.data(), src, copy);
        }
        long at = (long)(offset_ + (uint64_t)(height_ - 1 - y) * stride_);
        if (fseek(file_, at, SEEK_SET) != 0 || fwrite(row_.data(), 1, stride_, file_) != stride_) {
            if (error) *error = std::string("cannot write ") + path_;
            return false;
        }
    }
    return true;
}

bool StripBmpWriter::Close(std::string* error) {
    if (!file_) return false;
    bool ok = fclose(file_) == 0;
    file_ = nullptr;
    if (!ok) {
        remove(path_.c_str());
        if (error) *error = std::string("cannot write ") + path_;
    }
    return ok;
}

void StripBmpWriter::Discard() {
    if (!file_) return;
    fclose(file_);
    file_ = nullptr;
    remove(path_.c_str());
}
