#include "device/tone_table.h"

#include <math.h>

uint8_t ToneWorkTables[4][TONE_TABLE_SIZE] = {};

int BuildToneTable(ToneSet set, int inputs, int outputs, uint8_t* table) {
    const int L = inputs - 1;
    const int M = outputs - 1;
    const int br = set.Brightness;
    const int ct = set.Contrast;
    const int gm = set.Gamma;
    if (table == nullptr) return 0;
    if (M <= 20 || M >= 256 || L <= 20 || L >= 1024 || gm < 1 || gm > 79) return 0;

    int low;
    int high;
    // Contrast: a steeper ramp clipped at both ends, or a flatter one
    // around the middle.
    if (ct >= 0) {
        const double k = (double)ct * L / 255.0;
        const int K = (int)k;
        for (int i = 0; i <= L; ++i) {
            if (i <= K)
                table[i] = 0;
            else if (i >= L - K)
                table[i] = (uint8_t)M;
            else
                table[i] = (uint8_t)(int)(M * (i - k) / (L - 2.0 * k));
        }
        low = K;
        high = L - K;
    } else {
        const double k = (double)-ct * M / 255.0;
        for (int i = 0; i <= L; ++i) {
            if (ct == -128)
                table[i] = (uint8_t)(int)k;
            else
                table[i] = (uint8_t)(int)(i * (M - 2.0 * k) / L + k);
        }
        low = 0;
        high = L;
    }

    // Brightness: shift and clip; the clipped ends are left out of the
    // gamma curve.
    const int d = (br * M) / 255;
    bool clippedHigh = false;
    for (int i = 0; i <= L; ++i) {
        const int v = table[i] + d;
        if (v < 0) {
            table[i] = 0;
            low = i + 1;
        } else if (v > M) {
            table[i] = (uint8_t)M;
            if (!clippedHigh) {
                high = i - 1;
                clippedHigh = true;
            }
        } else {
            table[i] = (uint8_t)v;
        }
    }

    // Gamma between the two ends of the ramp. Gamma 1.0 is the straight
    // line between them, computed exactly so that no entry of it drops by one
    // through rounding.
    if (high > low && low >= 0 && high <= L) {
        const int base = table[low];
        const int span = table[high] - table[low];
        const double exponent = 10.0 / gm;
        for (int i = low + 1; i < high; ++i) {
            if (gm == 10) {
                table[i] = (uint8_t)(base + span * (i - low) / (high - low));
            } else {
                const double t = (double)(i - low) / (high - low);
                table[i] = (uint8_t)(int)(base + span * pow(t, exponent));
            }
        }
    }
    return 1;
}
