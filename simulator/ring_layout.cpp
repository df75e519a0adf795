#include "simulator/ring_layout.h"

#include <string.h>

#include "device/block_layout.h"

namespace {

void Put16(uint8_t* p, uint32_t v) {
    p[0] = (uint8_t)v;
    p[1] = (uint8_t)(v >> 8);
}
void Put32(uint8_t* p, uint32_t v) {
    Put16(p, v & 0xffff);
    Put16(p + 2, v >> 16);
}

}  // namespace

int DivideRing(uint8_t* base, uint32_t size, int wanted, Ring* ring) {
    *ring = Ring();
    if (!base || size < 4) return 0;
    int count = wanted < 1 ? 1 : wanted > MAX_RING_BLOCKS ? MAX_RING_BLOCKS : wanted;
    if ((uint32_t)count > size / 4) count = (int)(size / 4);
    ring->base = base;
    ring->size = size;
    ring->count = count;
    ring->blockBytes = (size / (uint32_t)count) & ~(uint32_t)3;
    return count;
}

void WriteRingTable(const Ring& ring, uint8_t* table) {
    for (int i = 0; i < ring.count; ++i) {
        uint8_t* record = table + i * RING_RECORD_SIZE;
        const uint8_t* block = ring.base + (size_t)i * ring.blockBytes;
        memset(record, 0, RING_RECORD_SIZE);
        Put32(record + RING_BYTES, ring.blockBytes);
        Put32(record + RING_ADDRESS, LowAddress(block));
        Put32(record + RING_ADDRESS_HIGH, HighAddress(block));
    }
}

uint32_t LowAddress(const void* p) { return (uint32_t)(uintptr_t)p; }

uint32_t HighAddress(const void* p) { return (uint32_t)((uint64_t)(uintptr_t)p >> 32); }

bool RingOffset(const Ring& ring, uint32_t address, uint32_t* offset) {
    if (!ring.base) return false;
    uint32_t at = address - LowAddress(ring.base);  // modulo 2^32
    if (at >= ring.size) return false;
    *offset = at;
    return true;
}

uint32_t LinesPerBlock(uint32_t blockBytes, uint32_t lineBytes) {
    if (lineBytes == 0) return 0;
    uint32_t lines = blockBytes / lineBytes;
    return lines > MAX_LINES_PER_BLOCK ? MAX_LINES_PER_BLOCK : lines;
}

uint64_t RingLineOffset(uint32_t line, uint32_t linesPerBlock, uint32_t blocks, uint32_t blockBytes,
                        uint32_t lineBytes) {
    uint32_t block = line / linesPerBlock % blocks;
    return (uint64_t)block * blockBytes + (uint64_t)(line % linesPerBlock) * lineBytes;
}
