// The lines the scanner sends for a frame: the bed averaged over the scan's
// pixel areas (scan_geometry.h), the tone tables applied (tone_tables.h) and the
// samples packed for the image type. The same code answers the reads and
// gives tests the image they should receive.
#ifndef PLNX_SIMULATOR_FRAME_RENDER_H
#define PLNX_SIMULATOR_FRAME_RENDER_H

#include <stdint.h>

#include <vector>

#include "simulator/bmp_codec.h"
#include "simulator/scan_geometry.h"
#include "simulator/tone_tables.h"

// The grey channel's value for a colour: (77 R + 150 G + 29 B + 128) / 256.
uint8_t GreyOf(const uint8_t rgb[3]);

// Line `line` (0 .. lines - 1) of the scan, geometry.bytesPerLine bytes.
// `picture` null: the generated test page.
void RenderScanLine(const RgbImage* picture, const ScanGeometry& geometry, const ToneTables& tones, int line,
                    uint8_t* out);

// Every line of the frame one after the other (lines x bytes per line);
// empty when the frame cannot be scanned. `tones` null: identity tables and
// threshold 128, as before any download.
std::vector<uint8_t> RenderFrame(const RgbImage* picture, const ScanFrame& frame, int dpi, int type,
                                 const ToneTables* tones = nullptr);

#endif
