// Writing a device-independent bitmap to a .BMP file.
#ifndef PLNX_TWSCAN_BMP_WRITER_H
#define PLNX_TWSCAN_BMP_WRITER_H

#include <stddef.h>
#include <stdint.h>
#include <stdio.h>

#include <string>
#include <vector>

// Writes a packed DIB (header, colour table, rows) with a BMP file header.
bool WritePackedDib(const char* path, const uint8_t* dib, size_t size, std::string* error);

// A bottom-up BMP written strip by strip as the rows arrive, so that the
// image is never held whole in memory: rows top first, colour given as
// red-green-blue, 1-bit rows with 0 = black.
class StripBmpWriter {
public:
    ~StripBmpWriter();
    bool Open(const char* path, uint32_t width, uint32_t height, uint32_t bitsPerPixel, std::string* error);
    // Rows first .. first + count - 1, `bytesPerRow` bytes each.
    bool WriteRows(uint32_t first, uint32_t count, uint32_t bytesPerRow, const uint8_t* rows, std::string* error);
    // Closes the file; false when it could not be completed (it is removed).
    bool Close(std::string* error);
    // Closes and removes an unfinished file.
    void Discard();

private:
    FILE* file_ = nullptr;
    std::string path_;
    uint32_t width_ = 0, height_ = 0, bits_ = 0, stride_ = 0, offset_ = 0;
    std::vector<uint8_t> row_;
};

#endif
