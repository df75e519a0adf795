// The scanner's resampler: lines scanned at 300 dpi enlarged to a target
// resolution in both directions, with one rule for the whole scan so that the
// result does not depend on how the lines were fetched.
//
// Across, a line of P pixels becomes P x target / 300 pixels (integer
// division); output pixel o is taken at raw position o x 300 / target.
// Down, output line J of the scan is taken at raw line position
// J x 300 / target. A position between two raw samples gets their linear
// mix (16-bit fixed point, rounded), separately in each direction and per
// channel; positions past the last raw line or pixel take the last one.
// Output bytes beyond the enlarged pixels, up to the output line length,
// repeat the last pixel.
#ifndef PLNX_SIMULATOR_LINE_STRETCH_H
#define PLNX_SIMULATOR_LINE_STRETCH_H

#include <stdint.h>

const int STRETCH_SOURCE_DPI = 300;

int StretchedPixels(int pixels, int target);

// Raw line positions output lines first .. first + count - 1 need: the
// lowest and the highest raw line (the highest clamped to lastRawLine).
void StretchRawSpan(int firstOutLine, int count, int target, int lastRawLine, int* lowRaw, int* highRaw);

// Writes output lines firstOutLine .. firstOutLine + outLines - 1 of the
// scan. `raw` holds rawLines raw lines of pixels x channels bytes, the scan's
// raw lines firstRawLine onwards; positions outside them take the nearest.
// `out` (not overlapping `raw`) receives outLines lines of outBytes bytes.
// With both firsts 0 and every raw line given, this is the whole scan.
// False, writing nothing, when a count is not positive, the target is outside
// 1..600, or outBytes cannot hold the enlarged pixels.
bool StretchLines(const uint8_t* raw, int rawLines, int pixels, int channels, int target, int outLines,
                  int outBytes, uint8_t* out, int firstOutLine = 0, int firstRawLine = 0);

#endif
