#include <stdint.h>
#include <string.h>
#include <strings.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "device/device_flags.h"
#include "settings/global_keys.h"
#include "settings/scan_settings.h"
#include "settings/settings_profile.h"

namespace {

struct CaseLess {
  bool operator()(const std::string& a, const std::string& b) const {
    return strcasecmp(a.c_str(), b.c_str()) < 0;
  }
};

std::string TrimRight(std::string s) {
  while (!s.empty() && s.back() == ' ') s.pop_back();
  return s;
}

// An in-memory WIN.INI with the behaviour of GetProfileString and
// WriteProfileString: case-insensitive names, leading blanks dropped on
// write, trailing blanks dropped on read (values and defaults), reads cut to
// size - 1 characters, and a section without a name matching nothing.
class FakeProfile final : public ProfileAccess {
 public:
  struct Access {
    std::string section, key, text;  // text: default of a read, value of a write
    size_t size;
    bool operator==(const Access& o) const {
      return section == o.section && key == o.key && text == o.text && size == o.size;
    }
  };

  size_t Read(const char* section, const char* key, const char* def, char* buf,
              size_t size) override {
    reads.push_back({section, key, def, size});
    std::string value = def;
    if (section[0] != '\0') {
      auto s = data.find(section);
      if (s != data.end()) {
        auto k = s->second.find(key);
        if (k != s->second.end()) value = k->second;
      }
    }
    value = TrimRight(value);
    if (value.size() > size - 1) value.resize(size - 1);
    memcpy(buf, value.c_str(), value.size() + 1);
    return value.size();
  }

  void Write(const char* section, const char* key, const char* value) override {
    writes.push_back({section, key, value, 0});
    if (section[0] == '\0') return;
    std::string v = value;
    v.erase(0, v.find_first_not_of(' ') == std::string::npos ? v.size() : v.find_first_not_of(' '));
    data[section][key] = v;
  }

  void Set(const std::string& section, const std::string& key, const std::string& value) {
    data[section][key] = value;
  }

  std::map<std::string, std::map<std::string, std::string, CaseLess>, CaseLess> data;
  std::vector<Access> reads;
  std::vector<Access> writes;
};

std::ostream& operator<<(std::ostream& os, const FakeProfile::Access& a) {
  return os << '[' << a.section << "] " << a.key << " \"" << a.text << "\" " << a.size;
}

const char* const kSection = "T40 IV N";

// Keeps the process-wide flags and the language of each test to itself.
class SettingsProfile : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = {FeederInstalled, FeederSelected, OpticalResolution, LanguageIndex, LanguageOffset};
  }
  void TearDown() override {
    FeederInstalled = saved_[0];
    FeederSelected = saved_[1];
    OpticalResolution = static_cast<uint16_t>(saved_[2]);
    LanguageIndex = static_cast<uint16_t>(saved_[3]);
    LanguageOffset = saved_[4];
  }

  FakeProfile profile_;

 private:
  std::vector<uint32_t> saved_;
};

std::vector<int64_t> Frame(const ScanSettingsRecord& s) {
  return {s.FrameLeft, s.FrameTop, s.FrameRight, s.FrameBottom};
}
// Profile channel order: red, green, blue, master.
std::vector<int64_t> Brightness(const ScanSettingsRecord& s) {
  return {s.ToneSets[TONE_RED].Brightness, s.ToneSets[TONE_GREEN].Brightness,
          s.ToneSets[TONE_BLUE].Brightness, s.ToneSets[TONE_MASTER].Brightness};
}
std::vector<int64_t> Contrast(const ScanSettingsRecord& s) {
  return {s.ToneSets[TONE_RED].Contrast, s.ToneSets[TONE_GREEN].Contrast,
          s.ToneSets[TONE_BLUE].Contrast, s.ToneSets[TONE_MASTER].Contrast};
}
std::vector<int64_t> Gamma(const ScanSettingsRecord& s) {
  return {s.ToneSets[TONE_RED].Gamma, s.ToneSets[TONE_GREEN].Gamma, s.ToneSets[TONE_BLUE].Gamma,
          s.ToneSets[TONE_MASTER].Gamma};
}
std::vector<int64_t> Levels(const ScanSettingsRecord& s, int32_t LevelSet::*m) {
  return {s.LevelSets[0].*m, s.LevelSets[1].*m, s.LevelSets[2].*m, s.LevelSets[3].*m};
}
std::vector<int64_t> Ratios(const ScanSettingsRecord& s) {
  return {s.LevelSets[0].Ratio, s.LevelSets[1].Ratio, s.LevelSets[2].Ratio, s.LevelSets[3].Ratio};
}

