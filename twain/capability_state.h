// Capability state negotiated by the application: indices into the lists of
// supported values, brightness and contrast, and the feeder flags.
#ifndef PLNX_CAPABILITY_STATE_H
#define PLNX_CAPABILITY_STATE_H

#include <stdint.h>

extern uint16_t XferMechIndex;       // 0 native, 1 file, 2 memory
extern uint16_t PixelTypeIndex;      // 0 BW, 1 gray, 2 RGB, 3 palette
extern uint16_t UnitsIndex;
extern uint16_t ResolutionIndex;     // 0..7: 75, 100, 150, 200, 300, 400, 500, 600 dpi
extern uint16_t FileFormatIndex;
extern uint16_t SupportedSizeIndex;
extern int32_t CapBrightness;        // -1000..1000
extern int32_t CapContrast;          // -1000..1000
extern uint32_t AutoFeed;
extern uint32_t FeederQueried;       // the application asked CAP_FEEDERLOADED

// The pipeline's whole-image flag: the scan needs post-processing. The scan
// start recomputes it from the filter and moiré settings before every scan;
// ICAP_PLANARCHUNKY also writes it.
extern uint32_t PostProcess;

// The values every new connection starts with: the table indexes and
// brightness and contrast 0.
void ResetCapabilityState();

// MSG_RESET: the table indexes only (brightness and contrast are kept).
void ResetCapabilityIndexes();

#endif
