#include "pipeline/native_filters.h"

#include <stdlib.h>
#include <string.h>

#include <algorithm>

namespace {

// Reports one row; false when the caller wants the filter stopped.
inline bool Report(FilterProgress progress, void* context, uint32_t done, uint32_t total) {
    return progress == nullptr || progress(context, done, total);
}

// Rows done of a filter that makes `passes` passes, in units of rows.
inline uint32_t PassDone(uint32_t pass, uint32_t passes, uint32_t height, uint32_t rowsDone) {
    return (uint32_t)(((uint64_t)pass * height + rowsDone) / passes);
}

inline uint8_t Clamp255(int v) { return (uint8_t)(v < 0 ? 0 : (v > 255 ? 255 : v)); }

bool HasPixels(const DibPixels& image) {
    return image.Rows != nullptr && image.Width != 0 && image.Height != 0;
}

// Bytes between a sample and the same sample of the next pixel: 1 for 8-bit,
// 3 for 24-bit images, 0 for the depths the 2-D filters leave alone.
size_t SampleStep(uint32_t bitsPerPixel) {
    return bitsPerPixel == 8 ? 1 : (bitsPerPixel == 24 ? 3 : 0);
}

// ---- Blur -------------------------------------------------------------------

// Samples per chunk of a row: the per-sample sums live on the stack.
const size_t kBlurChunk = 1024;

// Sums of the neighbourhood of sample i without its left neighbour, for
// samples whose pixel has pixels on both sides: the three samples of the row
// before (already blurred), the centre and its right neighbour, and the three
// samples of the next row. A missing row counts as three times the centre.
template <bool HasUp, bool HasDown>
void InteriorSums(uint16_t* __restrict sums, const uint8_t* __restrict c, const uint8_t* __restrict up,
                  const uint8_t* __restrict down, size_t begin, size_t end, size_t d) {
    for (size_t i = begin; i < end; ++i) {
        unsigned s = (unsigned)c[i] + c[i + d];
        s += HasUp ? (unsigned)up[i - d] + up[i] + up[i + d] : 3u * c[i];
        s += HasDown ? (unsigned)down[i - d] + down[i] + down[i + d] : 3u * c[i];
        sums[i - begin] = (uint16_t)s;
    }
}

// The same for a sample of the first or last pixel of the row, where a
// neighbour outside the image counts as the centre.
uint16_t EdgeSum(const uint8_t* c, const uint8_t* up, const uint8_t* down, size_t i, size_t n, size_t d) {
    const unsigned centre = c[i];
    const bool hasLeft = i >= d;
    const bool hasRight = i + d < n;
    unsigned s = centre + (hasRight ? c[i + d] : centre);
    const uint8_t* rows[2] = {up, down};
    for (const uint8_t* r : rows) {
        if (r == nullptr) {
            s += 3 * centre;
        } else {
            s += (hasLeft ? r[i - d] : centre) + r[i] + (hasRight ? r[i + d] : centre);
        }
    }
    return (uint16_t)s;
}

// The in-place order makes each new value depend on the one just written to
// its left: new[i] = (sums[i] + new[i - d]) / 9. Nested floors fold,
// floor((a + floor(x / 9)) / 9) = floor((9a + x) / 81) for non-negative
// integers, so the four next values of a channel all follow from the last
// one written: new[i + kd] = (sums[i] + 9 sums[i + d] + ... + 9^k sums[i +
// kd] + new[i - d]) / 9^(k + 1). `last` holds, for each of the D byte
// positions before cur[0], the new value written there.
template <int D>
void BlurSerial(uint8_t* __restrict cur, const uint16_t* __restrict sums, size_t count, unsigned (&last)[D]) {
    size_t j = 0;
    for (; j + 4 * D <= count; j += 4 * D) {
        for (int c = 0; c < D; ++c) {
            const uint32_t p0 = sums[j + c];
            const uint32_t p1 = p0 + 9u * sums[j + D + c];
            const uint32_t p2 = p1 + 81u * sums[j + 2 * D + c];
            const uint32_t p3 = p2 + 729u * sums[j + 3 * D + c];
            const uint32_t left = last[c];
            cur[j + c] = (uint8_t)((p0 + left) / 9u);
            cur[j + D + c] = (uint8_t)((p1 + left) / 81u);
            cur[j + 2 * D + c] = (uint8_t)((p2 + left) / 729u);
            const uint32_t v = (p3 + left) / 6561u;
            cur[j + 3 * D + c] = (uint8_t)v;
            last[c] = v;
        }
    }
    // The rest one at a time; last[] rotates so that last[0] is always the
    // left neighbour of byte j.
    for (; j < count; ++j) {
        const unsigned v = (sums[j] + last[0]) / 9u;
        cur[j] = (uint8_t)v;
        for (int c = 0; c + 1 < D; ++c) last[c] = last[c + 1];
        last[D - 1] = v;
    }
}

// Blurs the n bytes of pixels of `cur` in place, pixels left to right.
template <int D>
void BlurRow(uint8_t* cur, const uint8_t* up, const uint8_t* down, size_t n) {
    const size_t d = D;
    uint16_t sums[kBlurChunk];
    unsigned last[D];
    for (size_t begin = 0; begin < n; begin += kBlurChunk) {
        const size_t end = std::min(n, begin + kBlurChunk);
        // Interior samples: pixel 1 .. w - 2 (bytes d .. n - d - 1).
        const size_t inBegin = std::max(begin, d);
        const size_t inEnd = std::max(inBegin, std::min(end, n >= d ? n - d : 0));
        for (size_t i = begin; i < inBegin && i < end; ++i) sums[i - begin] = EdgeSum(cur, up, down, i, n, d);
        if (up && down)
            InteriorSums<true, true>(sums + (inBegin - begin), cur, up, down, inBegin, inEnd, d);
        else if (up)
            InteriorSums<true, false>(sums + (inBegin - begin), cur, up, down, inBegin, inEnd, d);
        else if (down)
            InteriorSums<false, true>(sums + (inBegin - begin), cur, up, down, inBegin, inEnd, d);
        else
            InteriorSums<false, false>(sums + (inBegin - begin), cur, up, down, inBegin, inEnd, d);
        for (size_t i = inEnd; i < end; ++i) sums[i - begin] = EdgeSum(cur, up, down, i, n, d);

        size_t first = 0;
        if (begin == 0) {
            // The first pixel's left neighbour is outside: it counts as the centre.
            for (int c = 0; c < D; ++c) {
                last[c] = (sums[c] + cur[c]) / 9u;
                cur[c] = (uint8_t)last[c];
            }
            first = d;
        }
        BlurSerial<D>(cur + begin + first, sums + first, end - begin - first, last);
    }
}

// `passes` blur passes over the image; progress over both as one job.
FilterOutcome BlurPasses(const DibPixels& image, uint32_t passes, FilterProgress progress, void* context) {
    const size_t d = SampleStep(image.BitsPerPixel);
    if (!HasPixels(image) || d == 0) return FILTER_DONE;
    const size_t stride = DibRowStride(image.Width, image.BitsPerPixel);
    const size_t n = (size_t)image.Width * d;
    const uint32_t h = image.Height;
    for (uint32_t pass = 0; pass < passes; ++pass) {
        for (uint32_t y = 0; y < h; ++y) {
            uint8_t* cur = image.Rows + (size_t)y * stride;
            const uint8_t* up = y > 0 ? cur - stride : nullptr;
            const uint8_t* down = y + 1 < h ? cur + stride : nullptr;
            if (d == 1)
                BlurRow<1>(cur, up, down, n);
            else
                BlurRow<3>(cur, up, down, n);
            if (!Report(progress, context, PassDone(pass, passes, h, y + 1), h)) return FILTER_STOPPED;
        }
    }
    return FILTER_DONE;
}

// ---- Sharpen ----------------------------------------------------------------

// New values of the inner samples of one row from the original rows above
// and below and the original centre row.
void SharpenRow(uint8_t* __restrict out, const uint8_t* __restrict centre, const uint8_t* __restrict up,
                const uint8_t* __restrict down, size_t n, size_t d) {
    for (size_t i = d; i + d < n; ++i) {
        int v = 5 * (int)centre[i] - (int)up[i - d] - (int)up[i + d] - (int)down[i - d] - (int)down[i + d];
        out[i] = Clamp255(v);
    }
}

FilterOutcome SharpenPasses(const DibPixels& image, uint32_t passes, FilterProgress progress, void* context) {
    const size_t d = SampleStep(image.BitsPerPixel);
    if (!HasPixels(image) || d == 0) return FILTER_DONE;
    const size_t stride = DibRowStride(image.Width, image.BitsPerPixel);
    const size_t n = (size_t)image.Width * d;
    const uint32_t h = image.Height;
    // Border rows and columns stay as they are, so an image without inner
    // pixels is already done.
    const bool hasInner = h >= 3 && image.Width >= 3;
    // Two row copies: the original of the row above and of the current row.
    // Each row's new values then go straight into the image.
    uint8_t* work = hasInner ? (uint8_t*)malloc(2 * n) : nullptr;
    if (hasInner && work == nullptr) return FILTER_NO_MEMORY;
    FilterOutcome outcome = FILTER_DONE;
    for (uint32_t pass = 0; pass < passes && outcome == FILTER_DONE; ++pass) {
        uint8_t* above = work;
        uint8_t* saved = work + n;
        if (hasInner) memcpy(above, image.Rows, n);
        for (uint32_t y = 0; y < h; ++y) {
            if (hasInner && y > 0 && y + 1 < h) {
                uint8_t* cur = image.Rows + (size_t)y * stride;
                memcpy(saved, cur, n);
                SharpenRow(cur, saved, above, cur + stride, n, d);
                std::swap(above, saved);
            }
            if (!Report(progress, context, PassDone(pass, passes, h, y + 1), h)) {
                outcome = FILTER_STOPPED;
                break;
            }
        }
    }
    free(work);
    return outcome;
}

// ---- Flip -------------------------------------------------------------------

struct BitReverseTable {
    uint8_t v[256];
    BitReverseTable() {
        for (int i = 0; i < 256; ++i) {
            int r = 0;
            for (int b = 0; b < 8; ++b)
                if (i & (1 << b)) r |= 0x80 >> b;
            v[i] = (uint8_t)r;
        }
    }
};
const BitReverseTable kBitReverse;

void FlipPixels24(uint8_t* row, size_t pixels) {
    uint8_t* a = row;
    uint8_t* b = row + 3 * (pixels - 1);
    while (a < b) {
        uint8_t t0 = a[0], t1 = a[1], t2 = a[2];
        a[0] = b[0];
        a[1] = b[1];
        a[2] = b[2];
        b[0] = t0;
        b[1] = t1;
        b[2] = t2;
        a += 3;
        b -= 3;
    }
}

}  // namespace

