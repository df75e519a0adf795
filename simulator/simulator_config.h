// The simulator's configuration: its own WIN.INI section [PLNX_Q7B Simulator],
// read when the device is opened (ADDR_CHK) and again at every inquiry and
// every set-params, so that a test or demo can change the scanner between
// scans without reopening it. Numbers are decimal or hexadecimal with "0x";
// a missing or unreadable number takes its default.
//
// Identification (inquiry):
//   Firmware         4 characters at byte 42                    default "1.07"
//   ModelPrefix      4 characters at byte 54                    default "PLN-"
//   ModelDigits      5 characters at byte 58                    default "06007"
//   FeederColor      1: byte 67 bit 6 set (colour through the
//                    feeder allowed); 0: clear                  default 1
//   FilmSources      1: byte 126 = 1, the film sources offered
//                    (their bed is 8.0 x 10.0 inches)           default 0
//   FeederInstalled  1: byte 127 = 1, a document feeder         default 0
//   PaperLoaded      1: paper in the feeder (byte 128 = 1 when
//                    the feeder is installed and pages remain)  default 0
//   FeederPages      pages in the feeder, counted from ADDR_CHK;
//                    each feeder scan started takes one; 0 =
//                    never runs out                             default 0
//   PortMode         u16 at byte 130 (0 nibble, 1 uni-
//                    directional, 2 bi-directional, 3 EPP)      default 2
//   PortNumber       u16 at byte 132                            default 1
//   NotReady         inquiry status: 0 ready; 1 gives 0x8001;
//                    any other value is the status itself       default 0
//   AddrChkResult    the value ADDR_CHK returns                 default 0x378
//
// Scanning:
//   PageFile         a 24-bit BMP laid on the bed instead of the
//                    generated test page, scaled to the bed's
//                    width; a file that cannot be read makes
//                    SPI_START_SCAN fail with 0x8104            default none
//   RingBlocks       blocks BUF_ADDR cuts the ring into, 1..16
//                    (the source's table must hold as many
//                    20-byte records)                           default 4
//   BufAddrFail      1: BUF_ADDR fails (returns 0)              default 0
//   SetParamsStatus  non-zero: every SPI_SET_PARAMS answers this
//                    status and keeps no parameters (0x8217
//                    paper jam, 0x8321 no paper, 0x8414 cover
//                    open, anything else "not ready")           default 0
//   ReadStatus       non-zero: every SPI_READ of a scan that
//                    starts at or after line ReadStatusAfter
//                    answers this status and sends nothing      default 0
//   ReadStatusAfter  see ReadStatus                             default 0
//   ReadBusy         the first SPI_READ of a scan that starts at
//                    or after line ReadBusyAtLine answers 0x8321
//                    and sends nothing, ReadBusy times in a row;
//                    0: never                                   default 0
//   ReadBusyAtLine   see ReadBusy                               default 0
//   LineDelayMicros  time a line takes on the port, waited after
//                    each read (microseconds a line)            default 0
//
// Tests:
//   RecordDir        a folder: every command block is written, as
//                    received and before the answer is put in
//                    it, to <RecordDir>\<command name>.bin (for
//                    example SPI_SET_PARAMS.bin, SPI_SEND_TONE.bin
//                    with all 16400 bytes), replacing the last
//                    one of that command                        default none
#ifndef PLNX_SIMULATOR_CONFIG_H
#define PLNX_SIMULATOR_CONFIG_H

#include <stdint.h>

#define SIMULATOR_SECTION "PLNX_Q7B Simulator"

const int CONFIG_PATH_SIZE = 260;

struct SimulatorConfig {
    char Firmware[5];
    char ModelPrefix[5];
    char ModelDigits[6];
    uint32_t FeederColor;
    uint32_t FilmSources;
    uint32_t FeederInstalled;
    uint32_t PaperLoaded;
    uint32_t FeederPages;
    uint16_t PortMode;
    uint16_t PortNumber;
    uint32_t NotReady;
    uint32_t AddrChkResult;

    char PageFile[CONFIG_PATH_SIZE];
    uint32_t RingBlocks;
    uint32_t BufAddrFail;
    uint32_t SetParamsStatus;
    uint32_t ReadStatus;
    uint32_t ReadStatusAfter;
    uint32_t ReadBusy;
    uint32_t ReadBusyAtLine;
    uint32_t LineDelayMicros;

    char RecordDir[CONFIG_PATH_SIZE];
};

// Every key at its default.
void DefaultSimulatorConfig(SimulatorConfig* config);

// A configuration number: decimal, or hexadecimal after "0x"; blanks around
// it are allowed. `fallback` for anything else (empty, signs, trailing
// characters, more than 32 bits).
uint32_t ParseConfigNumber(const char* text, uint32_t fallback);

// Reads the WIN.INI section (Windows only).
void LoadSimulatorConfig(SimulatorConfig* config);

#endif