// Every field that a load sets, at its per-model default.
void ExpectPerModelDefaults(const ScanSettingsRecord& s) {
  EXPECT_EQ(s.ScanMode, 1014);
  EXPECT_EQ(s.ColorScan, 1);
  EXPECT_EQ(s.DeviceResolution, 300);
  EXPECT_EQ(s.DpiScale, 0);
  EXPECT_EQ(s.Velocity, 1);
  EXPECT_EQ(s.ScanSource, 0);
  EXPECT_EQ(Frame(s), (std::vector<int64_t>{78, 81, 150, 145}));
  EXPECT_EQ(Brightness(s), (std::vector<int64_t>{0, 0, 0, 0}));
  EXPECT_EQ(Contrast(s), (std::vector<int64_t>{0, 0, 0, 0}));
  EXPECT_EQ(Gamma(s), (std::vector<int64_t>{18, 18, 18, 10}));
  EXPECT_EQ(s.EnhMode, 0);
  EXPECT_EQ(Levels(s, &LevelSet::Shadow), (std::vector<int64_t>{0, 0, 0, 0}));
  EXPECT_EQ(Levels(s, &LevelSet::Midtone), (std::vector<int64_t>{128, 128, 128, 128}));
  EXPECT_EQ(Levels(s, &LevelSet::Hilight), (std::vector<int64_t>{255, 255, 255, 255}));
  EXPECT_EQ(Ratios(s), (std::vector<int64_t>{50, 50, 50, 50}));
  EXPECT_EQ(s.GammaCodeCount, 0);
  EXPECT_EQ(s.OutputMode, 0);
  EXPECT_EQ(s.FilterMode, 0);
  EXPECT_EQ(s.AutoExposure, 0u);
  EXPECT_EQ(s.DeMoire, 0u);
  EXPECT_EQ(s.UnitFlag, 0u);
  EXPECT_EQ(s.OcrMode, 0);
  EXPECT_EQ(s.SlideKit, 0);
  EXPECT_EQ(s.PrescanMode, 1);
}

// A section in which every key differs from its default.
void FillSection(FakeProfile& p, const std::string& section) {
  p.Set(section, "OutputMode", "5");
  p.Set(section, "Frame", "10  20  300 400");
  p.Set(section, "Brightness", "-12  5    -128 127");
  p.Set(section, "Gamma", "22   20   16   12");
  p.Set(section, "EnhMode", "3");
  p.Set(section, "Contrast", "1    2    3    4");
  p.Set(section, "ScanRes", "600");
  p.Set(section, "DpiScale", "4");
  p.Set(section, "Velocity", "2");
  p.Set(section, "ScanMode", "1013");
  p.Set(section, "Gamma Size", "3");
  p.Set(section, "Gamma code", "001255128");
  p.Set(section, "PrescanMode", "0");
  p.Set(section, "UnitFlag", "3");
  p.Set(section, "AutoExposure", "1");
  p.Set(section, "DeMoire", "1");
  p.Set(section, "OCRMode", "2");
  p.Set(section, "FilterMode", "7");
  p.Set(section, "ScanSource", "1");
  p.Set(section, "SlideKit", "2");
  p.Set(section, "Shadow", "001002003004");
  p.Set(section, "Hilight", "250240230220");
  p.Set(section, "Midtone", "100110120130");
  p.Set(section, "Ratio", "060070080090");
}

