#include "pipeline/strip_filters.h"

#include <string.h>

#include <algorithm>

#include "pipeline/native_filters.h"

namespace {

inline uint8_t Clamp255(int v) { return (uint8_t)(v < 0 ? 0 : (v > 255 ? 255 : v)); }

// One step of the sharpen rule: the new value when it stays within `limit`
// of the centre, else the centre.
inline int SharpenSample(int left, int centre, int right, int limit) {
    const int v = Clamp255(3 * centre - left - right);
    const int diff = v - centre;
    return (diff <= limit && diff >= -limit) ? v : centre;
}

// The left neighbours live in registers, one per channel, so that the chain
// from one sample to the next does not pass through memory.
template <int Limit, int Times, int S>
void SharpenRowImpl(uint8_t* row, uint32_t bytes) {
    if (bytes <= (uint32_t)S) return;
    const uint32_t last = bytes - S;  // first sample without a right neighbour
    int left[S];
    for (int c = 0; c < S; ++c) left[c] = row[c];
    uint32_t i = S;
    for (; i + S <= last; i += S) {
        for (int c = 0; c < S; ++c) {
            int v = row[i + c];
            const int right = row[i + S + c];
            for (int t = 0; t < Times; ++t) v = SharpenSample(left[c], v, right, Limit);
            row[i + c] = (uint8_t)v;
            left[c] = v;
        }
    }
    for (; i < last; ++i) {
        int v = row[i];
        for (int t = 0; t < Times; ++t) v = SharpenSample(row[i - S], v, row[i + S], Limit);
        row[i] = (uint8_t)v;
    }
}

template <int Limit, int Times>
void SharpenRowSteps(uint8_t* row, uint32_t bytes, uint32_t step) {
    if (step == 3)
        SharpenRowImpl<Limit, Times, 3>(row, bytes);
    else
        SharpenRowImpl<Limit, Times, 1>(row, bytes);
}

// Inner samples from..to-1 of a blur pass: new[i] = (new[i - S] + c[i] +
// c[i + S]) / 3. Nested floors fold, floor((a + floor(x / 3)) / 3) =
// floor((3a + x) / 9), so four values of a channel follow at once from the
// last one written to their left, with divisors 3, 9, 27 and 81.
template <int S>
void BlurInner(uint8_t* row, uint32_t from, uint32_t to) {
    unsigned last[S];
    for (int c = 0; c < S; ++c) last[c] = row[from - S + c];
    uint32_t i = from;
    for (; i + 4 * S <= to; i += 4 * S) {
        for (int c = 0; c < S; ++c) {
            uint8_t* x = row + i + c;
            const uint32_t p0 = (uint32_t)x[0] + x[S];
            const uint32_t p1 = p0 + 3u * ((uint32_t)x[S] + x[2 * S]);
            const uint32_t p2 = p1 + 9u * ((uint32_t)x[2 * S] + x[3 * S]);
            const uint32_t p3 = p2 + 27u * ((uint32_t)x[3 * S] + x[4 * S]);
            const uint32_t left = last[c];
            x[0] = (uint8_t)((p0 + left) / 3u);
            x[S] = (uint8_t)((p1 + left) / 9u);
            x[2 * S] = (uint8_t)((p2 + left) / 27u);
            const uint32_t v = (p3 + left) / 81u;
            x[3 * S] = (uint8_t)v;
            last[c] = v;
        }
    }
    for (; i < to; ++i) {
        const unsigned v = (last[0] + row[i] + row[i + S]) / 3u;
        row[i] = (uint8_t)v;
        for (int c = 0; c + 1 < S; ++c) last[c] = last[c + 1];
        last[S - 1] = v;
    }
}

// Blur More applies the rule twice to each sample: (L + (L + c + r) / 3 +
// r) / 3, which folds to (4L + c + 4r) / 9.
template <int S>
void BlurMoreInner(uint8_t* row, uint32_t from, uint32_t to) {
    for (uint32_t i = from; i < to; ++i)
        row[i] = (uint8_t)((4u * row[i - S] + row[i] + 4u * row[i + S]) / 9u);
}

template <int Times, int S>
void BlurRowImpl(uint8_t* row, uint32_t bytes) {
    if (bytes <= (uint32_t)S) return;
    const uint32_t last = bytes - S;  // first sample without a right neighbour
    // First samples: (c + r) >> 1; last samples: (l + c) >> 1.
    for (uint32_t i = 0; i < std::min((uint32_t)S, last); ++i) {
        unsigned v = row[i];
        for (int t = 0; t < Times; ++t) v = (v + row[i + S]) >> 1;
        row[i] = (uint8_t)v;
    }
    if (last > (uint32_t)S) {
        if (Times == 1)
            BlurInner<S>(row, S, last);
        else
            BlurMoreInner<S>(row, S, last);
    }
    for (uint32_t i = std::max(last, (uint32_t)S); i < bytes; ++i) {
        unsigned v = row[i];
        for (int t = 0; t < Times; ++t) v = (row[i - S] + v) >> 1;
        row[i] = (uint8_t)v;
    }
}

template <int Times>
void BlurRowSteps(uint8_t* row, uint32_t bytes, uint32_t step) {
    if (step == 3)
        BlurRowImpl<Times, 3>(row, bytes);
    else
        BlurRowImpl<Times, 1>(row, bytes);
}

}  // namespace

