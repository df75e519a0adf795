// The ring lines a scan should produce, computed with the simulator's own
// rendering (kept apart from the data source's headers, whose frame and
// geometry types share names with the simulator's).
#ifndef PLNX_TESTS_EXPECTED_LINES_H
#define PLNX_TESTS_EXPECTED_LINES_H

#include <stdint.h>

#include <vector>

// The lines of a frame (1/600 inch) scanned at `dpi` with image type `type`
// (0 LineArt .. 3 Color) through the tone block `toneBlock` (16400 bytes, or
// null for none), resampled by the driver to `target` dpi when `target` is
// not 0, each line padded to `lineBytes`. `lines` receives the count.
std::vector<uint8_t> ExpectedRingLines(int left, int top, int right, int bottom, int dpi, int type,
                                       const uint8_t* toneBlock, int target, uint32_t lineBytes, uint32_t* lines);

#endif