TEST_F(SettingsProfile, InitialRecordHoldsTheDefaults) {
  const ScanSettingsRecord s = InitialScanSettings();
  ExpectPerModelDefaults(s);
  EXPECT_EQ(s.ScanResolution, 300);
  EXPECT_EQ(s.ScalingPercent, 100);
}

TEST_F(SettingsProfile, FreshProfileAndResetGiveEveryDefault) {
  ScanSettingsRecord s = InitialScanSettings();
  FillSection(profile_, kSection);
  LoadScanSettings(profile_, kSection, s);
  ASSERT_EQ(s.ScanMode, 1013);
  ASSERT_EQ(s.ColorScan, 0);

  // Reset: the empty section name matches no section, even one without a
  // name, and nothing is written.
  FillSection(profile_, "");
  LoadScanSettings(profile_, "", s);
  ExpectPerModelDefaults(s);
  EXPECT_EQ(s.ScanResolution, 300);  // not stored, keeps its value
  EXPECT_TRUE(profile_.writes.empty());

  ScanSettingsRecord fresh = InitialScanSettings();
  fresh.ScanMode = 1011;
  fresh.ColorScan = 0;
  FakeProfile empty;
  LoadScanSettings(empty, kSection, fresh);
  ExpectPerModelDefaults(fresh);
}

TEST_F(SettingsProfile, LoadReadsEveryKeyInOrderWithItsBufferAndDefault) {
  ScanSettingsRecord s = InitialScanSettings();
  profile_.Set(kSection, "Gamma Size", "4");
  LoadScanSettings(profile_, kSection, s);
  const std::vector<FakeProfile::Access> expected = {
      {kSection, "OutputMode", "0", 4},
      {kSection, "Frame", "  78  81 150 145", 17},
      {kSection, "Brightness", "    0    0    0    0", 21},
      {kSection, "Gamma", "   18   18   18   10", 21},
      {kSection, "EnhMode", "   0", 5},
      {kSection, "Contrast", "    0    0    0    0", 21},
      {kSection, "ScanRes", "300", 5},
      {kSection, "DpiScale", "0", 5},
      {kSection, "Velocity", "1", 4},
      {kSection, "ScanMode", "1014", 5},
      {kSection, "Gamma Size", "0", 4},
      {kSection, "Gamma code", "0000", 13},
      {kSection, "PrescanMode", "1", 2},
      {kSection, "UnitFlag", "0", 2},
      {kSection, "AutoExposure", "0", 2},
      {kSection, "DeMoire", "0", 2},
      {kSection, "OCRMode", "0", 2},
      {kSection, "FilterMode", "0", 2},
      {kSection, "ScanSource", "0", 2},
      {kSection, "SlideKit", "0", 2},
      {kSection, "Shadow", "0000000000000", 13},
      {kSection, "Hilight", "255255255255", 13},
      {kSection, "Midtone", "128128128128", 13},
      {kSection, "Ratio", "050050050050", 13},
  };
  EXPECT_EQ(profile_.reads, expected);
}

