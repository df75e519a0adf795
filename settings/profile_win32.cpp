#include "settings/profile_win32.h"

#include <windows.h>

#include "settings/profile_fields.h"

namespace {

class WinIni final : public ProfileAccess {
 public:
  size_t Read(const char* section, const char* key, const char* def, char* buf,
              size_t size) override {
    if (buf == nullptr || size == 0) return 0;
    if (section == nullptr || section[0] == '\0' || key == nullptr)
      return CopyProfileText(def, buf, size);
    const DWORD limit = size > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<DWORD>(size);
    return GetProfileStringA(section, key, def != nullptr ? def : "", buf, limit);
  }

  void Write(const char* section, const char* key, const char* value) override {
    if (section == nullptr || section[0] == '\0' || key == nullptr) return;
    WriteProfileStringA(section, key, value);
  }
};

WinIni winIni;

}  // namespace

ProfileAccess& WinIniProfile() { return winIni; }

uint16_t LoadLanguage(const char* section) { return LoadLanguage(winIni, section); }

size_t GetSettingsSectionName(char* buffer, size_t size) {
  return GetSettingsSectionName(winIni, buffer, size);
}

void LoadScanSettings(const char* section) { LoadScanSettings(winIni, section, ScanSettings); }

void SaveScanSettings(const SettingsFrame& frame) { SaveScanSettings(winIni, frame, ScanSettings); }

size_t GetBrand(const char* section, char* buffer, size_t size) {
  return GetBrand(winIni, section, buffer, size);
}

size_t GetDsName(const char* section, char* buffer, size_t size) {
  return GetDsName(winIni, section, buffer, size);
}

size_t GetDriverPath(const char* section, const char* windowsDir, char* buffer, size_t size) {
  return GetDriverPath(winIni, section, windowsDir, buffer, size);
}

size_t GetVersionText(const char* section, char* buffer, size_t size) {
  return GetVersionText(winIni, section, buffer, size);
}

size_t GetDsLanguage(const char* section, char* buffer, size_t size) {
  return GetDsLanguage(winIni, section, buffer, size);
}

size_t GetSlowSpeedVer(const char* section, char* buffer, size_t size) {
  return GetSlowSpeedVer(winIni, section, buffer, size);
}

uint32_t GetWarmupTicks(const char* section) { return GetWarmupTicks(winIni, section); }
