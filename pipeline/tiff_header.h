// The uncompressed single-strip TIFF header that starts an output file of
// file transfer and every work file: "II", one IFD of nine entries, the
// colour BitsPerSample array, the two resolutions, then the rows top to
// bottom, back to back.
#ifndef PLNX_TIFF_HEADER_H
#define PLNX_TIFF_HEADER_H

#include <stdint.h>

#include "pipeline/file_image_shape.h"

#define TIFF_HEADER_SIZE 138        // LineArt, Halftone, Gray
#define TIFF_COLOR_HEADER_SIZE 144  // Color: three BitsPerSample values more
#define TIFF_HEADER_MAX 144

// Offset of the first row: 138, or 144 for Color.
uint32_t TiffHeaderSize(ImageKind kind);

// Writes the header for `shape` into `out` (at least TIFF_HEADER_MAX bytes)
// and returns its size. Returns 0 and writes nothing when the shape cannot be
// described: no rows, empty rows, colour rows that are not whole pixels, or
// pixel data reaching past the 4 GB a TIFF offset can address.
uint32_t BuildTiffHeader(uint8_t* out, const FileImageShape& shape);

#endif
