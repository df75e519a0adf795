// The scanner-side colour-correction curves: three 256-entry tables that the
// tone download applies to the red, green and blue tone tables.
#ifndef PLNX_CORRECTION_CURVES_H
#define PLNX_CORRECTION_CURVES_H

#define CORRECTION_CURVE_SIZE 256

// Computes the three curves; done once when the source is opened. Building
// again gives the same values.
void BuildCorrectionCurves();

// Builds the curves unless that was done already.
void EnsureCorrectionCurves();

// Each curve: entry 0 holds the polynomial's constant term, entries 1..255
// the polynomial at x = i / 255, times 255, clamped to 0..255.
const float* CurveA();  // blue
const float* CurveB();  // green
const float* CurveC();  // red

#endif
