// The ring buffer the driver reads into: the block table BUF_ADDR fills and
// where each scanned line lies in it.
#ifndef PLNX_RING_LAYOUT_H
#define PLNX_RING_LAYOUT_H

#include <stddef.h>
#include <stdint.h>

#define RING_MAX_BLOCKS 64

struct RingBlock {
    uint32_t Bytes;   // bytes of whole lines in the block
    uint16_t Lines;   // lines the block holds
    uint8_t* Start;   // first byte of the block
};

// Reads `count` records of the table BUF_ADDR filled for `ring` (`ringSize`
// bytes) and sets each block to whole lines of `lineBytes`, at most 32767.
// The driver's 32-bit block addresses are taken relative to the ring, so
// the table means the same on 32- and 64-bit Windows. Returns the number of
// usable blocks: 0 when a record lies outside the ring or holds no line.
size_t ReadRingTable(const uint8_t* table, size_t count, uint8_t* ring, size_t ringSize, uint32_t lineBytes,
                     RingBlock* blocks);
// Writes the source's view (bytes and lines) back into the table records.
void WriteRingTable(uint8_t* table, const RingBlock* blocks, size_t count);
// Address of scanned line `n`: block (n / lines per block) modulo the count,
// (n modulo lines per block) lines into it.
uint8_t* RingLine(const RingBlock* blocks, size_t count, uint32_t lineBytes, uint32_t n);

#endif
