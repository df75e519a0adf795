#include "device/command_blocks.h"

uint8_t InquiryBlock[INQ_BLOCK_SIZE] = {};
uint8_t ScanParamBlock[SP_BLOCK_SIZE] = {};
uint8_t ToneBlock[TONE_BLOCK_SIZE] = {};
uint8_t GeometryBlock[GEO_BLOCK_SIZE] = {};
uint8_t ReadBlock[RD_BLOCK_SIZE] = {};
uint8_t StretchBlock[ST_BLOCK_SIZE] = {};
uint8_t ControlBlock[CONTROL_BLOCK_SIZE] = {};
uint8_t PowerBlock[POWER_BLOCK_SIZE] = {};
