// Memory transfer: the scan in strips, one per DAT_IMAGEMEMXFER.
#ifndef PLNX_MEMORY_ACQUISITION_H
#define PLNX_MEMORY_ACQUISITION_H

#include <stdint.h>

#include "twain/twain.h"

// Fills `buffer` (`length` bytes) with the next rows of the scan and the
// strip description in `xfer`; sets ReturnCode: TWRC_SUCCESS while rows
// remain, TWRC_XFERDONE after the last strip, TWRC_CANCEL or TWRC_FAILURE.
void AcquireMemoryStrip(uint8_t* buffer, uint32_t length, TW_IMAGEMEMXFER& xfer);

#endif
