// Reading and writing the scan settings in the per-model profile section.
#ifndef PLNX_SETTINGS_PROFILE_H
#define PLNX_SETTINGS_PROFILE_H

#include <stdint.h>

#include "settings/profile_access.h"
#include "settings/scan_settings.h"

// The dialog's frame rectangle as saved to the profile.
struct SettingsFrame {
  int32_t Left;
  int32_t Top;
  int32_t Right;
  int32_t Bottom;
};

// Reads every key of the per-model section into settings, each with its
// default, read buffer size and field layout, then applies the ScanSource
// rule. An empty section name matches no section: every field takes its
// default.
void LoadScanSettings(ProfileAccess& profile, const char* section, ScanSettingsRecord& settings);

// Writes LANGUAGE to [PLNINFO_Q7B] and the settings, with frame in place of
// the record's frame, to the per-model section. Sets PrescanMode to 1.
void SaveScanSettings(ProfileAccess& profile, const SettingsFrame& frame,
                      ScanSettingsRecord& settings);

// "Gamma Size" (limited to GAMMA_CODES_MAX) and "Gamma code" of section into
// GammaCodeCount and GammaCodes; also used for the settings files.
void LoadGammaCodes(ProfileAccess& profile, const char* section, ScanSettingsRecord& settings);

#endif
