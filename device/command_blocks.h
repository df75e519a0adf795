// The command blocks the source hands to the port driver. They live as long
// as the source; the driver only reads and writes them during a call.
#ifndef PLNX_COMMAND_BLOCKS_H
#define PLNX_COMMAND_BLOCKS_H

#include <stdint.h>

#include "device/block_layout.h"
#include "device/little_endian.h"

extern uint8_t InquiryBlock[INQ_BLOCK_SIZE];
extern uint8_t ScanParamBlock[SP_BLOCK_SIZE];
extern uint8_t ToneBlock[TONE_BLOCK_SIZE];
extern uint8_t GeometryBlock[GEO_BLOCK_SIZE];
extern uint8_t ReadBlock[RD_BLOCK_SIZE];
extern uint8_t StretchBlock[ST_BLOCK_SIZE];
extern uint8_t ControlBlock[CONTROL_BLOCK_SIZE];
extern uint8_t PowerBlock[POWER_BLOCK_SIZE];

#endif
