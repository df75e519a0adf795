// Byte layout of the command blocks exchanged with the port driver. Shared by
// the data source and the scanner simulator; nothing else lives here.
// Every block starts with a u16 (0), the u16 completion status written by the
// driver (0 = success) and a u16 (0); parameters follow from offset 6. All
// multi-byte fields are little-endian.
#ifndef PLNX_BLOCK_LAYOUT_H
#define PLNX_BLOCK_LAYOUT_H

// Command codes of SPI_CALL.
#define SPI_INQUIRE 0
#define SPI_SET_PARAMS 1
#define SPI_SEND_TONE 4
#define SPI_START_SCAN 5
#define SPI_ABORT 6
#define SPI_READ 8
#define SPI_FINISH 11
#define SPI_STRETCH_COLOR 12
#define SPI_STRETCH_GRAY 13
#define SPI_POWER 14

#define BLOCK_STATUS 2

// InquiryBlock
#define INQ_BLOCK_SIZE 256
#define INQ_CLEAR_FIRST 10
#define INQ_CLEAR_LAST 105
#define INQ_FIRMWARE 42      // 4 chars
#define INQ_MODEL_PREFIX 54  // 4 chars, "PLN-" or "PLC-"
#define INQ_MODEL_DIGITS 58  // 5 chars
#define INQ_FEEDER_COLOR 67  // bit 6: colour through the feeder allowed
#define INQ_REF_LEVELS 70    // 4 x u16
#define INQ_EXTENDED 126     // 1 = film sources offered
#define INQ_FEEDER 127       // 1 = document feeder installed
#define INQ_PAPER 128        // 1 = paper loaded in the feeder
#define INQ_PORT_MODE 130    // u16
#define INQ_PORT_NUMBER 132  // u16

// ScanParamBlock
#define SP_BLOCK_SIZE 28
#define SP_LEFT 6
#define SP_TOP 8
#define SP_RIGHT 10
#define SP_BOTTOM 12
#define SP_SOURCE 14
#define SP_ONE 15
#define SP_IMAGE_TYPE 16
#define SP_VELOCITY 17
#define SP_RESOLUTION 18

// ToneBlock
#define TONE_THRESHOLD 6
#define TONE_KIND 7
#define TONE_SECTION_BASE 8
#define TONE_SECTION_STRIDE 4098
#define TONE_SECTION_DATA 4096
#define TONE_BLOCK_SIZE 16400

// GeometryBlock
#define GEO_BLOCK_SIZE 12
#define GEO_ZERO 6
#define GEO_LINE_BYTES 8
#define GEO_LINES 10

// ControlBlock and PowerBlock
#define CONTROL_BLOCK_SIZE 6
#define POWER_BLOCK_SIZE 8
#define POWER_STATE 6

// ReadBlock
#define RD_BLOCK_SIZE 32
#define RD_LINE_BYTES 6
#define RD_LINES 8
#define RD_BYTES 12
#define RD_RECEIVED 16
#define RD_ZERO 18
#define RD_RING_COUNT 26
#define RD_RING_ADDRESS 28

// StretchBlock
#define ST_BLOCK_SIZE 32
#define ST_DEST_END 8
#define ST_SRC_END 12
#define ST_PIXELS 16
#define ST_TARGET_DPI 18
#define ST_OUT_LINES 24
#define ST_OUT_BYTES 28

// RingBlock record filled by BUF_ADDR: u32 bytes (the driver writes the
// block size, the source rewrites it), u16 lines (written by the source),
// u32 address of the block's first byte. Addresses on the wire are 32 bits:
// a 64-bit process finds there the low 32 bits of the address, and the
// driver writes the high 32 bits at RING_ADDRESS_HIGH (0 on 32-bit Windows).
// Both sides keep the real pointers and match the low halves against them.
#define RING_RECORD_SIZE 20
#define RING_BYTES 0
#define RING_LINES 4
#define RING_ADDRESS 6
#define RING_ADDRESS_HIGH 10

#endif
