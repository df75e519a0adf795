#include "pipeline/enlarger.h"

#include <stdlib.h>
#include <string.h>

namespace {

inline int M(int a, int c) { return (a + c) >> 1; }
// (c - a) / 3, truncated toward zero.
inline int T(int a, int c) { return (c - a) / 3; }

// The f x f samples of one cell from the four input samples: p (this pixel
// of the line before), r (its right neighbour), b (this pixel of the line),
// d (its right neighbour). Row 0 is nearer the line before.
template <int F>
struct Cell;

template <>
struct Cell<2> {
    static void Compute(int p, int r, int b, int d, int (&v)[2][2]) {
        v[0][0] = p;
        v[0][1] = M(p, r);
        v[1][0] = M(p, b);
        v[1][1] = M(p, d);
    }
};

template <>
struct Cell<4> {
    static void Compute(int p, int r, int b, int d, int (&v)[4][4]) {
        const int pr = M(p, r), pb = M(p, b), pd = M(p, d), rd = M(r, d), bd = M(b, d);
        v[0][0] = p;
        v[0][1] = M(p, pr);
        v[0][2] = pr;
        v[0][3] = M(pr, r);
        v[1][0] = M(p, pb);
        v[1][1] = M(p, pd);
        v[1][2] = M(pr, pd);
        v[1][3] = M(pr, rd);
        v[2][0] = pb;
        v[2][1] = M(pb, pd);
        v[2][2] = pd;
        v[2][3] = M(rd, pd);
        v[3][0] = M(pb, b);
        v[3][1] = M(pb, bd);
        v[3][2] = M(bd, pd);
        v[3][3] = M(pd, d);
    }
};

template <>
struct Cell<6> {
    static void Compute(int p, int r, int b, int d, int (&v)[6][6]) {
        const int pr = M(p, r), pb = M(p, b), pd = M(p, d), rd = M(r, d), bd = M(b, d);
        int t;
        t = T(p, pr);
        v[0][0] = p, v[0][1] = p + t, v[0][2] = p + 2 * t;
        t = T(pr, r);
        v[0][3] = pr, v[0][4] = pr + t, v[0][5] = pr + 2 * t;
        t = T(pb, pd);
        v[3][0] = pb, v[3][1] = pb + t, v[3][2] = pb + 2 * t;
        t = T(pd, rd);
        v[3][3] = pd, v[3][4] = pd + t, v[3][5] = pd + 2 * t;
        for (int k = 0; k < 6; ++k) {
            t = T(v[0][k], v[3][k]);
            v[1][k] = v[0][k] + t;
            v[2][k] = v[0][k] + 2 * t;
        }
        t = T(pb, b);
        v[4][0] = pb + t, v[5][0] = pb + 2 * t;
        t = T(pd, bd);
        v[4][3] = pd + t, v[5][3] = pd + 2 * t;
        t = T(v[4][0], v[4][3]);
        v[4][1] = v[4][0] + t, v[4][2] = v[4][0] + 2 * t;
        t = T(v[5][0], v[5][3]);
        v[5][1] = v[5][0] + t, v[5][2] = v[5][0] + 2 * t;
        t = T(pd, d);
        v[4][4] = pd + t, v[5][5] = pd + 2 * t;
        v[4][5] = M(v[3][5], v[5][5]);
        v[5][4] = M(v[5][3], v[5][5]);
    }
};

template <>
struct Cell<8> {
    static void Compute(int p, int r, int b, int d, int (&v)[8][8]) {
        const int a4 = M(p, r), b0 = M(b, p), d4 = M(d, p), dr = M(d, r), db = M(d, b);
        int(&R0)[8] = v[0];
        int(&R1)[8] = v[1];
        int(&R2)[8] = v[2];
        int(&R3)[8] = v[3];
        int(&R4)[8] = v[4];
        int(&R5)[8] = v[5];
        int(&R6)[8] = v[6];
        int(&R7)[8] = v[7];
        // Row 0.
        R0[0] = p, R0[4] = a4, R0[2] = M(p, a4), R0[1] = M(R0[2], p), R0[3] = M(R0[2], a4);
        R0[6] = M(r, a4), R0[5] = M(R0[6], a4), R0[7] = M(R0[6], r);
        // Row 4.
        R4[0] = b0, R4[4] = d4, R4[2] = M(b0, d4), R4[1] = M(R4[2], b0), R4[3] = M(R4[2], d4);
        R4[6] = M(d4, dr), R4[5] = M(R4[6], d4), R4[7] = M(R4[6], dr);
        // Columns 0 and 4.
        R2[0] = M(b0, p), R1[0] = M(R2[0], p), R3[0] = M(R2[0], b0);
        R6[0] = M(b0, b), R5[0] = M(R6[0], b0), R7[0] = M(R6[0], b);
        R2[4] = M(a4, d4), R1[4] = M(R2[4], a4), R3[4] = M(R2[4], d4);
        R6[4] = M(d4, db), R5[4] = M(R6[4], d4), R7[4] = M(R6[4], db);
        // Diagonals of the upper half.
        R2[2] = M(d4, p), R1[1] = M(R2[2], p), R3[3] = M(R2[2], d4);
        R2[6] = M(dr, a4), R1[5] = M(R2[6], a4), R3[7] = M(R2[6], dr);
        // Rows 2, 1, 3.
        R2[1] = M(R2[2], R2[0]), R2[3] = M(R2[2], R2[4]), R2[5] = M(R2[4], R2[6]), R2[7] = M(R0[7], R4[7]);
        R1[2] = M(R2[2], R0[2]), R1[3] = M(R2[3], R0[3]), R1[6] = M(R2[6], R0[6]), R1[7] = M(R0[7], R2[7]);
        R3[1] = M(R2[1], R4[1]), R3[2] = M(R2[2], R4[2]), R3[5] = M(R2[5], R4[5]), R3[6] = M(R2[6], R4[6]);
        // Lower half.
        R6[2] = M(b0, db), R5[1] = M(R6[2], b0), R7[3] = M(R6[2], db);
        R6[6] = M(d4, d), R5[5] = M(R6[6], d4), R7[7] = M(R6[6], d);
        R6[1] = M(R6[2], R6[0]), R6[3] = M(R6[2], R6[4]), R6[5] = M(R6[4], R6[6]);
        R5[2] = M(R6[2], R4[2]), R5[3] = M(R6[3], R4[3]), R5[6] = M(R6[6], R4[6]);
        R7[2] = M(R7[4], R7[0]), R7[1] = M(R7[0], R7[2]);
        // Last column and the end of the last row, in quarter steps (the
        // shift floors). A downward step of one from 1 to 0 would give -1
        // two quarters on; it is held at 0 instead of wrapping to 255.
        const int q = (R7[7] - R4[7]) >> 2;
        R5[7] = R4[7] + q;
        R6[7] = R4[7] + 2 * q;
        const int s = (R7[7] - R7[4]) >> 2;
        R7[5] = R7[4] + s;
        R7[6] = R7[4] + 2 * s;
        R5[7] = R5[7] < 0 ? 0 : R5[7];
        R6[7] = R6[7] < 0 ? 0 : R6[7];
        R7[5] = R7[5] < 0 ? 0 : R7[5];
        R7[6] = R7[6] < 0 ? 0 : R7[6];
    }
};

// The f rows of one pair of input lines: `above` (the line before) and
// `line`, each `bytes` long with samples S bytes apart. Row j starts at
// out + j x rowBytes.
template <int F, int S>
void EnlargePair(const uint8_t* __restrict above, const uint8_t* __restrict line, uint32_t bytes,
                 uint8_t* __restrict out, size_t rowBytes) {
    const uint32_t pixels = bytes / S;
    uint8_t* rows[F];
    for (int j = 0; j < F; ++j) rows[j] = out + (size_t)j * rowBytes;
    int v[F][F];
    for (uint32_t x = 0; x + 1 < pixels; ++x) {
        const size_t at = (size_t)x * S;
        const size_t to = (size_t)x * F * S;
        for (int c = 0; c < S; ++c) {
            Cell<F>::Compute(above[at + c], above[at + S + c], line[at + c], line[at + S + c], v);
            for (int j = 0; j < F; ++j)
                for (int k = 0; k < F; ++k) rows[j][to + k * S + c] = (uint8_t)v[j][k];
        }
    }
    // The last pixel's cell repeats the sample of the line before.
    if (pixels > 0) {
        const size_t at = (size_t)(pixels - 1) * S;
        const size_t to = (size_t)(pixels - 1) * F * S;
        for (int j = 0; j < F; ++j)
            for (int k = 0; k < F; ++k)
                for (int c = 0; c < S; ++c) rows[j][to + k * S + c] = above[at + c];
    }
}

typedef void (*PairFunction)(const uint8_t*, const uint8_t*, uint32_t, uint8_t*, size_t);

PairFunction PairFor(uint32_t factor, EnlargeKind kind) {
    const bool colour = kind == ENLARGE_COLOR;
    switch (factor) {
    case 2: return colour ? EnlargePair<2, 3> : EnlargePair<2, 1>;
    case 4: return colour ? EnlargePair<4, 3> : EnlargePair<4, 1>;
    case 6: return colour ? EnlargePair<6, 3> : EnlargePair<6, 1>;
    case 8: return colour ? EnlargePair<8, 3> : EnlargePair<8, 1>;
    default: return nullptr;
    }
}

// ---- Bits -------------------------------------------------------------------

// Expansion of one input byte into f output bytes for f = 2, 4, 6, 8: bit q
// (most significant first) fills output bits q x f .. q x f + f - 1.
struct BitExpansion {
    uint8_t bytes[4][256][8];
    BitExpansion() {
        for (int fi = 0; fi < 4; ++fi) {
            const int f = 2 * (fi + 1);
            for (int value = 0; value < 256; ++value) {
                uint8_t* o = bytes[fi][value];
                memset(o, 0, 8);
                for (int bit = 0; bit < 8 * f; ++bit)
                    if (value & (0x80 >> (bit / f))) o[bit / 8] |= (uint8_t)(0x80 >> (bit % 8));
            }
        }
    }
};
const BitExpansion kBitExpansion;

template <int F>
void ExpandBitsRow(const uint8_t* __restrict line, uint32_t bytes, uint8_t* __restrict row) {
    const uint8_t(*table)[8] = kBitExpansion.bytes[F / 2 - 1];
    for (uint32_t i = 0; i < bytes; ++i) memcpy(row + (size_t)i * F, table[line[i]], F);
}

void EnlargeBits(uint32_t factor, const uint8_t* lines, uint32_t lineCount, uint32_t lineBytes, uint8_t* out) {
    const size_t rowBytes = (size_t)factor * lineBytes;
    for (uint32_t i = 0; i < lineCount; ++i) {
        const uint8_t* line = lines + (size_t)i * lineBytes;
        uint8_t* first = out + (size_t)i * factor * rowBytes;
        switch (factor) {
        case 2: ExpandBitsRow<2>(line, lineBytes, first); break;
        case 4: ExpandBitsRow<4>(line, lineBytes, first); break;
        case 6: ExpandBitsRow<6>(line, lineBytes, first); break;
        default: ExpandBitsRow<8>(line, lineBytes, first); break;
        }
        for (uint32_t j = 1; j < factor; ++j) memcpy(first + j * rowBytes, first, rowBytes);
    }
}

// Makes the carried line hold `bytes` bytes, allocating only when it grows.
bool ReserveCarry(EnlargerState* state, uint32_t bytes) {
    if (state->CarryLine != nullptr && state->Capacity >= bytes) return true;
    uint8_t* line = (uint8_t*)malloc(bytes);
    if (line == nullptr) return false;
    free(state->CarryLine);
    state->CarryLine = line;
    state->Capacity = bytes;
    state->CarryBytes = 0;
    return true;
}

}  // namespace

