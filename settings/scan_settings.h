// The current scan settings shared by the dialog, the capability code, the
// scan start, the pipeline and the settings files, and the user-interface
// language.
#ifndef PLNX_SCAN_SETTINGS_H
#define PLNX_SCAN_SETTINGS_H

#include <stdint.h>

#include "device/block_layout.h"

// Scan modes.
#define SCAN_MODE_LINEART 1011
#define SCAN_MODE_HALFTONE 1012
#define SCAN_MODE_GRAY 1013
#define SCAN_MODE_COLOR 1014

// ScanSource codes of the scan-parameter block.
#define SCAN_SOURCE_REFLECTIVE 0
#define SCAN_SOURCE_TRANSPARENCY 1
#define SCAN_SOURCE_FEEDER_CAP 2  // stored by CAP_FEEDERENABLED
#define SCAN_SOURCE_FEEDER 3

// Channel indexes of ToneSets (LevelSets keep the profile order instead:
// red, green, blue, master).
#define TONE_MASTER 0
#define TONE_RED 1
#define TONE_GREEN 2
#define TONE_BLUE 3

// Capacity of GammaCodes: the first section of the tone block.
#define GAMMA_CODES_MAX TONE_SECTION_DATA

struct ToneSet {
  int8_t Brightness;
  int8_t Contrast;
  int8_t Gamma;  // tenths: 18 = 1.8
  uint8_t reserved;
};

struct LevelSet {
  int32_t Shadow;
  int32_t Midtone;
  int32_t Hilight;
  int16_t Ratio;
};

struct ScanSettingsRecord {
  uint16_t ScanMode;          // SCAN_MODE_*
  uint16_t ColorScan;         // 1 exactly when ScanMode is SCAN_MODE_COLOR
  uint16_t ScanResolution;    // output resolution in dpi
  uint16_t ScalingPercent;    // always 100
  uint16_t DeviceResolution;  // resolution of the scan-parameter block
  uint16_t DpiScale;          // interpolation factor, 0 = none
  uint8_t Velocity;           // bits 0-3 speed code, bits 4-7 transparency option
  uint8_t ScanSource;         // SCAN_SOURCE_*
  uint16_t FrameLeft;         // scan frame in preview-window coordinates
  uint16_t FrameTop;
  uint16_t FrameRight;
  uint16_t FrameBottom;
  ToneSet ToneSets[4];        // TONE_MASTER, TONE_RED, TONE_GREEN, TONE_BLUE
  uint16_t EnhMode;
  LevelSet LevelSets[4];      // red, green, blue, master
  uint16_t GammaCodeCount;    // at most GAMMA_CODES_MAX
  uint8_t GammaCodes[GAMMA_CODES_MAX];
  uint16_t OutputMode;        // 0 none, 1..11 output-matching monitors
  uint16_t FilterMode;        // 0 none .. 7 emboss
  uint32_t AutoExposure;
  uint32_t DeMoire;
  uint32_t UnitFlag;          // 0 inches, 1 pixels, 2 cm, 3 mm
  uint16_t OcrMode;           // 0 none, 1 OCR, 2 FAX
  uint16_t SlideKit;
  uint16_t PrescanMode;       // always 1
};

extern ScanSettingsRecord ScanSettings;

// User-interface language: 0 English, 1 German, 2 French, 3 Italian,
// 4 Spanish, 5 Dutch, 6 Chinese. LanguageOffset = LanguageIndex * 1000 is
// added to every string-table id.
#define LANGUAGE_COUNT 7
extern uint16_t LanguageIndex;
extern uint32_t LanguageOffset;

// The record as it is at process start (and the per-model defaults).
ScanSettingsRecord InitialScanSettings();

// Sets ScanMode and ColorScan from a stored mode; a value that is not one of
// the four modes leaves both unchanged.
void ApplyScanMode(ScanSettingsRecord& settings, int32_t mode);

// After settings were loaded: the feeder code 2 without an installed feeder
// becomes the reflective source and the feeder selection is cleared.
void ApplyScanSourceRule(ScanSettingsRecord& settings);

#endif
