// The settings profile against the real WIN.INI of the prefix.
#include <windows.h>

#include <stdio.h>
#include <string.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "device/device_flags.h"
#include "settings/profile_win32.h"
#include "settings/scan_settings.h"

namespace {

const char* const kGlobal = PROFILE_GLOBAL_SECTION;
const char* const kModelSection = "PLNX Settings Test";
const char* const kMissing = "\x01missing";

std::string ReadIni(const char* section, const char* key, const char* def = kMissing) {
  char value[512];
  GetProfileStringA(section, key, def, value, sizeof value);
  return value;
}

// The raw line "key=..." of a section in C:\windows\win.ini, blanks and all.
std::string RawLine(const char* section, const char* key) {
  char dir[MAX_PATH];
  GetWindowsDirectoryA(dir, sizeof dir);
  const std::string path = std::string(dir) + "\\win.ini";
  FILE* f = fopen(path.c_str(), "rb");
  if (f == nullptr) return "(no win.ini)";
  const std::string header = std::string("[") + section + "]";
  const std::string prefix = std::string(key) + "=";
  std::string result = "(missing)";
  bool inSection = false;
  char line[1024];
  while (fgets(line, sizeof line, f) != nullptr) {
    std::string s(line);
    while (!s.empty() && (s.back() == '\n' || s.back() == '\r')) s.pop_back();
    if (!s.empty() && s[0] == '[') {
      inSection = _stricmp(s.c_str(), header.c_str()) == 0;
    } else if (inSection && _strnicmp(s.c_str(), prefix.c_str(), prefix.size()) == 0) {
      result = s.substr(prefix.size());
    }
  }
  fclose(f);
  return result;
}

// Points the model key at a section of its own and puts back every global
// key the tests touch, so that other tests see WIN.INI as before.
class SettingsWinIni : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* key : {"06000", "LANGUAGE", "BRAND", "WARMUPTICKS"})
      saved_.push_back({key, ReadIni(kGlobal, key)});
    savedSettings_ = ScanSettings;
    savedOptical_ = OpticalResolution;
    savedLanguage_ = LanguageIndex;
    savedFeeder_ = FeederInstalled;
    WriteProfileStringA(kModelSection, nullptr, nullptr);
    WriteProfileStringA(kGlobal, "06000", kModelSection);
    OpticalResolution = 600;
  }

  void TearDown() override {
    WriteProfileStringA(kModelSection, nullptr, nullptr);
    for (const auto& kv : saved_) {
      WriteProfileStringA(kGlobal, kv.first.c_str(),
                          kv.second == kMissing ? nullptr : kv.second.c_str());
    }
    ScanSettings = savedSettings_;
    OpticalResolution = savedOptical_;
    LanguageIndex = savedLanguage_;
    LanguageOffset = savedLanguage_ * 1000u;
    FeederInstalled = savedFeeder_;
  }

 private:
  std::vector<std::pair<std::string, std::string>> saved_;
  ScanSettingsRecord savedSettings_;
  uint16_t savedOptical_ = 0;
  uint16_t savedLanguage_ = 0;
  uint32_t savedFeeder_ = 0;
};

TEST_F(SettingsWinIni, LoadReadsTheSectionNamedByTheModelKey) {
  char name[SETTINGS_SECTION_SIZE];
  GetSettingsSectionName(name, sizeof name);
  ASSERT_STREQ(name, kModelSection);

  const struct {
    const char* key;
    const char* value;
  } entries[] = {
      {"Frame", "10  20  300 400"},
      {"Brightness", "-12  5    -128 127"},
      {"Gamma", "22   20   16   12"},
      {"ScanRes", "600"},
      {"ScanMode", "1013"},
      {"UnitFlag", "12"},  // one digit fits the buffer
      {"ScanSource", "2"},
      {"Gamma Size", "3"},
      {"Gamma code", "001255128"},
      {"Hilight", "250240230220"},
  };
  for (const auto& e : entries) WriteProfileStringA(kModelSection, e.key, e.value);
  FeederInstalled = 0;
  ScanSettings = InitialScanSettings();

  LoadScanSettings(name);

  EXPECT_EQ(ScanSettings.FrameLeft, 10);
  EXPECT_EQ(ScanSettings.FrameTop, 20);
  EXPECT_EQ(ScanSettings.FrameRight, 300);
  EXPECT_EQ(ScanSettings.FrameBottom, 400);
  EXPECT_EQ(ScanSettings.ToneSets[TONE_RED].Brightness, -12);
  EXPECT_EQ(ScanSettings.ToneSets[TONE_GREEN].Brightness, 5);
  EXPECT_EQ(ScanSettings.ToneSets[TONE_BLUE].Brightness, -128);
  EXPECT_EQ(ScanSettings.ToneSets[TONE_MASTER].Brightness, 127);
  EXPECT_EQ(ScanSettings.ToneSets[TONE_RED].Gamma, 22);
  EXPECT_EQ(ScanSettings.ToneSets[TONE_MASTER].Gamma, 12);
  EXPECT_EQ(ScanSettings.ToneSets[TONE_RED].Contrast, 0);  // missing: default
  EXPECT_EQ(ScanSettings.DeviceResolution, 600);
  EXPECT_EQ(ScanSettings.ScanMode, 1013);
  EXPECT_EQ(ScanSettings.ColorScan, 0);
  EXPECT_EQ(ScanSettings.UnitFlag, 1u);
  EXPECT_EQ(ScanSettings.ScanSource, 0);  // feeder code without a feeder
  EXPECT_EQ(ScanSettings.GammaCodeCount, 3);
  EXPECT_EQ(ScanSettings.GammaCodes[1], 255);
  EXPECT_EQ(ScanSettings.LevelSets[0].Hilight, 250);
  EXPECT_EQ(ScanSettings.LevelSets[3].Hilight, 220);
  EXPECT_EQ(ScanSettings.LevelSets[3].Midtone, 128);

  // Reset: the empty section name gives every default and writes nothing.
  LoadScanSettings("");
  EXPECT_EQ(ScanSettings.FrameLeft, 78);
  EXPECT_EQ(ScanSettings.FrameBottom, 145);
  EXPECT_EQ(ScanSettings.ToneSets[TONE_RED].Gamma, 18);
  EXPECT_EQ(ScanSettings.ToneSets[TONE_MASTER].Gamma, 10);
  EXPECT_EQ(ScanSettings.ToneSets[TONE_BLUE].Brightness, 0);
  EXPECT_EQ(ScanSettings.ScanMode, 1014);
  EXPECT_EQ(ScanSettings.ColorScan, 1);
  EXPECT_EQ(ScanSettings.DeviceResolution, 300);
  EXPECT_EQ(ScanSettings.GammaCodeCount, 0);
  EXPECT_EQ(ScanSettings.LevelSets[0].Hilight, 255);
  EXPECT_EQ(ReadIni(kModelSection, "Frame"), "10  20  300 400");
}

