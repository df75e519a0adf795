// Scanner-wide flags set when the scanner is identified at open and read by
// the settings, capabilities, scan start and dialog.
#ifndef PLNX_DEVICE_FLAGS_H
#define PLNX_DEVICE_FLAGS_H

#include <stdint.h>

extern uint32_t ExtendedOptions;   // the scanner offers the film sources
extern uint32_t FeederInstalled;   // a document feeder is installed
extern uint32_t FeederSelected;    // the document feeder is the scan source
extern uint16_t OpticalResolution; // resolution class of the model: 600, 606, 800, 1200
extern uint32_t DoubleRes;         // output above 600 dpi by enlargement
extern uint32_t DriverResample;    // the driver resamples 300 dpi lines to the target
extern uint32_t KaspiDriver;       // the port driver file is KASPI_SP.DLL

#endif