uint32_t EnlargeFactor(uint32_t dpiScale) {
    switch (dpiScale) {
    case 0:
    case 1: return 2;
    case 2: return 4;
    case 3: return 6;
    case 4: return 8;
    default: return 0;
    }
}

EnlargeKind EnlargeKindFor(ImageKind kind) {
    switch (kind) {
    case KIND_GRAY: return ENLARGE_GRAY;
    case KIND_COLOR: return ENLARGE_COLOR;
    default: return ENLARGE_BITS;
    }
}

size_t EnlargedBytes(uint32_t factor, uint32_t lineCount, uint32_t lineBytes) {
    return (size_t)factor * factor * lineCount * lineBytes;
}

int EnlargeLines(EnlargerState* state, EnlargeKind kind, uint32_t factor, const uint8_t* lines, uint32_t lineCount,
                 uint32_t lineBytes, uint8_t* out) {
    if (state == nullptr || (lineCount != 0 && lineBytes != 0 && (lines == nullptr || out == nullptr))) return 0;
    if (factor != 2 && factor != 4 && factor != 6 && factor != 8) return 0;
    if (kind != ENLARGE_BITS && kind != ENLARGE_GRAY && kind != ENLARGE_COLOR) return 0;
    if (kind == ENLARGE_COLOR && lineBytes % 3 != 0) return 0;
    if (lineCount == 0 || lineBytes == 0) return 1;
    if (kind == ENLARGE_BITS) {
        EnlargeBits(factor, lines, lineCount, lineBytes, out);
        return 1;
    }

    // A new line length starts over from this call's first line, and so
    // does a single-line call.
    if (state->CarryBytes != lineBytes || lineCount == 1) {
        if (!ReserveCarry(state, lineBytes)) return 0;
        memcpy(state->CarryLine, lines, lineBytes);
        state->CarryBytes = lineBytes;
    }
    const PairFunction pair = PairFor(factor, kind);
    const size_t rowBytes = (size_t)factor * lineBytes;
    for (uint32_t i = 0; i < lineCount; ++i) {
        const uint8_t* line = lines + (size_t)i * lineBytes;
        const uint8_t* above = i == 0 ? state->CarryLine : line - lineBytes;
        pair(above, line, lineBytes, out + (size_t)i * factor * rowBytes, rowBytes);
    }
    if (lineCount > 1) memcpy(state->CarryLine, lines + (size_t)(lineCount - 1) * lineBytes, lineBytes);
    return 1;
}

void FreeEnlarger(EnlargerState* state) {
    if (state == nullptr) return;
    free(state->CarryLine);
    state->CarryLine = nullptr;
    state->CarryBytes = 0;
    state->Capacity = 0;
}