TEST_F(SettingsWinIni, SaveWritesLeftAlignedFieldsThatLoadBack) {
  ScanSettings = InitialScanSettings();
  ScanSettings.ToneSets[TONE_RED].Brightness = -12;
  ScanSettings.ToneSets[TONE_MASTER].Contrast = 127;
  ScanSettings.ToneSets[TONE_GREEN].Gamma = 22;
  ScanSettings.ScanMode = 1011;
  ScanSettings.ColorScan = 0;
  ScanSettings.ScanResolution = 1200;
  ScanSettings.AutoExposure = 5;
  ScanSettings.OutputMode = 11;
  LanguageIndex = 6;

  SaveScanSettings(SettingsFrame{5, 81, 150, 1450});

  EXPECT_EQ(ReadIni(kGlobal, "LANGUAGE"), "Chinese");
  struct Line {
    const char* key;
    const char* raw;
  };
  const Line lines[] = {
      {"Frame", "5   81  150 1450"},
      {"Brightness", "-12  0    0    0    "},
      {"Gamma", "18   22   18   10   "},
      {"EnhMode", "0    "},
      {"Contrast", "0    0    0    127  "},
      {"ScanMode", "1011"},
      {"ScanRes", "1200"},
      {"PrescanMode", "1"},
      {"AutoExposure", "1"},
      {"OutputMode", "11"},
      {"Gamma Size", "(missing)"},
      {"Shadow", "(missing)"},
  };
  // The fields are written left-aligned with their blanks; WIN.INI itself
  // keeps no trailing blanks on a line, so the last field's padding is gone
  // from the file.
  for (const Line& l : lines) {
    std::string expected = l.raw;
    while (!expected.empty() && expected.back() == ' ') expected.pop_back();
    EXPECT_EQ(RawLine(kModelSection, l.key), expected) << l.key;
  }

  // Loaded back, every field is found at its offset.
  ScanSettingsRecord saved = ScanSettings;
  ScanSettings = InitialScanSettings();
  LoadScanSettings(kModelSection);
  EXPECT_EQ(ScanSettings.ToneSets[TONE_RED].Brightness, -12);
  EXPECT_EQ(ScanSettings.ToneSets[TONE_MASTER].Contrast, 127);
  EXPECT_EQ(ScanSettings.ToneSets[TONE_GREEN].Gamma, 22);
  EXPECT_EQ(ScanSettings.ToneSets[TONE_MASTER].Gamma, 10);
  EXPECT_EQ(ScanSettings.FrameBottom, 1450);
  EXPECT_EQ(ScanSettings.ScanMode, saved.ScanMode);
  EXPECT_EQ(ScanSettings.DeviceResolution, 1200);
  EXPECT_EQ(ScanSettings.OutputMode, 11);  // buffer 4 holds two digits
}

TEST_F(SettingsWinIni, GlobalKeysAndLanguage) {
  WriteProfileStringA(kGlobal, "LANGUAGE", "german");
  EXPECT_EQ(LoadLanguage(kGlobal), 0);
  WriteProfileStringA(kGlobal, "LANGUAGE", "Italian");
  EXPECT_EQ(LoadLanguage(kGlobal), 3);
  EXPECT_EQ(LanguageOffset, 3000u);

  char text[64];
  WriteProfileStringA(kGlobal, "BRAND", "");
  EXPECT_EQ(GetBrand(kGlobal, text, sizeof text), 0u);
  EXPECT_STREQ(text, "");
  WriteProfileStringA(kGlobal, "BRAND", nullptr);
  GetBrand(kGlobal, text, sizeof text);
  EXPECT_STREQ(text, "Korvan ");

  WriteProfileStringA(kGlobal, "WARMUPTICKS", "1234567");
  EXPECT_EQ(GetWarmupTicks(kGlobal), 12345u);
  WriteProfileStringA(kGlobal, "WARMUPTICKS", nullptr);
  EXPECT_EQ(GetWarmupTicks(kGlobal), 1000u);
}

}  // namespace
