// Little-endian fields of the command blocks, as the simulator reads and
// writes them.
#ifndef PLNX_SIMULATOR_BLOCK_FIELDS_H
#define PLNX_SIMULATOR_BLOCK_FIELDS_H

#include <stdint.h>

inline uint16_t Field16(const uint8_t* block, int offset) {
    return (uint16_t)(block[offset] | (block[offset + 1] << 8));
}
inline uint32_t Field32(const uint8_t* block, int offset) {
    return (uint32_t)Field16(block, offset) | ((uint32_t)Field16(block, offset + 2) << 16);
}
inline void SetField16(uint8_t* block, int offset, uint16_t value) {
    block[offset] = (uint8_t)value;
    block[offset + 1] = (uint8_t)(value >> 8);
}
inline void SetField32(uint8_t* block, int offset, uint32_t value) {
    SetField16(block, offset, (uint16_t)value);
    SetField16(block, offset + 2, (uint16_t)(value >> 16));
}

#endif
