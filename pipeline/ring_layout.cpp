#include "pipeline/ring_layout.h"

#include "device/block_layout.h"

namespace {

uint32_t GetU32(const uint8_t* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | ((uint32_t)p[3] << 24); }
void PutU32(uint8_t* p, uint32_t v) {
    p[0] = (uint8_t)v;
    p[1] = (uint8_t)(v >> 8);
    p[2] = (uint8_t)(v >> 16);
    p[3] = (uint8_t)(v >> 24);
}

}  // namespace

size_t ReadRingTable(const uint8_t* table, size_t count, uint8_t* ring, size_t ringSize, uint32_t lineBytes,
                     RingBlock* blocks) {
    if (!table || !ring || lineBytes == 0 || count > RING_MAX_BLOCKS) return 0;
    uint32_t base = (uint32_t)(uintptr_t)ring;
    for (size_t i = 0; i < count; ++i) {
        const uint8_t* record = table + i * RING_RECORD_SIZE;
        uint32_t bytes = GetU32(record + RING_BYTES);
        uint32_t offset = GetU32(record + RING_ADDRESS) - base;
        if (offset >= ringSize || bytes > ringSize - offset) return 0;
        uint32_t lines = bytes / lineBytes;
        if (lines > 32767) lines = 32767;
        if (lines == 0) return 0;
        blocks[i].Lines = (uint16_t)lines;
        blocks[i].Bytes = lines * lineBytes;
        blocks[i].Start = ring + offset;
    }
    return count;
}

void WriteRingTable(uint8_t* table, const RingBlock* blocks, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        uint8_t* record = table + i * RING_RECORD_SIZE;
        PutU32(record + RING_BYTES, blocks[i].Bytes);
        record[RING_LINES] = (uint8_t)blocks[i].Lines;
        record[RING_LINES + 1] = (uint8_t)(blocks[i].Lines >> 8);
    }
}

uint8_t* RingLine(const RingBlock* blocks, size_t count, uint32_t lineBytes, uint32_t n) {
    uint32_t perBlock = blocks[0].Lines;
    size_t block = (n / perBlock) % count;
    return blocks[block].Start + (size_t)(n % perBlock) * lineBytes;
}
