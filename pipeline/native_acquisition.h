// Native transfer: the whole scan as one packed device-independent bitmap.
#ifndef PLNX_NATIVE_ACQUISITION_H
#define PLNX_NATIVE_ACQUISITION_H

#include <windows.h>

// Reads the whole scan into a movable global block holding a packed DIB and
// returns its handle (0 on failure or ESC); sets ReturnCode.
HGLOBAL AcquireNativeImage();

#endif