TEST_F(SettingsProfile, LoadSplitsAndCutsEachKey) {
  struct Case {
    const char* key;
    const char* value;
    std::function<std::vector<int64_t>(const ScanSettingsRecord&)> field;
    std::vector<int64_t> expected;
  };
  auto one = [](auto member) {
    return [member](const ScanSettingsRecord& s) { return std::vector<int64_t>{s.*member}; };
  };
  auto mode = [](const ScanSettingsRecord& s) {
    return std::vector<int64_t>{s.ScanMode, s.ColorScan};
  };
  const Case cases[] = {
      {"OutputMode", "11", one(&ScanSettingsRecord::OutputMode), {11}},
      {"OutputMode", "1234", one(&ScanSettingsRecord::OutputMode), {123}},
      {"Frame", "10  20  300 400", Frame, {10, 20, 300, 400}},
      {"Frame", "1234567890123456789012345678901234567890", Frame, {1234, 5678, 9012, 3456}},
      {"Frame", "  78", Frame, {78, 0, 0, 0}},
      {"Brightness", "-12  5    -128 127", Brightness, {-12, 5, -128, 127}},
      {"Brightness", "7", Brightness, {7, 0, 0, 0}},
      {"Brightness", "1    2    3    4    5    6", Brightness, {1, 2, 3, 4}},
      {"Gamma", "22   20   16   12", Gamma, {22, 20, 16, 12}},
      {"Contrast", "-1   -2   -3   -4", Contrast, {-1, -2, -3, -4}},
      {"EnhMode", "3", one(&ScanSettingsRecord::EnhMode), {3}},
      {"ScanRes", "600", one(&ScanSettingsRecord::DeviceResolution), {600}},
      {"ScanRes", "123456", one(&ScanSettingsRecord::DeviceResolution), {1234}},
      {"ScanRes", "600", one(&ScanSettingsRecord::ScanResolution), {300}},
      {"DpiScale", "4", one(&ScanSettingsRecord::DpiScale), {4}},
      {"Velocity", "2", one(&ScanSettingsRecord::Velocity), {2}},
      {"ScanMode", "1011", mode, {1011, 0}},
      {"ScanMode", "1013", mode, {1013, 0}},
      {"ScanMode", "1014", mode, {1014, 1}},
      {"ScanMode", "1234", mode, {1012, 0}},  // unchanged
      {"ScanMode", "abc", mode, {1012, 0}},   // unchanged
      {"PrescanMode", "0", one(&ScanSettingsRecord::PrescanMode), {1}},
      {"UnitFlag", "3", one(&ScanSettingsRecord::UnitFlag), {3}},
      {"UnitFlag", "12", one(&ScanSettingsRecord::UnitFlag), {1}},
      {"AutoExposure", "1", one(&ScanSettingsRecord::AutoExposure), {1}},
      {"DeMoire", "1", one(&ScanSettingsRecord::DeMoire), {1}},
      {"OCRMode", "2", one(&ScanSettingsRecord::OcrMode), {2}},
      {"FilterMode", "7", one(&ScanSettingsRecord::FilterMode), {7}},
      {"ScanSource", "1", one(&ScanSettingsRecord::ScanSource), {1}},
      {"SlideKit", "2", one(&ScanSettingsRecord::SlideKit), {2}},
      {"Shadow", "001002003004", [](auto& s) { return Levels(s, &LevelSet::Shadow); }, {1, 2, 3, 4}},
      {"Shadow", "0010020030049", [](auto& s) { return Levels(s, &LevelSet::Shadow); }, {1, 2, 3, 4}},
      {"hilight", "250240230220", [](auto& s) { return Levels(s, &LevelSet::Hilight); },
       {250, 240, 230, 220}},
      {"Midtone", "100110", [](auto& s) { return Levels(s, &LevelSet::Midtone); }, {100, 110, 0, 0}},
      {"Ratio", "060070080090", Ratios, {60, 70, 80, 90}},
  };
  for (const Case& c : cases) {
    FakeProfile profile;
    profile.Set(kSection, c.key, c.value);
    ScanSettingsRecord s = InitialScanSettings();
    s.ScanMode = 1012;
    s.ColorScan = 0;
    LoadScanSettings(profile, kSection, s);
    EXPECT_EQ(c.field(s), c.expected) << c.key << "=" << c.value;
  }
}

