// Geometry of a scan: which points of the bed the scanner samples for a frame
// and resolution, and how long the lines it sends are.
//
// The scanner steps its sensor in 1/600 inch. Across a line a digital
// differential analyser starts at 600, adds the resolution at every step and
// takes a pixel at each step where the sum exceeds 600 (then subtracts 600);
// down the bed it takes lines the same way. So a 1.0 inch frame at 300 dpi
// gives 300 pixels, sampled at every second 1/600-inch position.
//
// Each pixel covers the 1/600-inch steps from the one where it is taken up
// to the next pixel's (the last pixel of the frame up to its edge) and is
// the average of the bed over them; lines likewise.
//
// Of the n pixels counted across, the scanner sends:
//   LineArt, Halftone: n / 8 bytes, 8 pixels a byte (the last n mod 8 are
//                      dropped);
//   Gray:              n - 2 pixels, one byte each;
//   Color:             n - 2 pixels, red, green, blue bytes each.
// The two last pixels of a Gray or Color line are dropped. A frame whose line
// would be empty cannot be scanned.
#ifndef PLNX_SIMULATOR_SCAN_GEOMETRY_H
#define PLNX_SIMULATOR_SCAN_GEOMETRY_H

#include <stdint.h>

#include <vector>

enum ImageType { IMAGE_LINEART = 0, IMAGE_HALFTONE = 1, IMAGE_GRAY = 2, IMAGE_COLOR = 3 };

const int OPTICAL_DPI = 600;

// A frame on the bed in 1/600 inch; right and bottom are exclusive.
struct ScanFrame {
    int left;
    int top;
    int right;
    int bottom;
};

struct ScanGeometry {
    int dpi;
    int type;                  // ImageType
    int pixelsCounted;         // n, the analyser's count across
    int pixelsSent;            // pixels in a sent line
    int bytesPerLine;          // bytes in a sent line
    int lines;                 // lines down the frame
    std::vector<int> columns;     // bed x (1/600 inch) where each sent pixel is taken
    std::vector<int> columnEnds;  // and where its area ends (exclusive)
    std::vector<int> rows;        // bed y (1/600 inch) where each line is taken
    std::vector<int> rowEnds;     // and where its area ends (exclusive)
};

// Positions (start + step) at which the analyser takes a sample over `steps`
// steps at `dpi`.
void DdaPositions(int start, int steps, int dpi, std::vector<int>* positions);
int DdaCount(int steps, int dpi);

// Bytes of a sent line for n counted pixels (0 or less: nothing to send).
int LineBytesFor(int type, int pixelsCounted);
// Pixels of a sent line for n counted pixels.
int PixelsSentFor(int type, int pixelsCounted);

// Fills `geometry` for the frame; false when the resolution is outside
// 1..600, the type unknown, the frame inverted, or the line would be empty.
// A frame of zero height is valid and has no lines.
bool ComputeScanGeometry(const ScanFrame& frame, int dpi, int type, ScanGeometry* geometry);

#endif
