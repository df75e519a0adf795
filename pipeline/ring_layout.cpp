#include "pipeline/ring_layout.h"

#include "device/little_endian.h"
#include "device/block_layout.h"

namespace {


}  // namespace

size_t ReadRingTable(const uint8_t* table, size_t count, uint8_t* ring, size_t ringSize, uint32_t lineBytes,
                     RingBlock* blocks) {
    if (!table || !ring || lineBytes == 0 || count > RING_MAX_BLOCKS) return 0;
    uint32_t base = (uint32_t)(uintptr_t)ring;
    for (size_t i = 0; i < count; ++i) {
        const uint8_t* record = table + i * RING_RECORD_SIZE;
        uint32_t bytes = GetU32(record, RING_BYTES);
        uint32_t offset = GetU32(record, RING_ADDRESS) - base;
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
        PutU32(record, RING_BYTES, blocks[i].Bytes);
        PutU16(record, RING_LINES, blocks[i].Lines);
    }
}

uint8_t* RingLine(const RingBlock* blocks, size_t count, uint32_t lineBytes, uint32_t n) {
    uint32_t perBlock = blocks[0].Lines;
    size_t block = (n / perBlock) % count;
    return blocks[block].Start + (size_t)(n % perBlock) * lineBytes;
}
