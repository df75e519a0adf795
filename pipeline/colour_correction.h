// Software colour correction for output matching: a 3 x 3 matrix applied to
// every colour pixel as it is taken from the ring, followed by the red, green
// and blue tone tables.
#ifndef PLNX_COLOUR_CORRECTION_H
#define PLNX_COLOUR_CORRECTION_H

#include <stdint.h>

#define COLOUR_CORRECTION_TABLES 9

// Builds the nine matrix tables, T1..T9 with Tk[i] = (i x ck) / 10000
// truncated toward zero, and the scanner-side correction curves
// (BuildCorrectionCurves). Done once when the source is opened.
void BuildColourCorrection();

// Table Tk for k = 1..9 (256 entries), built on first use if needed; null
// for any other k.
const int16_t* ColourCorrectionTable(int k);

// The matrix and the tone tables folded together for one scan:
// Matrix[channel][v] holds the contributions of input value v of that
// channel to R', G' and B' (10 bits each, offset so that none is negative);
// Output[channel][sum] is the tone table entry of the clamped sum.
struct ColourCorrector {
    uint32_t Matrix[3][256];
    uint8_t Output[3][1024];
};

// Prepares `corrector` from the nine tables and the red, green and blue tone
// tables (256 entries each).
void PrepareColourCorrector(ColourCorrector* corrector, const uint8_t* redLut, const uint8_t* greenLut,
                            const uint8_t* blueLut);

// Corrects `pixels` red-green-blue pixels from `in` into `out` (which may be
// `in`): R' = T1[R] + T2[G] + T3[B], G' = T4[R] + T5[G] + T6[B],
// B' = T7[R] + T8[G] + T9[B], each clamped to 0..255, then R'' =
// redLut[R'], G'' = greenLut[G'], B'' = blueLut[B'].
void CorrectColourLine(const ColourCorrector& corrector, const uint8_t* in, uint8_t* out, uint32_t pixels);

#endif
