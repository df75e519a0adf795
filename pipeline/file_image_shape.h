// The shape of the images the file writers describe: the output file of a
// file transfer and the work files that collect a scan on disk. Every header
// states exactly the rows that follow it.
#ifndef PLNX_FILE_IMAGE_SHAPE_H
#define PLNX_FILE_IMAGE_SHAPE_H

#include <stdint.h>

#include "pipeline/scan_geometry.h"

struct FileImageShape {
    ImageKind Kind;
    uint32_t RowBytes;    // bytes of one row as it is written
    uint32_t Rows;
    uint32_t Resolution;  // dots per inch in both directions
};

// Rows a scanned line becomes in the enlarger: 1 without DoubleRes, 2 with
// it, 2M when M = DpiScale is 2 to 4.
uint32_t EnlargementFactor(bool doubleRes, uint32_t dpiScale);

// The image the application receives in its file: ring lines of LineBytes,
// each enlarged to f rows of f times the bytes, at the reported resolution.
FileImageShape OutputFileShape(const ScanGeometry& g, ImageKind kind, bool doubleRes, uint32_t dpiScale);

// The colour work file (kind Color) and the gray work file (LineArt,
// Halftone, Gray): the ring lines as read, LineBytes each, OutLines of them,
// at the resolution the lines were read with.
FileImageShape ScanWorkFileShape(const ScanGeometry& g, ImageKind kind, bool doubleRes, uint32_t dpiScale);

#endif