TEST_F(SettingsProfile, GammaCodesAreLimitedByTheirCountAndBuffer) {
  struct Case {
    const char* size;  // nullptr: key missing
    const char* codes;
    uint16_t count;
    std::vector<int> firstCodes;  // GammaCodes[0..], 0xAA = untouched
  };
  const Case cases[] = {
      {"3", "001255128", 3, {1, 255, 128, 0xAA}},
      {"2", "001002003", 2, {1, 2, 0xAA}},      // cut to 3 * 2 characters
      {"4", nullptr, 4, {0, 0, 0, 0, 0xAA}},    // default: zeros
      {"9999", "010020", 999, {10, 20, 0, 0}},  // size cut to "999", short codes
      {"-1", "001", 0, {0xAA}},
      {nullptr, "001", 0, {0xAA}},
  };
  for (const Case& c : cases) {
    FakeProfile profile;
    if (c.size != nullptr) profile.Set(kSection, "Gamma Size", c.size);
    if (c.codes != nullptr) profile.Set(kSection, "Gamma code", c.codes);
    ScanSettingsRecord s = InitialScanSettings();
    memset(s.GammaCodes, 0xAA, sizeof s.GammaCodes);
    LoadGammaCodes(profile, kSection, s);
    EXPECT_EQ(s.GammaCodeCount, c.count) << (c.size ? c.size : "(none)");
    for (size_t i = 0; i < c.firstCodes.size(); ++i)
      EXPECT_EQ(s.GammaCodes[i], c.firstCodes[i]) << (c.size ? c.size : "(none)") << " code " << i;
    if (c.count == 999) {
      for (size_t i = 2; i < 999; ++i) ASSERT_EQ(s.GammaCodes[i], 0) << i;
      EXPECT_EQ(s.GammaCodes[999], 0xAA);
      EXPECT_EQ(profile.reads.back().size, 3u * 999 + 1);
    }
  }
}

TEST_F(SettingsProfile, FeederCodeWithoutFeederLoadsAsReflective) {
  struct Case {
    uint32_t installed;
    const char* stored;
    uint8_t source;
    uint32_t selected;
  };
  const Case cases[] = {
      {0, "2", 0, 0}, {1, "2", 2, 1}, {0, "3", 3, 1}, {0, "1", 1, 1},
  };
  for (const Case& c : cases) {
    FeederInstalled = c.installed;
    FeederSelected = 1;
    FakeProfile profile;
    profile.Set(kSection, "ScanSource", c.stored);
    ScanSettingsRecord s = InitialScanSettings();
    LoadScanSettings(profile, kSection, s);
    EXPECT_EQ(s.ScanSource, c.source) << c.installed << "/" << c.stored;
    EXPECT_EQ(FeederSelected, c.selected) << c.installed << "/" << c.stored;
  }
}

TEST_F(SettingsProfile, SaveWritesEachKeyInOrderAndFormat) {
  ScanSettingsRecord s = InitialScanSettings();
  s.ToneSets[TONE_RED] = {-12, 3, 22, 0};
  s.ToneSets[TONE_GREEN] = {5, -128, 20, 0};
  s.ToneSets[TONE_BLUE] = {-128, 127, 16, 0};
  s.ToneSets[TONE_MASTER] = {127, 0, 10, 0};
  s.EnhMode = 2;
  s.ScanMode = 1013;
  s.ScanResolution = 1200;
  s.DeviceResolution = 600;
  s.DpiScale = 2;
  s.Velocity = 0x31;
  s.PrescanMode = 0;
  s.UnitFlag = 2;
  s.AutoExposure = 7;
  s.DeMoire = 0;
  s.OcrMode = 1;
  s.OutputMode = 11;
  s.FilterMode = 5;
  s.ScanSource = 3;
  s.SlideKit = 1;
  LanguageIndex = 2;
  profile_.Set(PROFILE_GLOBAL_SECTION, "06000", "My Model");
  const SettingsFrame frame = {5, 81, 1500, 20000};

  SaveScanSettings(profile_, frame, s);

  const char* const m = "My Model";
  const std::vector<FakeProfile::Access> expected = {
      {PROFILE_GLOBAL_SECTION, "LANGUAGE", "French", 0},
      {m, "Frame", "5   81  15009999", 0},
      {m, "Brightness", "-12  5    -128 127  ", 0},
      {m, "Gamma", "22   20   16   10   ", 0},
      {m, "EnhMode", "2    ", 0},
      {m, "Contrast", "3    -128 127  0    ", 0},
      {m, "ScanMode", "1013", 0},
      {m, "ScanRes", "1200", 0},
      {m, "DpiScale", "2", 0},
      {m, "Velocity", "49", 0},
      {m, "PrescanMode", "1", 0},
      {m, "UnitFlag", "2", 0},
      {m, "AutoExposure", "1", 0},
      {m, "DeMoire", "0", 0},
      {m, "OCRMode", "1", 0},
      {m, "OutputMode", "11", 0},
      {m, "FilterMode", "5", 0},
      {m, "ScanSource", "3", 0},
      {m, "SlideKit", "1", 0},
  };
  EXPECT_EQ(profile_.writes, expected);
  EXPECT_EQ(s.PrescanMode, 1);

  // What was saved loads back (the frame edge that did not fit is limited).
  ScanSettingsRecord back = InitialScanSettings();
  LoadScanSettings(profile_, m, back);
  EXPECT_EQ(Frame(back), (std::vector<int64_t>{5, 81, 1500, 9999}));
  EXPECT_EQ(Brightness(back), Brightness(s));
  EXPECT_EQ(Contrast(back), Contrast(s));
  EXPECT_EQ(Gamma(back), Gamma(s));
  EXPECT_EQ(back.DeviceResolution, 1200);
  EXPECT_EQ(back.ScanMode, 1013);
  EXPECT_EQ(back.AutoExposure, 1u);
  EXPECT_EQ(back.ScanSource, 3);
}

