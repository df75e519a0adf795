// The generated test page that lies on the simulated bed unless a picture is
// configured: computed point by point, so that any frame at any resolution
// can be rendered without keeping the whole 600 dpi page in memory.
//
// Coordinates are in 1/600 inch from the bed's top-left corner. What is on it,
// from the top (every element lies inside the black border):
//  - white margins of 1/4 inch, then a black border line 6 points wide;
//  - a title "PLNX Q7B SCANNER TEST PAGE" and a line giving the bed size;
//  - eight colour patches (PATCH_COLOURS), left to right;
//  - a grey ramp of 16 steps, step k of value 17 k (black at the left), each
//    step labelled with its value;
//  - a smooth grey gradient (0 at the left to 255 at the right) over a hue
//    band;
//  - eight groups of fine lines, vertical above horizontal, periods 48 down
//    to 4 points, labelled in lines per inch;
//  - a resolution wedge: 11 black lines converging from a 50-point to a
//    4-point period from left to right;
//  - a text block: a heading and paragraphs of capital-letter text;
//  - a star of 36 black spokes and a colour wheel to the right of the text;
//  - a ruler along the bottom with ticks every 1/10 inch and inch numbers.
#ifndef PLNX_SIMULATOR_TEST_PAGE_H
#define PLNX_SIMULATOR_TEST_PAGE_H

#include <stdint.h>

// The bed: 8.5 x 11.5 inches; the film sources' area: 8.0 x 10.0 inches (the
// film holder shows the same page).
const int BED_WIDTH = 5100;
const int BED_LENGTH = 6900;
const int FILM_BED_WIDTH = 4800;
const int FILM_BED_LENGTH = 6000;

const int PAGE_MARGIN = 150;       // white margin on every side
const int PAGE_BORDER_WIDTH = 6;   // the black border just inside the margin

const int PATCH_COUNT = 8;
const int PATCH_TOP = 600, PATCH_BOTTOM = 1150;
const int PATCH_LEFT = 300, PATCH_PITCH = 562, PATCH_WIDTH = 540;
extern const uint8_t PATCH_COLOURS[PATCH_COUNT][3];

const int RAMP_STEPS = 16;
const int RAMP_TOP = 1250, RAMP_BOTTOM = 1750;
const int RAMP_LEFT = 300, RAMP_STEP_WIDTH = 280;
const int RAMP_STEP_VALUE = 17;

const int GRADIENT_TOP = 1900, GRADIENT_BOTTOM = 2050;  // grey, 0 .. 255
const int HUE_TOP = 2050, HUE_BOTTOM = 2200;
const int GRADIENT_LEFT = 300, GRADIENT_RIGHT = 4800;

const int LINES_GROUPS = 8;
const int LINES_LEFT = 300, LINES_PITCH = 562, LINES_WIDTH = 540;
const int VLINES_TOP = 2300, VLINES_BOTTOM = 2630;  // vertical lines
const int HLINES_TOP = 2650, HLINES_BOTTOM = 2980;  // horizontal lines
extern const int LINE_PERIODS[LINES_GROUPS];        // black for the first half of a period

const int WEDGE_TOP = 3150, WEDGE_BOTTOM = 3750, WEDGE_CENTRE = 3450;
const int WEDGE_LEFT = 300, WEDGE_RIGHT = 4800;

const int TEXT_LEFT = 300, TEXT_RIGHT = 3300, TEXT_TOP = 3900, TEXT_BOTTOM = 6400;

const int STAR_X = 4100, STAR_Y = 4650, STAR_RADIUS = 650, STAR_SPOKES = 36;
const int WHEEL_X = 4100, WHEEL_Y = 5900, WHEEL_RADIUS = 450;

const int RULER_BASELINE = 6650, RULER_LEFT = 300, RULER_RIGHT = 4800;

// The colour of the page at (x, y); white outside the bed.
void TestPagePixel(int x, int y, uint8_t rgb[3]);

#endif