void StripBlurRow(uint8_t* row, uint32_t bytes, uint32_t step) { BlurRowSteps<1>(row, bytes, step); }

void StripBlurMoreRow(uint8_t* row, uint32_t bytes, uint32_t step) { BlurRowSteps<2>(row, bytes, step); }

void StripSharpenRow(uint8_t* row, uint32_t bytes, uint32_t step) {
    SharpenRowSteps<25, 1>(row, bytes, step);
}

void StripSharpenMoreRow(uint8_t* row, uint32_t bytes, uint32_t step) {
    SharpenRowSteps<15, 2>(row, bytes, step);
}

void StripInvertRow(uint8_t* row, uint32_t bytes) {
    for (uint32_t i = 0; i < bytes; ++i) row[i] = (uint8_t)~row[i];
}

void StripFlipRow(uint8_t* row, uint32_t bytes, ImageKind kind) {
    if (kind == KIND_LINEART || kind == KIND_HALFTONE) {
        ReverseRowBits(row, bytes);
    } else if (kind == KIND_COLOR) {
        const uint32_t pixels = bytes / 3;
        for (uint32_t i = 0; i < pixels / 2; ++i) {
            uint8_t* a = row + 3 * i;
            uint8_t* b = row + 3 * (pixels - 1 - i);
            for (int c = 0; c < 3; ++c) std::swap(a[c], b[c]);
        }
    } else {
        std::reverse(row, row + bytes);
    }
}

void StripEmboss(uint8_t* rows, uint32_t rowCount, uint32_t lineBytes, uint32_t step) {
    if (rowCount == 0 || lineBytes == 0) return;
    step = step == 3 ? 3 : 1;
    if (rowCount == 1) {
        const uint32_t inner = lineBytes > step ? lineBytes - step : 0;
        for (uint32_t i = 0; i < inner; ++i) rows[i] = Clamp255((int)rows[i] - (int)rows[i + step] + 128);
        memset(rows + inner, 128, lineBytes - inner);
        return;
    }
    for (uint32_t y = 0; y + 1 < rowCount; ++y) {
        uint8_t* __restrict row = rows + (size_t)y * lineBytes;
        const uint8_t* __restrict below = row + lineBytes;
        for (uint32_t i = 0; i < lineBytes; ++i) row[i] = Clamp255((int)row[i] - (int)below[i] + 128);
    }
    memcpy(rows + (size_t)(rowCount - 1) * lineBytes, rows + (size_t)(rowCount - 2) * lineBytes, lineBytes);
}

void ApplyStripFilters(uint8_t* rows, uint32_t rowCount, uint32_t lineBytes, ImageKind kind, uint16_t filterMode,
                       bool deMoire) {
    if (rows == nullptr || rowCount == 0 || lineBytes == 0) return;
    const uint32_t step = kind == KIND_COLOR ? 3 : 1;
    if (deMoire)
        for (uint32_t y = 0; y < rowCount; ++y) StripBlurRow(rows + (size_t)y * lineBytes, lineBytes, step);
    if (filterMode == FILTER_EMBOSS) {
        StripEmboss(rows, rowCount, lineBytes, step);
        return;
    }
    for (uint32_t y = 0; y < rowCount; ++y) {
        uint8_t* row = rows + (size_t)y * lineBytes;
        switch (filterMode) {
        case FILTER_INVERT: StripInvertRow(row, lineBytes); break;
        case FILTER_FLIP: StripFlipRow(row, lineBytes, kind); break;
        case FILTER_BLUR: StripBlurRow(row, lineBytes, step); break;
        case FILTER_BLUR_MORE: StripBlurMoreRow(row, lineBytes, step); break;
        case FILTER_SHARPEN: StripSharpenRow(row, lineBytes, step); break;
        case FILTER_SHARPEN_MORE: StripSharpenMoreRow(row, lineBytes, step); break;
        default: return;
        }
    }
}
