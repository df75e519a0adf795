// The scanning commands of the simulated scanner: start, read, stretch and
// the ring buffer (the rules are in scanner_device.h).
#ifndef PLNX_SIMULATOR_SCAN_TRANSFER_H
#define PLNX_SIMULATOR_SCAN_TRANSFER_H

#include <stdint.h>

#include "simulator/scanner_device.h"

uint16_t StartScan(ScannerDevice& device, uint8_t* block);
uint16_t ReadScanLines(ScannerDevice& device, uint8_t* block, uint32_t* linesSent);
uint16_t StretchScanLines(ScannerDevice& device, uint8_t* block, int channels);

#endif
