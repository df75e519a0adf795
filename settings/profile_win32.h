// The settings profile on WIN.INI: the global keys of [PLNINFO_Q7B] and the
// scan settings of the per-model section, read and written through the
// Windows profile functions.
#ifndef PLNX_PROFILE_WIN32_H
#define PLNX_PROFILE_WIN32_H

#include <stddef.h>
#include <stdint.h>

#include "settings/global_keys.h"
#include "settings/settings_profile.h"

// WIN.INI as a ProfileAccess (GetProfileStringA / WriteProfileStringA).
ProfileAccess& WinIniProfile();

// Sets LanguageIndex and LanguageOffset from LANGUAGE in section.
uint16_t LoadLanguage(const char* section);
// The per-model section name (buffer of SETTINGS_SECTION_SIZE bytes or less).
size_t GetSettingsSectionName(char* buffer, size_t size);
// Loads ScanSettings from section; "" resets every field to its default.
void LoadScanSettings(const char* section);
// Saves ScanSettings with the dialog's frame rectangle, and LANGUAGE.
void SaveScanSettings(const SettingsFrame& frame);

size_t GetBrand(const char* section, char* buffer, size_t size);
size_t GetDsName(const char* section, char* buffer, size_t size);
size_t GetDriverPath(const char* section, const char* windowsDir, char* buffer, size_t size);
size_t GetVersionText(const char* section, char* buffer, size_t size);
size_t GetDsLanguage(const char* section, char* buffer, size_t size);
size_t GetSlowSpeedVer(const char* section, char* buffer, size_t size);
uint32_t GetWarmupTicks(const char* section);

#endif
