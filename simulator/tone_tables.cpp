#include "simulator/tone_tables.h"

#include "device/block_layout.h"

void ResetToneTables(ToneTables* tones) {
    for (int k = 0; k < 4; ++k)
        for (int v = 0; v < 256; ++v) tones->table[k][v] = (uint8_t)v;
    tones->threshold = 128;
    tones->kind = 0;
}

bool LoadToneTables(const uint8_t* block, ToneTables* tones) {
    unsigned counts[4];
    for (int k = 0; k < 4; ++k) {
        const uint8_t* section = block + TONE_SECTION_BASE + k * TONE_SECTION_STRIDE;
        counts[k] = (unsigned)(section[0] | (section[1] << 8));
        if (counts[k] > TONE_SECTION_DATA) return false;
    }
    for (int k = 0; k < 4; ++k) {
        const uint8_t* data = block + TONE_SECTION_BASE + k * TONE_SECTION_STRIDE + 2;
        for (unsigned v = 0; v < 256; ++v)
            tones->table[k][v] = counts[k] == 0 ? (uint8_t)v : data[v * (counts[k] - 1) / 255];
    }
    tones->threshold = block[TONE_THRESHOLD];
    tones->kind = block[TONE_KIND];
    return true;
}
