#include "device/correction_curves.h"

namespace {

float CurveTableA[CORRECTION_CURVE_SIZE];
float CurveTableB[CORRECTION_CURVE_SIZE];
float CurveTableC[CORRECTION_CURVE_SIZE];
bool CurvesBuilt = false;

// Fifth-degree polynomial, coefficients from x^5 down to the constant term.
void FillCurve(float* curve, const double (&c)[6]) {
    curve[0] = (float)c[5];
    for (int i = 1; i < CORRECTION_CURVE_SIZE; ++i) {
        const double x = i / 255.0;
        double y = c[0];
        for (int j = 1; j < 6; ++j) y = y * x + c[j];
        y *= 255.0;
        if (y < 0.0) y = 0.0;
        if (y > 255.0) y = 255.0;
        curve[i] = (float)y;
    }
}

}  // namespace

void BuildCorrectionCurves() {
    static const double blue[6] = {3.8062, -8.0736, 6.2445, -2.3811, 1.5784, -0.0495};
    static const double green[6] = {1.5423, -2.8118, 1.8395, -0.7248, 1.2881, -0.0029};
    static const double red[6] = {-0.1755, -0.0641, 0.6695, -0.6895, 1.2932, -0.0148};
    FillCurve(CurveTableA, blue);
    FillCurve(CurveTableB, green);
    FillCurve(CurveTableC, red);
    CurvesBuilt = true;
}

void EnsureCorrectionCurves() {
    if (!CurvesBuilt) BuildCorrectionCurves();
}

const float* CurveA() { return CurveTableA; }
const float* CurveB() { return CurveTableB; }
const float* CurveC() { return CurveTableC; }