void ReverseRowBits(uint8_t* row, size_t bytes) {
    size_t i = 0, j = bytes;
    while (i + 1 < j) {
        --j;
        const uint8_t a = kBitReverse.v[row[i]];
        row[i] = kBitReverse.v[row[j]];
        row[j] = a;
        ++i;
    }
    if (i + 1 == j) row[i] = kBitReverse.v[row[i]];
}

size_t DibRowStride(uint32_t width, uint32_t bitsPerPixel) {
    return (((uint64_t)width * bitsPerPixel + 31) / 32) * 4;
}

FilterOutcome InvertImage(const DibPixels& image, FilterProgress progress, void* context) {
    if (!HasPixels(image)) return FILTER_DONE;
    const size_t stride = DibRowStride(image.Width, image.BitsPerPixel);
    for (uint32_t y = 0; y < image.Height; ++y) {
        uint8_t* row = image.Rows + (size_t)y * stride;
        for (size_t i = 0; i < stride; ++i) row[i] = (uint8_t)~row[i];
        if (!Report(progress, context, y + 1, image.Height)) return FILTER_STOPPED;
    }
    return FILTER_DONE;
}

FilterOutcome FlipImage(const DibPixels& image, FilterProgress progress, void* context) {
    if (!HasPixels(image)) return FILTER_DONE;
    const uint32_t bpp = image.BitsPerPixel;
    if (bpp != 1 && bpp != 8 && bpp != 24) return FILTER_DONE;
    const size_t stride = DibRowStride(image.Width, bpp);
    for (uint32_t y = 0; y < image.Height; ++y) {
        uint8_t* row = image.Rows + (size_t)y * stride;
        if (bpp == 1)
            ReverseRowBits(row, stride);
        else if (bpp == 8)
            std::reverse(row, row + image.Width);
        else
            FlipPixels24(row, image.Width);
        if (!Report(progress, context, y + 1, image.Height)) return FILTER_STOPPED;
    }
    return FILTER_DONE;
}

