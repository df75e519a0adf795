// Writing a device-independent bitmap to a .BMP file.
#ifndef PLNX_TWSCAN_BMP_WRITER_H
#define PLNX_TWSCAN_BMP_WRITER_H

#include <stddef.h>
#include <stdint.h>

#include <string>
#include <vector>

// Writes a packed DIB (header, colour table, rows) with a BMP file header.
bool WritePackedDib(const char* path, const uint8_t* dib, size_t size, std::string* error);

// An image assembled from memory strips: rows top first, `bytesPerRow` each,
// colour as red-green-blue, 1-bit rows with 0 = black.
struct StripImage {
    uint32_t Width = 0;
    uint32_t Height = 0;
    uint32_t BitsPerPixel = 0;
    uint32_t BytesPerRow = 0;
    std::vector<uint8_t> Rows;
};

// Writes a strip image as a bottom-up BMP (blue-green-red for colour).
bool WriteStripImage(const char* path, const StripImage& image, std::string* error);

#endif
