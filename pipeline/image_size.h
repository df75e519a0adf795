// Estimated size of the image a frame gives, and the disk space a scan
// needs before it may start.
#ifndef PLNX_IMAGE_SIZE_H
#define PLNX_IMAGE_SIZE_H

#include <stdint.h>

// trunc(trunc(r x W) x r x H) pixels, as bytes for the scan mode: bits
// rounded up to bytes for LineArt and Halftone, three bytes for Color.
int64_t EstimateImageSizeBytes(uint16_t scanMode, double resolution, double widthInches, double heightInches);

// Header (1078 for BMP, 1032 for TIFF) + image + 5 MB of room.
int64_t DiskSpaceNeeded(bool bmp, int64_t imageSizeBytes);

#define DISK_SPACE_RESERVE 0x500000

#endif
