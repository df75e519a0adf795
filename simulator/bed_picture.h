// What lies on the simulated bed: a picture read from a BMP file, or the
// generated test page when there is none.
#ifndef PLNX_SIMULATOR_BED_PICTURE_H
#define PLNX_SIMULATOR_BED_PICTURE_H

#include <stdint.h>

#include "simulator/bmp_codec.h"

// The colour at (x, y) in 1/600 inch. A picture is laid at the bed's top-left
// corner and scaled to the bed's width (8.5 inches), keeping its aspect
// ratio, each bed point taking the picture pixel it falls in; the bed below
// it is white. Without a picture (null) the test page is there.
void BedPixel(const RgbImage* picture, int x, int y, uint8_t rgb[3]);

#endif