TEST_F(SettingsProfile, LanguageIsReadExactlyAndWrittenBack) {
  struct Case {
    const char* stored;  // nullptr: key missing
    uint16_t index;
  };
  const Case cases[] = {
      {nullptr, 0},   {"English", 0}, {"German", 1}, {"French", 2},  {"Italian", 3},
      {"Spanish", 4}, {"Dutch", 5},   {"Chinese", 6}, {"german", 0}, {"GERMAN", 0},
      {"Deutsch", 0}, {"", 0},        {"Dutch  ", 5},  // trailing blanks are not kept
  };
  for (const Case& c : cases) {
    FakeProfile profile;
    if (c.stored != nullptr) profile.Set(PROFILE_GLOBAL_SECTION, "LANGUAGE", c.stored);
    LanguageIndex = 9;
    LanguageOffset = 9;
    EXPECT_EQ(LoadLanguage(profile, PROFILE_GLOBAL_SECTION), c.index);
    EXPECT_EQ(LanguageIndex, c.index) << (c.stored ? c.stored : "(none)");
    EXPECT_EQ(LanguageOffset, c.index * 1000u);
    ASSERT_EQ(profile.reads.size(), 1u);
    EXPECT_EQ(profile.reads[0].size, 256u);

    // A save writes the same name back; an index out of range is English.
    ScanSettingsRecord s = InitialScanSettings();
    SaveScanSettings(profile, SettingsFrame{78, 81, 150, 145}, s);
    char name[16];
    profile.Read(PROFILE_GLOBAL_SECTION, "LANGUAGE", "", name, sizeof name);
    EXPECT_STREQ(name, LanguageName(c.index));
  }
  EXPECT_STREQ(LanguageName(7), "English");
  EXPECT_STREQ(LanguageName(6), "Chinese");
}

TEST_F(SettingsProfile, SectionNameFollowsTheOpticalResolution) {
  struct Case {
    uint16_t optical;
    const char* key;    // the model key set in the profile, or nullptr
    const char* value;
    const char* expected;
  };
  const std::string longName(70, 'x');
  const Case cases[] = {
      {600, nullptr, nullptr, "T40 IV N"},
      {600, "06000", "Model 600", "Model 600"},
      {606, "06060", "Model 606", "Model 606"},
      {800, "08000", "Model 800", "Model 800"},
      {1200, "12000", "Model 1200", "Model 1200"},
      {1200, "06000", "Model 600", "T40 IV N"},
      {700, "06000", "Model 600", "Model 600"},
      {600, "06000", longName.c_str(), nullptr},  // cut to 65 characters
  };
  for (const Case& c : cases) {
    FakeProfile profile;
    if (c.key != nullptr) profile.Set(PROFILE_GLOBAL_SECTION, c.key, c.value);
    OpticalResolution = c.optical;
    char name[100];
    const size_t length = GetSettingsSectionName(profile, name, sizeof name);
    const std::string expected = c.expected != nullptr ? c.expected : std::string(65, 'x');
    EXPECT_EQ(name, expected) << c.optical;
    EXPECT_EQ(length, expected.size());
  }
}

