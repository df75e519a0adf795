#include "pipeline/colour_correction.h"

#include "device/correction_curves.h"

namespace {

// c1..c9 in ten-thousandths: rows R', G', B'; columns R, G, B.
const int kCoefficients[COLOUR_CORRECTION_TABLES] = {14307, -2665, -1613, -699, 11989, -1020, -662, -1403, 12349};

int16_t Tables[COLOUR_CORRECTION_TABLES][256];
bool TablesBuilt = false;

void BuildTables() {
    for (int k = 0; k < COLOUR_CORRECTION_TABLES; ++k)
        for (int i = 0; i < 256; ++i) Tables[k][i] = (int16_t)(i * kCoefficients[k] / 10000);
    TablesBuilt = true;
}

// Every entry lies in -67..364, so an entry plus kOffset is a non-negative
// field, and each row has one positive coefficient below 1.45 and two
// negative ones: a sum plus kSumOffset lies in 276..748 and fits 10 bits. The
// three sums of a pixel are thus added in one 32-bit word without carries.
const int kOffset = 128;
const int kSumOffset = 3 * kOffset;
const int kFieldBits = 10;
const uint32_t kFieldMask = (1u << kFieldBits) - 1;

}  // namespace

void BuildColourCorrection() {
    BuildTables();
    BuildCorrectionCurves();
}

const int16_t* ColourCorrectionTable(int k) {
    if (k < 1 || k > COLOUR_CORRECTION_TABLES) return nullptr;
    if (!TablesBuilt) BuildTables();
    return Tables[k - 1];
}

void PrepareColourCorrector(ColourCorrector* corrector, const uint8_t* redLut, const uint8_t* greenLut,
                            const uint8_t* blueLut) {
    if (!TablesBuilt) BuildTables();
    // Input channel c contributes table c + 1 to R', c + 4 to G', c + 7 to B'.
    for (int c = 0; c < 3; ++c)
        for (int v = 0; v < 256; ++v) {
            uint32_t word = 0;
            for (int out = 0; out < 3; ++out)
                word |= (uint32_t)(Tables[3 * out + c][v] + kOffset) << (kFieldBits * out);
            corrector->Matrix[c][v] = word;
        }
    const uint8_t* luts[3] = {redLut, greenLut, blueLut};
    for (int c = 0; c < 3; ++c)
        for (int s = 0; s < 1024; ++s) {
            int v = s - kSumOffset;
            v = v < 0 ? 0 : (v > 255 ? 255 : v);
            corrector->Output[c][s] = luts[c][v];
        }
}

void CorrectColourLine(const ColourCorrector& corrector, const uint8_t* in, uint8_t* out, uint32_t pixels) {
    const uint32_t* mr = corrector.Matrix[0];
    const uint32_t* mg = corrector.Matrix[1];
    const uint32_t* mb = corrector.Matrix[2];
    const uint8_t* outR = corrector.Output[0];
    const uint8_t* outG = corrector.Output[1];
    const uint8_t* outB = corrector.Output[2];
    for (uint32_t x = 0; x < pixels; ++x, in += 3, out += 3) {
        const uint32_t sums = mr[in[0]] + mg[in[1]] + mb[in[2]];
        out[0] = outR[sums & kFieldMask];
        out[1] = outG[(sums >> kFieldBits) & kFieldMask];
        out[2] = outB[sums >> (2 * kFieldBits)];
    }
}
