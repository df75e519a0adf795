// The simulated scanner: its state and its answers to the command blocks,
// independent of how the blocks reach it (the port driver's exports are in
// simulator_entry.cpp).
//
// Status words it answers, besides 0 and those the configuration asks for:
//   0x8000  unknown command code
//   0x8001  not ready: idle (SPI_POWER 1, or never woken since ADDR_CHK), or
//           the configured NotReady
//   0x8100  a parameter out of range: image type, resolution (1..600), scan
//           source (0, 1, 2 or 3; 1 needs the film sources, 2 and 3 the
//           feeder), byte 15 not 1, an inverted frame, a line length or
//           count in a read or stretch that does not match the scan, a tone
//           section of more than 4096 entries, a power byte other than 0 and
//           1, a frame too narrow to give a line or too large for the u16
//           fields (frames may reach past the bed: beyond it is white)
//   0x8101  out of sequence: start without parameters, read or stretch
//           without a scan in progress
//   0x8102  ring: no ring given, an address outside it, a block count larger
//           than it has, more lines than it holds
//   0x8103  a read past the last line of the scan
//   0x8104  the configured PageFile cannot be read
//   0x8105  internal failure (out of memory)
//   0x8321  no paper in the feeder (a feeder scan without paper, and the
//           configured ReadBusy answers)
//
// A scan: SPI_SET_PARAMS keeps the frame, source, type, velocity and
// resolution; SPI_START_SCAN computes the geometry (scan_geometry.h) and
// answers bytes per line B and line count L; each SPI_READ sends the next
// lines (the scanner counts them itself, from 0 at the start) into the ring
// with B as the line length (ring_layout.h), then writes the lines sent so
// far in the scan at offset 16 and the lines of this call at offset 18;
// SPI_FINISH or SPI_ABORT ends the scan.
//
// Resampling: SPI_STRETCH_COLOR and SPI_STRETCH_GRAY take the raw lines of
// the last read from the ring's first byte up to the source-end address
// (their count is that length divided by the raw line length, pixels x 3 or
// pixels), and write the requested number of the scan's next output lines,
// each of the requested length, so that they end at the destination-end
// address. The output follows one rule for the whole scan (line_stretch.h):
// output line J is taken at raw line J x 300 / target, whatever the batches;
// a raw line the rule needs that is not among those handed over (the next
// line, or lines the batches' rounding has not read yet) comes from the
// scanner's own store of the scan. Once a scan has been stretched, its later
// reads put their lines from the ring's first byte, where the next stretch
// takes them (the first read of a scan starts there anyway).
#ifndef PLNX_SIMULATOR_SCANNER_DEVICE_H
#define PLNX_SIMULATOR_SCANNER_DEVICE_H

#include <stddef.h>
#include <stdint.h>

#include <vector>

#include "simulator/bmp_codec.h"
#include "simulator/ring_layout.h"
#include "simulator/scan_geometry.h"
#include "simulator/simulator_config.h"
#include "simulator/tone_tables.h"

const uint16_t STATUS_UNKNOWN_COMMAND = 0x8000;
const uint16_t STATUS_NOT_READY = 0x8001;
const uint16_t STATUS_BAD_PARAMETER = 0x8100;
const uint16_t STATUS_OUT_OF_SEQUENCE = 0x8101;
const uint16_t STATUS_RING = 0x8102;
const uint16_t STATUS_PAST_END = 0x8103;
const uint16_t STATUS_PAGE_FILE = 0x8104;
const uint16_t STATUS_INTERNAL = 0x8105;
const uint16_t STATUS_NO_PAPER = 0x8321;

// Scan sources of the parameter block.
enum ScanSource { SOURCE_REFLECTIVE = 0, SOURCE_FILM = 1, SOURCE_FEEDER_CAP = 2, SOURCE_FEEDER = 3 };

struct ScanParameters {
    ScanFrame frame;
    uint8_t source;
    uint8_t type;
    uint8_t velocity;
    uint16_t resolution;
};

struct ScannerDevice {
    SimulatorConfig config;
    const RgbImage* picture = nullptr;  // null: the generated test page
    uint8_t power = 1;                  // 0 awake, 1 idle
    ToneTables tones;
    bool paramsSet = false;
    ScanParameters params = {};
    uint32_t feederPagesTaken = 0;

    bool scanning = false;
    ScanGeometry geometry;
    uint32_t linesSent = 0;
    bool rawAtRingStart = false;  // the scan is being stretched
    uint32_t lastReadFirst = 0;   // first line and count of the last read
    uint32_t lastReadLines = 0;
    uint32_t stretchedLines = 0;  // output lines stretched so far
    uint32_t busyAnswers = 0;     // 0x8321 answers given in this scan
    bool busyOver = false;

    Ring ring;
    std::vector<uint8_t> work;  // raw lines copied out of the ring for a stretch
};

// ADDR_CHK: a fresh scanner with this configuration: idle, identity tone
// tables, no parameters, no scan, no ring, a full feeder.
void OpenDevice(ScannerDevice* device, const SimulatorConfig& config);

// One command; returns the status, also written at offset 2 of the block.
// `linesSent` (may be null) receives the lines a read sent.
uint16_t DeviceCommand(ScannerDevice& device, uint8_t* block, uint32_t code, uint32_t* linesSent);

// BUF_ADDR: takes the ring and fills `table`; returns the block count, 0 on
// failure (no ring kept then).
uint32_t DeviceSetBuffer(ScannerDevice& device, void* buffer, uint32_t size, uint8_t* table);

// Whether paper is in the feeder (installed, loaded, pages left).
bool FeederHasPaper(const ScannerDevice& device);

// The block length of a command and its name ("SPI_SET_PARAMS"); 0 and null
// for an unknown code.
size_t CommandBlockSize(uint32_t code);
const char* CommandName(uint32_t code);

#endif
