// Starting a scan: checks, scanner set-up, geometry and the image
// information, then MSG_XFERREADY to the application.
#ifndef PLNX_SCAN_START_H
#define PLNX_SCAN_START_H

#include <stdint.h>
#include <windows.h>

#include "device/scan_parameters.h"

// Starts a scan of `frame` (1/600 inch; the width rule may move its right
// edge, which is written back) with the current settings. Returns 1 when the
// scanner is scanning, the geometry is set and the application has been told
// the transfer is ready (state 6); 0 otherwise, after the failure has been
// shown and the TWAIN result set.
int StartScan(HWND dialog, uint32_t filmType, uint16_t sourceKind, ScanFrame& frame);

// Frees what a scan holds and tells the scanner to stop if it still runs.
void AbortScanInProgress();

#endif
