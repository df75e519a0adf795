// Runs a fuzz target's LLVMFuzzerTestOneInput over a fixed pseudo-random
// corpus, so that the normal host build (with its sanitizers) exercises it
// without libFuzzer. Arguments: number of inputs (default 200000), seed.
// Most inputs are shaped like containers: a plausible item type and a small
// item count, so that the readers get past their first checks.
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>

#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

uint64_t State;

uint32_t Next() {
    State ^= State << 13;
    State ^= State >> 7;
    State ^= State << 17;
    return (uint32_t)(State >> 16);
}

}  // namespace

int main(int argc, char** argv) {
    unsigned long count = argc > 1 ? strtoul(argv[1], nullptr, 10) : 200000;
    State = argc > 2 ? strtoull(argv[2], nullptr, 10) : 0x9e3779b97f4a7c15ull;
    if (State == 0) State = 1;
    for (unsigned long n = 0; n < count; ++n) {
        size_t size = Next() % 48;
        if (Next() % 16 == 0) size += Next() % 512;
        // Exactly `size` bytes on the heap: one byte too far is caught.
        std::unique_ptr<uint8_t[]> input(new uint8_t[size ? size : 1]);
        for (size_t i = 0; i < size; ++i) input[i] = (uint8_t)Next();
        if (size >= 4 && Next() % 4 != 0) input[2] = (uint8_t)(Next() % 14), input[3] = 0;  // item type
        if (size >= 8 && Next() % 2 != 0) {                                                   // item count
            input[4] = (uint8_t)(Next() % 40);
            input[5] = input[6] = input[7] = 0;
        }
        LLVMFuzzerTestOneInput(input.get(), size);
    }
    printf("%lu inputs\n", count);
    return 0;
}
