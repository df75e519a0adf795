#include "simulator/simulator_config.h"

#include <string.h>
#include <windows.h>

SimulatorConfig Config;

namespace {

uint32_t ReadNumber(const char* key, uint32_t def) {
    return GetProfileIntA(SIMULATOR_SECTION, key, (INT)def);
}

void ReadText(const char* key, const char* def, char* out, size_t size) {
    GetProfileStringA(SIMULATOR_SECTION, key, def, out, (DWORD)size);
}

}  // namespace

void LoadSimulatorConfig() {
    memset(&Config, 0, sizeof Config);
    ReadText("Firmware", "1.07", Config.Firmware, sizeof Config.Firmware);
    ReadText("ModelPrefix", "PLN-", Config.ModelPrefix, sizeof Config.ModelPrefix);
    ReadText("ModelDigits", "06007", Config.ModelDigits, sizeof Config.ModelDigits);
    Config.FeederInstalled = ReadNumber("FeederInstalled", 0);
    Config.PaperLoaded = ReadNumber("PaperLoaded", 0);
    Config.FilmSources = ReadNumber("FilmSources", 0);
    Config.FeederColor = ReadNumber("FeederColor", 1);
    Config.NotReady = ReadNumber("NotReady", 0);
    Config.PortMode = (uint16_t)ReadNumber("PortMode", 2);
    Config.PortNumber = (uint16_t)ReadNumber("PortNumber", 1);
    Config.AddrChkResult = ReadNumber("AddrChkResult", 0x378);
}
