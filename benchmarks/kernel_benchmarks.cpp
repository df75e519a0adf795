// Throughput of the image kernels on one core, in MB (10^6 bytes) of output
// per second: the enlarger per kind and factor, the colour correction, the
// native filters and the strip filters, on lines 5100 pixels wide (8.5
// inches at 600 dpi).
#include <stdint.h>
#include <string.h>

#include <random>
#include <vector>

#include <benchmark/benchmark.h>

#include "pipeline/colour_correction.h"
#include "pipeline/enlarger.h"
#include "pipeline/native_filters.h"
#include "pipeline/strip_filters.h"

namespace {

const uint32_t kPixels = 5100;      // pixels per scanned line
const uint32_t kBatchLines = 16;    // scanned lines per enlarger call
const uint32_t kImageRows = 256;    // rows of the images the filters run on

std::vector<uint8_t> Noise(size_t n, uint32_t seed) {
    std::mt19937 gen(seed);
    std::vector<uint8_t> v(n);
    for (auto& b : v) b = (uint8_t)gen();
    return v;
}

// Output bytes; Google Benchmark prints them per second in binary units
// (benchmarks/compare_vips.sh converts them to MB/s).
void SetOutputRate(benchmark::State& state, size_t bytesPerIteration) {
    state.SetBytesProcessed((int64_t)(state.iterations() * bytesPerIteration));
}

// args: kind (0 bits, 1 gray, 2 colour), factor.
void BM_Enlarge(benchmark::State& state) {
    const EnlargeKind kind = (EnlargeKind)state.range(0);
    const uint32_t f = (uint32_t)state.range(1);
    const uint32_t lineBytes = kind == ENLARGE_BITS ? kPixels / 8 : (kind == ENLARGE_GRAY ? kPixels : 3 * kPixels);
    const std::vector<uint8_t> lines = Noise((size_t)lineBytes * kBatchLines, 1);
    std::vector<uint8_t> out(EnlargedBytes(f, kBatchLines, lineBytes));
    EnlargerState enlarger = {};
    for (auto _ : state) {
        EnlargeLines(&enlarger, kind, f, lines.data(), kBatchLines, lineBytes, out.data());
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    FreeEnlarger(&enlarger);
    SetOutputRate(state, out.size());
}
BENCHMARK(BM_Enlarge)
    ->ArgNames({"kind", "f"})
    ->ArgsProduct({{ENLARGE_BITS, ENLARGE_GRAY, ENLARGE_COLOR}, {2, 4, 6, 8}});

void BM_ColourCorrection(benchmark::State& state) {
    uint8_t lut[256];
    for (int i = 0; i < 256; ++i) lut[i] = (uint8_t)(255 - i);
    ColourCorrector corrector;
    BuildColourCorrection();
    PrepareColourCorrector(&corrector, lut, lut, lut);
    const std::vector<uint8_t> in = Noise((size_t)3 * kPixels * kBatchLines, 2);
    std::vector<uint8_t> out(in.size());
    for (auto _ : state) {
        for (uint32_t y = 0; y < kBatchLines; ++y)
            CorrectColourLine(corrector, in.data() + (size_t)y * 3 * kPixels, out.data() + (size_t)y * 3 * kPixels,
                              kPixels);
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    SetOutputRate(state, out.size());
}
BENCHMARK(BM_ColourCorrection);

typedef FilterOutcome (*NativeFilter)(const DibPixels&, FilterProgress, void*);

// Counts rows, as the Win32 caller's message pump would be called.
bool CountRow(void* context, uint32_t, uint32_t) {
    ++*static_cast<uint32_t*>(context);
    return true;
}

// args: bits per pixel. Output = the image's pixel bytes per pass.
template <NativeFilter Filter, int Passes>
void BM_Native(benchmark::State& state) {
    const uint32_t bpp = (uint32_t)state.range(0);
    std::vector<uint8_t> rows = Noise(DibRowStride(kPixels, bpp) * kImageRows, 3);
    const DibPixels image = {rows.data(), kPixels, kImageRows, bpp};
    uint32_t reported = 0;
    for (auto _ : state) {
        Filter(image, CountRow, &reported);
        benchmark::DoNotOptimize(rows.data());
        benchmark::ClobberMemory();
    }
    SetOutputRate(state, rows.size() * Passes);
}
BENCHMARK_TEMPLATE(BM_Native, BlurImage, 1)->ArgName("bpp")->Arg(8)->Arg(24);
BENCHMARK_TEMPLATE(BM_Native, BlurMoreImage, 2)->ArgName("bpp")->Arg(8)->Arg(24);
BENCHMARK_TEMPLATE(BM_Native, SharpenImage, 1)->ArgName("bpp")->Arg(8)->Arg(24);
BENCHMARK_TEMPLATE(BM_Native, SharpenMoreImage, 2)->ArgName("bpp")->Arg(8)->Arg(24);
BENCHMARK_TEMPLATE(BM_Native, EmbossImage, 1)->ArgName("bpp")->Arg(8)->Arg(24);
BENCHMARK_TEMPLATE(BM_Native, InvertImage, 1)->ArgName("bpp")->Arg(1)->Arg(8)->Arg(24);
BENCHMARK_TEMPLATE(BM_Native, FlipImage, 1)->ArgName("bpp")->Arg(1)->Arg(8)->Arg(24);

// args: filter mode, kind, moire removal. One strip of kBatchLines rows.
void BM_Strip(benchmark::State& state) {
    const uint16_t mode = (uint16_t)state.range(0);
    const ImageKind kind = (ImageKind)state.range(1);
    const bool moire = state.range(2) != 0;
    const uint32_t lineBytes = kind == KIND_COLOR ? 3 * kPixels : kPixels;
    std::vector<uint8_t> strip = Noise((size_t)lineBytes * kBatchLines, 4);
    for (auto _ : state) {
        ApplyStripFilters(strip.data(), kBatchLines, lineBytes, kind, mode, moire);
        benchmark::DoNotOptimize(strip.data());
        benchmark::ClobberMemory();
    }
    SetOutputRate(state, strip.size());
}
BENCHMARK(BM_Strip)
    ->ArgNames({"filter", "kind", "moire"})
    ->ArgsProduct({{FILTER_BLUR, FILTER_BLUR_MORE, FILTER_SHARPEN, FILTER_SHARPEN_MORE, FILTER_EMBOSS, FILTER_FLIP,
                    FILTER_INVERT},
                   {KIND_GRAY, KIND_COLOR},
                   {0}})
    ->Args({FILTER_NONE, KIND_GRAY, 1})
    ->Args({FILTER_NONE, KIND_COLOR, 1});

}  // namespace

BENCHMARK_MAIN();
