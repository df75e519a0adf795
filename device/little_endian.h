// Little-endian fields in byte buffers: command blocks, bitmap and file
// headers.
#ifndef PLNX_LITTLE_ENDIAN_H
#define PLNX_LITTLE_ENDIAN_H

#include <stdint.h>

inline uint16_t GetU16(const uint8_t* block, int offset) {
    return (uint16_t)(block[offset] | (block[offset + 1] << 8));
}
inline void PutU16(uint8_t* block, int offset, uint16_t value) {
    block[offset] = (uint8_t)value;
    block[offset + 1] = (uint8_t)(value >> 8);
}
inline uint32_t GetU32(const uint8_t* block, int offset) {
    return (uint32_t)GetU16(block, offset) | ((uint32_t)GetU16(block, offset + 2) << 16);
}
inline void PutU32(uint8_t* block, int offset, uint32_t value) {
    PutU16(block, offset, (uint16_t)value);
    PutU16(block, offset + 2, (uint16_t)(value >> 16));
}

#endif