TEST_F(SettingsProfile, GlobalKeysUseTheirDefaultsAndSizes) {
  const char* const g = PROFILE_GLOBAL_SECTION;
  struct Case {
    const char* key;  // key stored before the read, or nullptr
    const char* value;
    std::function<size_t(FakeProfile&, char*, size_t)> get;
    size_t bufferSize;
    const char* expected;
  };
  const std::string longVersion(40, 'v');
  auto brand = [g](FakeProfile& p, char* b, size_t n) { return GetBrand(p, g, b, n); };
  auto dsName = [g](FakeProfile& p, char* b, size_t n) { return GetDsName(p, g, b, n); };
  auto version = [g](FakeProfile& p, char* b, size_t n) { return GetVersionText(p, g, b, n); };
  auto dsLanguage = [g](FakeProfile& p, char* b, size_t n) { return GetDsLanguage(p, g, b, n); };
  auto slow = [g](FakeProfile& p, char* b, size_t n) { return GetSlowSpeedVer(p, g, b, n); };
  auto driver = [g](FakeProfile& p, char* b, size_t n) {
    return GetDriverPath(p, g, "C:\\WINDOWS", b, n);
  };
  const Case cases[] = {
      {nullptr, nullptr, brand, 64, "Korvan "},
      {"BRAND", "", brand, 64, ""},
      {"BRAND", "Acme  ", brand, 64, "Acme "},
      {"BRAND", "Acme", brand, 5, "Acme"},
      {nullptr, nullptr, dsName, 64, "F/B Scanner (N)"},
      {"DSNAME", "Photo Scanner", dsName, 64, "Photo Scanner"},
      {nullptr, nullptr, version, 64, "V1.0"},
      {"VERSION", longVersion.c_str(), version, 64, nullptr},  // 33 characters
      {nullptr, nullptr, dsLanguage, 64, "None"},
      {"DSLANGUAGE", "english", dsLanguage, 64, "english"},
      {nullptr, nullptr, slow, 64, "No"},
      {"SLOWSPEEDVER", "Yes", slow, 64, "Yes"},
      {nullptr, nullptr, driver, 64, "C:\\WINDOWS\\TWAIN_32\\PLNX_Q7B\\PLNX_Q7B.IOB"},
      {"DRIVER", "KASPI_SP.DLL", driver, 64, "C:\\WINDOWS\\TWAIN_32\\PLNX_Q7B\\KASPI_SP.DLL"},
      {nullptr, nullptr, driver, 20, ""},  // does not fit: no path at all
  };
  for (const Case& c : cases) {
    FakeProfile profile;
    if (c.key != nullptr) profile.Set(g, c.key, c.value);
    char buffer[64];
    memset(buffer, 'Z', sizeof buffer);
    const size_t length = c.get(profile, buffer, c.bufferSize);
    const std::string expected = c.expected != nullptr ? c.expected : std::string(33, 'v');
    EXPECT_EQ(buffer, expected) << (c.key ? c.key : "default") << " " << c.bufferSize;
    EXPECT_EQ(length, expected.size());
  }
}

TEST_F(SettingsProfile, WarmupTicksAreMillisecondsFromAShortKey) {
  struct Case {
    const char* stored;
    uint32_t ticks;
  };
  const Case cases[] = {
      {nullptr, 1000}, {"250", 250}, {"123456", 12345}, {"abc", 0}, {"-5", 0}, {"", 0},
  };
  for (const Case& c : cases) {
    FakeProfile profile;
    if (c.stored != nullptr) profile.Set(PROFILE_GLOBAL_SECTION, "WARMUPTICKS", c.stored);
    EXPECT_EQ(GetWarmupTicks(profile, PROFILE_GLOBAL_SECTION), c.ticks)
        << (c.stored ? c.stored : "(none)");
  }
}

}  // namespace
