// One-bit lines: LineArt by a threshold, Halftone by an ordered dither, both
// packed 8 pixels a byte, the first pixel in the most significant bit. A set
// bit is white, a clear bit black.
#ifndef PLNX_SIMULATOR_PIXEL_PACKING_H
#define PLNX_SIMULATOR_PIXEL_PACKING_H

#include <stdint.h>

// Packs `pixels` (a multiple of 8) grey samples: white when the sample is at
// least `threshold`.
void PackLineArt(const uint8_t* grey, int pixels, uint8_t threshold, uint8_t* out);

// The dither threshold of pixel `column` of line `line`: an 8 x 8 Bayer
// matrix entry m (0..63) gives 4 m + 2, so a flat grey v whitens about
// v / 256 of the pixels, 0 none and 255 all.
uint8_t DitherThreshold(int column, int line);

// Packs `pixels` (a multiple of 8) grey samples of line `line`: white when
// the sample is at least its dither threshold.
void PackHalftone(const uint8_t* grey, int pixels, int line, uint8_t* out);

#endif
