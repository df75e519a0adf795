#include "settings/scan_settings.h"

#include "device/device_flags.h"

namespace {

constexpr ScanSettingsRecord MakeInitialSettings() {
  ScanSettingsRecord s{};
  s.ScanMode = SCAN_MODE_COLOR;
  s.ColorScan = 1;
  s.ScanResolution = 300;
  s.ScalingPercent = 100;
  s.DeviceResolution = 300;
  s.DpiScale = 0;
  s.Velocity = 1;
  s.ScanSource = SCAN_SOURCE_REFLECTIVE;
  s.FrameLeft = 78;
  s.FrameTop = 81;
  s.FrameRight = 150;
  s.FrameBottom = 145;
  for (int i = 0; i < 4; ++i) {
    s.ToneSets[i].Brightness = 0;
    s.ToneSets[i].Contrast = 0;
    s.ToneSets[i].Gamma = i == TONE_MASTER ? 10 : 18;
    s.LevelSets[i].Shadow = 0;
    s.LevelSets[i].Midtone = 128;
    s.LevelSets[i].Hilight = 255;
    s.LevelSets[i].Ratio = 50;
  }
  s.EnhMode = 0;
  s.GammaCodeCount = 0;
  s.OutputMode = 0;
  s.FilterMode = 0;
  s.AutoExposure = 0;
  s.DeMoire = 0;
  s.UnitFlag = 0;
  s.OcrMode = 0;
  s.SlideKit = 0;
  s.PrescanMode = 1;
  return s;
}

}  // namespace

// Constant-initialised, so the record is valid before any constructor runs.
ScanSettingsRecord ScanSettings = MakeInitialSettings();
uint16_t LanguageIndex = 0;
uint32_t LanguageOffset = 0;

ScanSettingsRecord InitialScanSettings() { return MakeInitialSettings(); }

void ApplyScanMode(ScanSettingsRecord& settings, int32_t mode) {
  if (mode < SCAN_MODE_LINEART || mode > SCAN_MODE_COLOR) return;
  settings.ScanMode = static_cast<uint16_t>(mode);
  settings.ColorScan = mode == SCAN_MODE_COLOR ? 1 : 0;
}

void ApplyScanSourceRule(ScanSettingsRecord& settings) {
  if (settings.ScanSource == SCAN_SOURCE_FEEDER_CAP && FeederInstalled == 0) {
    settings.ScanSource = SCAN_SOURCE_REFLECTIVE;
    FeederSelected = 0;
  }
}
