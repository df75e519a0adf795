// The source's global keys in the profile section [PLNINFO_Q7B]: language,
// maker and product names, port driver, tuning keys and the name of the
// per-model settings section.
#ifndef PLNX_GLOBAL_KEYS_H
#define PLNX_GLOBAL_KEYS_H

#include <stddef.h>
#include <stdint.h>

#include "settings/profile_access.h"

#define PROFILE_GLOBAL_SECTION "PLNINFO_Q7B"

// Read buffer sizes of the keys that have one.
#define LANGUAGE_VALUE_SIZE 256
#define SETTINGS_SECTION_SIZE 66
#define VERSION_VALUE_SIZE 34
#define WARMUPTICKS_VALUE_SIZE 6

// Profile name of a language index ("English" for an unknown index).
const char* LanguageName(uint32_t index);
// Index of a profile language name: exact, case-sensitive; any other name
// is English (0).
uint16_t LanguageFromName(const char* name);

// Reads LANGUAGE from section and sets LanguageIndex and LanguageOffset.
uint16_t LoadLanguage(ProfileAccess& profile, const char* section);

// The per-model settings section named by the model key of
// OpticalResolution ("06000", "06060", "08000", "12000"; "06000" for any
// other class), default "T40 IV N", at most SETTINGS_SECTION_SIZE bytes and
// never more than size. Returns the length.
size_t GetSettingsSectionName(ProfileAccess& profile, char* buffer, size_t size);

// The BRAND value followed by one blank, or nothing for an empty value.
size_t GetBrand(ProfileAccess& profile, const char* section, char* buffer, size_t size);
// DSNAME.
size_t GetDsName(ProfileAccess& profile, const char* section, char* buffer, size_t size);
// windowsDir + "\TWAIN_32\PLNX_Q7B\" + DRIVER; an empty buffer and 0 when the
// path does not fit.
size_t GetDriverPath(ProfileAccess& profile, const char* section, const char* windowsDir,
                     char* buffer, size_t size);
// VERSION, at most VERSION_VALUE_SIZE bytes.
size_t GetVersionText(ProfileAccess& profile, const char* section, char* buffer, size_t size);
// DSLANGUAGE.
size_t GetDsLanguage(ProfileAccess& profile, const char* section, char* buffer, size_t size);
// SLOWSPEEDVER.
size_t GetSlowSpeedVer(ProfileAccess& profile, const char* section, char* buffer, size_t size);
// WARMUPTICKS in milliseconds, read with a WARMUPTICKS_VALUE_SIZE buffer;
// non-numeric and negative values give 0.
uint32_t GetWarmupTicks(ProfileAccess& profile, const char* section);

#endif
