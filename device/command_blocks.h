// The command blocks the source hands to the port driver. They live as long
// as the source; the driver only reads and writes them during a call.
#ifndef PLNX_COMMAND_BLOCKS_H
#define PLNX_COMMAND_BLOCKS_H

#include <stdint.h>

#include "device/block_layout.h"

extern uint8_t InquiryBlock[INQ_BLOCK_SIZE];
extern uint8_t ScanParamBlock[SP_BLOCK_SIZE];
extern uint8_t ToneBlock[TONE_BLOCK_SIZE];
extern uint8_t GeometryBlock[GEO_BLOCK_SIZE];
extern uint8_t ReadBlock[RD_BLOCK_SIZE];
extern uint8_t StretchBlock[ST_BLOCK_SIZE];
extern uint8_t ControlBlock[CONTROL_BLOCK_SIZE];
extern uint8_t PowerBlock[POWER_BLOCK_SIZE];

// Little-endian field access.
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
