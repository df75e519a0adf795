// The ring buffer the source hands over with BUF_ADDR: its division into
// blocks, the RingBlock records describing them, and where each scan line
// goes.
//
// The ring is cut into equal blocks (a multiple of 4 bytes each, the
// remainder unused). Line n of a scan goes to block (n / lines per block)
// modulo the block count, at (n modulo lines per block) x line bytes from
// the block's start, lines per block being min(block bytes / line bytes,
// 32767).
//
// Addresses travel in 32-bit block fields. The simulator keeps the real
// pointer of the ring and accepts a 32-bit address when it equals the low 32
// bits of a point inside the ring; that point is then the real address (the
// same on 32-bit Windows, where the low bits are the whole address).
#ifndef PLNX_SIMULATOR_RING_LAYOUT_H
#define PLNX_SIMULATOR_RING_LAYOUT_H

#include <stdint.h>

const int MAX_RING_BLOCKS = 16;
const uint32_t MAX_LINES_PER_BLOCK = 32767;

struct Ring {
    uint8_t* base = nullptr;
    uint32_t size = 0;
    uint32_t blockBytes = 0;
    int count = 0;
};

// Cuts the buffer into `wanted` blocks (clamped to 1..16, fewer when the
// buffer is very small); returns the count, 0 (ring emptied) for a null or
// too small buffer.
int DivideRing(uint8_t* base, uint32_t size, int wanted, Ring* ring);

// Writes one 20-byte RingBlock record a block: bytes, lines 0, the low and
// the high 32 bits of the block's address, zeros.
void WriteRingTable(const Ring& ring, uint8_t* table);

uint32_t LowAddress(const void* p);
uint32_t HighAddress(const void* p);

// The offset in the ring of a 32-bit address; false when it lies outside.
bool RingOffset(const Ring& ring, uint32_t address, uint32_t* offset);

uint32_t LinesPerBlock(uint32_t blockBytes, uint32_t lineBytes);
uint64_t RingLineOffset(uint32_t line, uint32_t linesPerBlock, uint32_t blocks, uint32_t blockBytes,
                        uint32_t lineBytes);

#endif
