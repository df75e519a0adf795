// The filters of the Filter menu applied to the finished bitmap of a native
// transfer, and moire removal on it. They work on the packed rows of a DIB
// (bottom picture row first in memory) and report after every row, so that
// the caller can keep its window alive and stop on ESC.
#ifndef PLNX_NATIVE_FILTERS_H
#define PLNX_NATIVE_FILTERS_H

#include <stddef.h>
#include <stdint.h>

// FilterMode values.
#define FILTER_NONE 0
#define FILTER_INVERT 1
#define FILTER_FLIP 2
#define FILTER_BLUR 3
#define FILTER_BLUR_MORE 4
#define FILTER_SHARPEN 5
#define FILTER_SHARPEN_MORE 6
#define FILTER_EMBOSS 7

// The pixel rows of a packed DIB: Height rows of DibRowStride(Width,
// BitsPerPixel) bytes, in memory order.
struct DibPixels {
    uint8_t* Rows;
    uint32_t Width;
    uint32_t Height;
    uint32_t BitsPerPixel;  // 1, 8 or 24
};

// ((width x bits per pixel + 31) / 32) x 4.
size_t DibRowStride(uint32_t width, uint32_t bitsPerPixel);

// Called after every processed row with the rows done so far out of the
// image's height (for the filters that make two passes: (pass x height +
// rows of this pass) / 2). Returning false stops the filter at once; the
// image is left as processed so far. The callback may be null.
typedef bool (*FilterProgress)(void* context, uint32_t done, uint32_t total);

enum FilterOutcome {
    FILTER_DONE,       // the whole image was processed (or the filter does not apply to it)
    FILTER_STOPPED,    // the callback returned false
    FILTER_NO_MEMORY,  // the work buffer could not be allocated; the image is unchanged
};

// Reverses the order of the bits of a whole row of `bytes` bytes (the first
// byte's most significant bit becomes the last byte's least significant).
void ReverseRowBits(uint8_t* row, size_t bytes);

// Complements every byte of every row, pad bytes included (all depths).
FilterOutcome InvertImage(const DibPixels& image, FilterProgress progress, void* context);

// Horizontal mirror: 1-bit rows have the bit order of the whole stored row
// reversed, 8-bit rows their bytes, 24-bit rows their pixels (each pixel
// keeps its byte order). Works in place.
FilterOutcome FlipImage(const DibPixels& image, FilterProgress progress, void* context);

// 3 x 3 box average, in place in memory order (the left neighbour and the
// row before already hold new values); neighbours outside the image count as
// the centre. 8 and 24 bits only; 1-bit images are left as they are.
FilterOutcome BlurImage(const DibPixels& image, FilterProgress progress, void* context);
FilterOutcome BlurMoreImage(const DibPixels& image, FilterProgress progress, void* context);

// 5 x centre - the four diagonal neighbours, clamped, from the unfiltered
// image; border pixels unchanged. 8 and 24 bits only. Needs two rows of
// work memory.
FilterOutcome SharpenImage(const DibPixels& image, FilterProgress progress, void* context);
FilterOutcome SharpenMoreImage(const DibPixels& image, FilterProgress progress, void* context);

// centre - (the pixel two rows further in memory and two to the right) +
// 128, clamped; 128 where that pixel does not exist. 8 and 24 bits only.
FilterOutcome EmbossImage(const DibPixels& image, FilterProgress progress, void* context);

// Moire removal on a native image: one blur pass.
FilterOutcome RemoveMoireImage(const DibPixels& image, FilterProgress progress, void* context);

// The filter selected by `FilterMode` (FILTER_NONE and unknown values do
// nothing and return FILTER_DONE).
FilterOutcome ApplyNativeFilter(uint16_t filterMode, const DibPixels& image, FilterProgress progress,
                                void* context);

#endif
