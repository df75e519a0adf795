// The scan parameters sent before every scan: the scanning resolution, the
// frame width, the speed and film bits of Velocity, and the parameter block.
#ifndef PLNX_SCAN_PARAMETERS_H
#define PLNX_SCAN_PARAMETERS_H

#include <stdint.h>

#include "settings/scan_settings.h"

// Image type codes of the parameter block.
#define IMAGE_TYPE_LINEART 0
#define IMAGE_TYPE_HALFTONE 1
#define IMAGE_TYPE_GRAY 2
#define IMAGE_TYPE_COLOR 3

#define SPEED_SLOW 2

// A scan frame in 1/600 inch.
struct ScanFrame {
    int Left;
    int Top;
    int Right;
    int Bottom;
};

// Image type code of a ScanMode (1011..1014); anything else counts as Color.
uint8_t ImageTypeCode(uint16_t scanMode);

// The resolution the scanner scans at, from the output resolution and the
// scaling in percent. Sets DoubleRes (file and memory transfer only; native
// transfer keeps it) and DriverResample, stores the scanning resolution in
// deviceResolution and returns the target resolution of the lines delivered
// (the scanning resolution unless the driver resamples).
int ComputeDeviceResolution(int resolution, int scalingPercent, uint16_t scanMode,
                            bool nativeTransfer, uint16_t& deviceResolution);

// Pixels across a frame width (1/600 inch) at resolution r.
int FramePixelCount(int width, int r);

// Line length in bytes for a frame width: pixels / 8 for LineArt and
// Halftone, pixels - 2 otherwise (negative for frames under two pixels).
int FrameLineLength(int width, int r, uint16_t scanMode);

// Moves the right edge left in 1/600-inch steps until the line length is a
// multiple of 4 and not of 128. A right edge that is not right of the left
// edge is left alone, and narrowing never passes the left edge.
void ApplyFrameWidthRule(int left, int& right, int r, uint16_t scanMode);

// Speed code for Velocity bits 0-3: SPEED_SLOW when DSLANGUAGE (null = the
// default "None") is not "English" (any case) and a LineArt or Gray scan
// comes from a source other than the feeder; else 0.
uint8_t SlowModeNibble(const char* dsLanguage, uint16_t scanMode, uint8_t scanSource);

// True when the scan must wait after it started: slow mode applies and
// SLOWSPEEDVER (null = the default "No") is not "No" (any case).
bool SlowModeWaitRequired(const char* slowSpeedVer, const char* dsLanguage, uint16_t scanMode,
                          uint8_t scanSource);

// Velocity with its bits 0-3 replaced by the speed code.
uint8_t SetSpeedNibble(uint8_t velocity, uint8_t speed);

// Velocity with the film bits OR-ed into bits 4-7 when the scanner offers
// the film sources: ((negative * 8) | film type) * 16, the film type being
// the low word of the dialog's film word and the negative flag its high word.
uint8_t MergeTransparencyBits(uint8_t velocity, uint32_t extendedOptions, uint32_t filmType);

// Writes bytes 6..19 of the parameter block: the frame, the source, 1, the
// image type, Velocity and DeviceResolution of the settings. Bytes 0..5 and
// 20..27 are not touched.
void BuildScanParamBlock(const ScanFrame& frame, const ScanSettingsRecord& settings,
                         uint8_t* block);

// The whole preparation of the parameter block for a scan: the scanning
// resolution into settings.DeviceResolution, the width rule applied to the
// frame (written back), then ScanParamBlock. Returns the target resolution.
int PrepareScanParamBlock(ScanFrame& frame, ScanSettingsRecord& settings, bool nativeTransfer);

#endif
