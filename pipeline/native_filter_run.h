// Running moire removal and the selected filter over the finished bitmap of
// a native transfer, with the interface kept alive and ESC watched.
#ifndef PLNX_NATIVE_FILTER_RUN_H
#define PLNX_NATIVE_FILTER_RUN_H

#include <windows.h>

#include "pipeline/scan_geometry.h"

// Filters the packed DIB in `block` as `DeMoire` and `FilterMode` say,
// pumping messages after every row. ESC (a key-down with code 27) stops the
// filter at once with the image as processed so far and returns false; the
// dialog's commands are then available again and a batch moves on.
bool FilterNativeImage(HGLOBAL block, const ScanGeometry& g, ImageKind kind);

#endif
