#include "settings/global_keys.h"

#include <stdio.h>
#include <string.h>

#include "device/device_flags.h"
#include "settings/profile_fields.h"
#include "settings/scan_settings.h"

namespace {

const char* const kLanguageNames[LANGUAGE_COUNT] = {
    "English", "German", "French", "Italian", "Spanish", "Dutch", "Chinese"};

size_t Limit(size_t size, size_t limit) { return size < limit ? size : limit; }

size_t ReadKey(ProfileAccess& profile, const char* section, const char* key, const char* def,
               char* buffer, size_t size) {
  if (buffer == nullptr || size == 0) return 0;
  buffer[0] = '\0';
  return profile.Read(section, key, def, buffer, size);
}

}  // namespace

const char* LanguageName(uint32_t index) {
  return index < LANGUAGE_COUNT ? kLanguageNames[index] : kLanguageNames[0];
}

uint16_t LanguageFromName(const char* name) {
  for (uint16_t i = 0; i < LANGUAGE_COUNT; ++i) {
    if (strcmp(name, kLanguageNames[i]) == 0) return i;
  }
  return 0;
}

uint16_t LoadLanguage(ProfileAccess& profile, const char* section) {
  char value[LANGUAGE_VALUE_SIZE];
  ReadKey(profile, section, "LANGUAGE", "English", value, sizeof value);
  LanguageIndex = LanguageFromName(value);
  LanguageOffset = LanguageIndex * 1000u;
  return LanguageIndex;
}

size_t GetSettingsSectionName(ProfileAccess& profile, char* buffer, size_t size) {
  const char* key = "06000";
  switch (OpticalResolution) {
    case 606: key = "06060"; break;
    case 800: key = "08000"; break;
    case 1200: key = "12000"; break;
    default: break;
  }
  return ReadKey(profile, PROFILE_GLOBAL_SECTION, key, "T40 IV N", buffer,
                 Limit(size, SETTINGS_SECTION_SIZE));
}

size_t GetBrand(ProfileAccess& profile, const char* section, char* buffer, size_t size) {
  size_t length = ReadKey(profile, section, "BRAND", "Korvan", buffer, size);
  if (length > 0 && length + 1 < size) {
    buffer[length++] = ' ';
    buffer[length] = '\0';
  }
  return length;
}

size_t GetDsName(ProfileAccess& profile, const char* section, char* buffer, size_t size) {
  return ReadKey(profile, section, "DSNAME", "F/B Scanner (N)", buffer, size);
}

size_t GetDriverPath(ProfileAccess& profile, const char* section, const char* windowsDir,
                     char* buffer, size_t size) {
  if (buffer == nullptr || size == 0) return 0;
  char driver[260];
  ReadKey(profile, section, "DRIVER", "PLNX_Q7B.IOB", driver, sizeof driver);
  const int length = snprintf(buffer, size, "%s\\TWAIN_32\\PLNX_Q7B\\%s",
                              windowsDir != nullptr ? windowsDir : "", driver);
  if (length < 0 || static_cast<size_t>(length) >= size) {
    buffer[0] = '\0';
    return 0;
  }
  return static_cast<size_t>(length);
}

size_t GetVersionText(ProfileAccess& profile, const char* section, char* buffer, size_t size) {
  return ReadKey(profile, section, "VERSION", "V1.0", buffer, Limit(size, VERSION_VALUE_SIZE));
}

size_t GetDsLanguage(ProfileAccess& profile, const char* section, char* buffer, size_t size) {
  return ReadKey(profile, section, "DSLANGUAGE", "None", buffer, size);
}

size_t GetSlowSpeedVer(ProfileAccess& profile, const char* section, char* buffer, size_t size) {
  return ReadKey(profile, section, "SLOWSPEEDVER", "No", buffer, size);
}

uint32_t GetWarmupTicks(ProfileAccess& profile, const char* section) {
  char value[WARMUPTICKS_VALUE_SIZE];
  ReadKey(profile, section, "WARMUPTICKS", "1000", value, sizeof value);
  const int32_t ticks = ParseDecimal(value, sizeof value);
  return ticks > 0 ? static_cast<uint32_t>(ticks) : 0;
}
