#include "settings/settings_profile.h"

#include <stdio.h>
#include <string.h>

#include "settings/global_keys.h"
#include "settings/profile_fields.h"

namespace {

// Profile order of the tone channels.
const int kToneOrder[4] = {TONE_RED, TONE_GREEN, TONE_BLUE, TONE_MASTER};

// A key holding one decimal number.
int32_t ReadNumber(ProfileAccess& profile, const char* section, const char* key,
                   const char* def, size_t bufferSize) {
  char value[8];
  if (bufferSize > sizeof value) bufferSize = sizeof value;
  value[0] = '\0';
  profile.Read(section, key, def, value, bufferSize);
  return ParseDecimal(value, sizeof value);
}

// A key of fixed-width fields.
void ReadFieldKey(ProfileAccess& profile, const char* section, const char* key, const char* def,
                  size_t bufferSize, size_t width, int32_t (&values)[4]) {
  char value[24];
  if (bufferSize > sizeof value) bufferSize = sizeof value;
  value[0] = '\0';
  profile.Read(section, key, def, value, bufferSize);
  ReadFields(value, width, values, 4);
}

void ReadToneKey(ProfileAccess& profile, const char* section, const char* key, const char* def,
                 int8_t ToneSet::*member, ScanSettingsRecord& settings) {
  int32_t values[4];
  ReadFieldKey(profile, section, key, def, 21, 5, values);
  for (int i = 0; i < 4; ++i)
    settings.ToneSets[kToneOrder[i]].*member = static_cast<int8_t>(values[i]);
}

void ReadLevelKey(ProfileAccess& profile, const char* section, const char* key, const char* def,
                  int32_t (&values)[4]) {
  ReadFieldKey(profile, section, key, def, 13, 3, values);
}

void WriteNumber(ProfileAccess& profile, const char* section, const char* key, uint32_t value) {
  char text[12];
  snprintf(text, sizeof text, "%lu", static_cast<unsigned long>(value));
  profile.Write(section, key, text);
}

void WriteToneKey(ProfileAccess& profile, const char* section, const char* key,
                  int8_t ToneSet::*member, const ScanSettingsRecord& settings) {
  int32_t values[4];
  for (int i = 0; i < 4; ++i) values[i] = settings.ToneSets[kToneOrder[i]].*member;
  char text[4 * 5 + 1];
  FormatFields(text, values, 4, 5);
  profile.Write(section, key, text);
}

}  // namespace

void LoadGammaCodes(ProfileAccess& profile, const char* section, ScanSettingsRecord& settings) {
  int32_t count = ReadNumber(profile, section, "Gamma Size", "0", 4);
  if (count < 0) count = 0;
  if (count > GAMMA_CODES_MAX) count = GAMMA_CODES_MAX;
  settings.GammaCodeCount = static_cast<uint16_t>(count);

  // Sized for the largest count; the read itself takes 3 * count + 1 bytes.
  static char codes[3 * GAMMA_CODES_MAX + 1];
  static char def[GAMMA_CODES_MAX + 1];
  const size_t n = static_cast<size_t>(count);
  if (n == 0) {
    def[0] = '0';
    def[1] = '\0';
  } else {
    memset(def, '0', n);
    def[n] = '\0';
  }
  codes[0] = '\0';
  profile.Read(section, "Gamma code", def, codes, 3 * n + 1);
  for (size_t i = 0; i < n; ++i)
    settings.GammaCodes[i] = static_cast<uint8_t>(FieldValue(codes, 3 * i, 3));
}

