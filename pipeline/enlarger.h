// The integer-factor enlarger for resolutions above what the scanner
// delivers: every scanned line becomes f rows of f times as many pixels
// (f = 2, 4, 6 or 8). Bits are replicated; Gray and Color samples are
// interpolated from the line and the line before it, which is carried from
// one call to the next for the whole transfer.
#ifndef PLNX_ENLARGER_H
#define PLNX_ENLARGER_H

#include <stddef.h>
#include <stdint.h>

#include "pipeline/scan_geometry.h"

enum EnlargeKind : uint8_t {
    ENLARGE_BITS = 0,   // LineArt, Halftone: packed bits, most significant first
    ENLARGE_GRAY = 1,   // one byte per pixel
    ENLARGE_COLOR = 2,  // three bytes per pixel, channels interpolated apart
};

// The transfer's enlarger state. Zero-initialise it before the first call
// (`EnlargerState state = {};`) and release it with FreeEnlarger at the
// transfer's clean-up.
struct EnlargerState {
    uint8_t* CarryLine;    // the last input line of the previous call
    uint32_t CarryBytes;   // its length; 0 before the first Gray or Color call
    uint32_t Capacity;     // bytes allocated for CarryLine
};

// f for `DpiScale`: 2 for 0 and 1, 4 for 2, 6 for 3, 8 for 4; 0 otherwise.
uint32_t EnlargeFactor(uint32_t dpiScale);

// ENLARGE_BITS for LineArt and Halftone, ENLARGE_GRAY, ENLARGE_COLOR.
EnlargeKind EnlargeKindFor(ImageKind kind);

// Bytes written for `lineCount` lines of `lineBytes`: f x f x both.
size_t EnlargedBytes(uint32_t factor, uint32_t lineCount, uint32_t lineBytes);

// Enlarges `lineCount` input lines of `lineBytes` bytes each, packed one
// after the other at `lines`, into f x lineCount rows of f x lineBytes
// bytes placed one after the other at `out` (which must not overlap the
// input). For Gray and Color the rows of input line 0 interpolate between
// the carried line and line 0; the carried line is (re)created from line 0
// on the first call and whenever the line length changes, is overwritten
// with line 0 first when the call has a single line (which then gives f
// equal rows), and keeps the call's last line for the next call.
//
// Returns 1 on success; 0 without writing anything when the arguments are
// invalid (null pointers, a factor other than 2, 4, 6, 8, a Color line that
// is not whole pixels) or the carried line cannot be allocated. A call with
// no lines or empty lines does nothing and returns 1.
int EnlargeLines(EnlargerState* state, EnlargeKind kind, uint32_t factor, const uint8_t* lines, uint32_t lineCount,
                 uint32_t lineBytes, uint8_t* out);

// Frees the carried line and resets the state; safe to call again.
void FreeEnlarger(EnlargerState* state);

#endif