FilterOutcome BlurImage(const DibPixels& image, FilterProgress progress, void* context) {
    return BlurPasses(image, 1, progress, context);
}

FilterOutcome BlurMoreImage(const DibPixels& image, FilterProgress progress, void* context) {
    return BlurPasses(image, 2, progress, context);
}

FilterOutcome SharpenImage(const DibPixels& image, FilterProgress progress, void* context) {
    return SharpenPasses(image, 1, progress, context);
}

FilterOutcome SharpenMoreImage(const DibPixels& image, FilterProgress progress, void* context) {
    return SharpenPasses(image, 2, progress, context);
}

FilterOutcome EmbossImage(const DibPixels& image, FilterProgress progress, void* context) {
    const size_t d = SampleStep(image.BitsPerPixel);
    if (!HasPixels(image) || d == 0) return FILTER_DONE;
    const size_t stride = DibRowStride(image.Width, image.BitsPerPixel);
    const size_t n = (size_t)image.Width * d;
    // Samples whose partner (two pixels right) exists.
    const size_t inner = n > 2 * d ? n - 2 * d : 0;
    const uint32_t h = image.Height;
    for (uint32_t y = 0; y < h; ++y) {
        uint8_t* __restrict row = image.Rows + (size_t)y * stride;
        size_t done = 0;
        if (y + 2 < h) {
            const uint8_t* __restrict partner = row + 2 * stride + 2 * d;
            for (size_t i = 0; i < inner; ++i) row[i] = Clamp255((int)row[i] - (int)partner[i] + 128);
            done = inner;
        }
        memset(row + done, 128, n - done);
        if (!Report(progress, context, y + 1, h)) return FILTER_STOPPED;
    }
    return FILTER_DONE;
}

FilterOutcome RemoveMoireImage(const DibPixels& image, FilterProgress progress, void* context) {
    return BlurPasses(image, 1, progress, context);
}

FilterOutcome ApplyNativeFilter(uint16_t filterMode, const DibPixels& image, FilterProgress progress,
                                void* context) {
    switch (filterMode) {
    case FILTER_INVERT: return InvertImage(image, progress, context);
    case FILTER_FLIP: return FlipImage(image, progress, context);
    case FILTER_BLUR: return BlurImage(image, progress, context);
    case FILTER_BLUR_MORE: return BlurMoreImage(image, progress, context);
    case FILTER_SHARPEN: return SharpenImage(image, progress, context);
    case FILTER_SHARPEN_MORE: return SharpenMoreImage(image, progress, context);
    case FILTER_EMBOSS: return EmbossImage(image, progress, context);
    default: return FILTER_DONE;
    }
}