void LoadScanSettings(ProfileAccess& profile, const char* section, ScanSettingsRecord& settings) {
  int32_t values[4];

  settings.OutputMode = static_cast<uint16_t>(ReadNumber(profile, section, "OutputMode", "0", 4));

  ReadFieldKey(profile, section, "Frame", "  78  81 150 145", 17, 4, values);
  settings.FrameLeft = static_cast<uint16_t>(values[0]);
  settings.FrameTop = static_cast<uint16_t>(values[1]);
  settings.FrameRight = static_cast<uint16_t>(values[2]);
  settings.FrameBottom = static_cast<uint16_t>(values[3]);

  ReadToneKey(profile, section, "Brightness", "    0    0    0    0", &ToneSet::Brightness,
              settings);
  ReadToneKey(profile, section, "Gamma", "   18   18   18   10", &ToneSet::Gamma, settings);
  settings.EnhMode = static_cast<uint16_t>(ReadNumber(profile, section, "EnhMode", "   0", 5));
  ReadToneKey(profile, section, "Contrast", "    0    0    0    0", &ToneSet::Contrast,
              settings);

  settings.DeviceResolution =
      static_cast<uint16_t>(ReadNumber(profile, section, "ScanRes", "300", 5));
  settings.DpiScale = static_cast<uint16_t>(ReadNumber(profile, section, "DpiScale", "0", 5));
  settings.Velocity = static_cast<uint8_t>(ReadNumber(profile, section, "Velocity", "1", 4));
  ApplyScanMode(settings, ReadNumber(profile, section, "ScanMode", "1014", 5));

  LoadGammaCodes(profile, section, settings);

  ReadNumber(profile, section, "PrescanMode", "1", 2);
  settings.PrescanMode = 1;
  settings.UnitFlag = static_cast<uint32_t>(ReadNumber(profile, section, "UnitFlag", "0", 2));
  settings.AutoExposure =
      static_cast<uint32_t>(ReadNumber(profile, section, "AutoExposure", "0", 2));
  settings.DeMoire = static_cast<uint32_t>(ReadNumber(profile, section, "DeMoire", "0", 2));
  settings.OcrMode = static_cast<uint16_t>(ReadNumber(profile, section, "OCRMode", "0", 2));
  settings.FilterMode = static_cast<uint16_t>(ReadNumber(profile, section, "FilterMode", "0", 2));
  settings.ScanSource = static_cast<uint8_t>(ReadNumber(profile, section, "ScanSource", "0", 2));
  settings.SlideKit = static_cast<uint16_t>(ReadNumber(profile, section, "SlideKit", "0", 2));

  ReadLevelKey(profile, section, "Shadow", "0000000000000", values);
  for (int i = 0; i < 4; ++i) settings.LevelSets[i].Shadow = values[i];
  ReadLevelKey(profile, section, "Hilight", "255255255255", values);
  for (int i = 0; i < 4; ++i) settings.LevelSets[i].Hilight = values[i];
  ReadLevelKey(profile, section, "Midtone", "128128128128", values);
  for (int i = 0; i < 4; ++i) settings.LevelSets[i].Midtone = values[i];
  ReadLevelKey(profile, section, "Ratio", "050050050050", values);
  for (int i = 0; i < 4; ++i) settings.LevelSets[i].Ratio = static_cast<int16_t>(values[i]);

  ApplyScanSourceRule(settings);
}

void SaveScanSettings(ProfileAccess& profile, const SettingsFrame& frame,
                      ScanSettingsRecord& settings) {
  char section[SETTINGS_SECTION_SIZE];
  GetSettingsSectionName(profile, section, sizeof section);

  profile.Write(PROFILE_GLOBAL_SECTION, "LANGUAGE", LanguageName(LanguageIndex));

  const int32_t edges[4] = {frame.Left, frame.Top, frame.Right, frame.Bottom};
  char text[4 * 5 + 1];
  FormatFields(text, edges, 4, 4);
  profile.Write(section, "Frame", text);

  WriteToneKey(profile, section, "Brightness", &ToneSet::Brightness, settings);
  WriteToneKey(profile, section, "Gamma", &ToneSet::Gamma, settings);
  FormatField(text, settings.EnhMode, 5);
  profile.Write(section, "EnhMode", text);
  WriteToneKey(profile, section, "Contrast", &ToneSet::Contrast, settings);

  settings.PrescanMode = 1;
  WriteNumber(profile, section, "ScanMode", settings.ScanMode);
  WriteNumber(profile, section, "ScanRes", settings.ScanResolution);
  WriteNumber(profile, section, "DpiScale", settings.DpiScale);
  WriteNumber(profile, section, "Velocity", settings.Velocity);
  WriteNumber(profile, section, "PrescanMode", settings.PrescanMode);
  WriteNumber(profile, section, "UnitFlag", settings.UnitFlag);
  WriteNumber(profile, section, "AutoExposure", settings.AutoExposure != 0 ? 1 : 0);
  WriteNumber(profile, section, "DeMoire", settings.DeMoire != 0 ? 1 : 0);
  WriteNumber(profile, section, "OCRMode", settings.OcrMode);
  WriteNumber(profile, section, "OutputMode", settings.OutputMode);
  WriteNumber(profile, section, "FilterMode", settings.FilterMode);
  WriteNumber(profile, section, "ScanSource", settings.ScanSource);
  WriteNumber(profile, section, "SlideKit", settings.SlideKit);
}
