// The scanner's resampler: lines scanned at 300 dpi enlarged to a target
// resolution in both directions.
//
// Across, a line of P pixels becomes P x target / 300 pixels (integer
// division); output pixel o is taken at raw position o x 300 / target.
// Down, the R raw lines of one call become the requested L lines; output
// line j is taken at raw position j x R / L. A position between two raw
// samples gets their linear mix (16-bit fixed point, rounded), separately in
// each direction and per channel; positions past the last sample take the
// last sample. Output bytes beyond the enlarged pixels, up to the output line
// length, repeat the last pixel.
#ifndef PLNX_SIMULATOR_LINE_STRETCH_H
#define PLNX_SIMULATOR_LINE_STRETCH_H

#include <stdint.h>

const int STRETCH_SOURCE_DPI = 300;

int StretchedPixels(int pixels, int target);

// `raw`: rawLines lines of pixels x channels bytes one after the other;
// `out`: outLines lines of outBytes bytes (must not overlap `raw`). False,
// writing nothing, when a count is not positive, the target is outside
// 1..600, or outBytes cannot hold the enlarged pixels.
bool StretchLines(const uint8_t* raw, int rawLines, int pixels, int channels, int target, int outLines,
                  int outBytes, uint8_t* out);

#endif
