// The configuration read from WIN.INI through the profile functions.
#include <windows.h>

#include "simulator/simulator_config.h"

namespace {

// A present key replaces the default, even when its value is empty (an
// empty Firmware gives zero revision bytes).
void ReadText(const char* key, char* value, DWORD size) {
    static const char Absent[] = "\x01";
    char buffer[CONFIG_PATH_SIZE];
    GetProfileStringA(SIMULATOR_SECTION, key, Absent, buffer, sizeof buffer);
    if (lstrcmpA(buffer, Absent) == 0) return;
    ZeroMemory(value, size);  // a shorter text leaves zero bytes after it
    lstrcpynA(value, buffer, (int)size);
}

uint32_t ReadNumber(const char* key, uint32_t fallback) {
    char buffer[64];
    GetProfileStringA(SIMULATOR_SECTION, key, "", buffer, sizeof buffer);
    return ParseConfigNumber(buffer, fallback);
}

}  // namespace

void LoadSimulatorConfig(SimulatorConfig* config) {
    DefaultSimulatorConfig(config);
    ReadText("Firmware", config->Firmware, sizeof config->Firmware);
    ReadText("ModelPrefix", config->ModelPrefix, sizeof config->ModelPrefix);
    ReadText("ModelDigits", config->ModelDigits, sizeof config->ModelDigits);
    config->FeederColor = ReadNumber("FeederColor", config->FeederColor);
    config->FilmSources = ReadNumber("FilmSources", config->FilmSources);
    config->FeederInstalled = ReadNumber("FeederInstalled", config->FeederInstalled);
    config->PaperLoaded = ReadNumber("PaperLoaded", config->PaperLoaded);
    config->FeederPages = ReadNumber("FeederPages", config->FeederPages);
    config->PortMode = (uint16_t)ReadNumber("PortMode", config->PortMode);
    config->PortNumber = (uint16_t)ReadNumber("PortNumber", config->PortNumber);
    config->NotReady = ReadNumber("NotReady", config->NotReady);
    config->AddrChkResult = ReadNumber("AddrChkResult", config->AddrChkResult);

    ReadText("PageFile", config->PageFile, sizeof config->PageFile);
    config->RingBlocks = ReadNumber("RingBlocks", config->RingBlocks);
    config->BufAddrFail = ReadNumber("BufAddrFail", config->BufAddrFail);
    config->SetParamsStatus = ReadNumber("SetParamsStatus", config->SetParamsStatus);
    config->ReadStatus = ReadNumber("ReadStatus", config->ReadStatus);
    config->ReadStatusAfter = ReadNumber("ReadStatusAfter", config->ReadStatusAfter);
    config->ReadBusy = ReadNumber("ReadBusy", config->ReadBusy);
    config->ReadBusyAtLine = ReadNumber("ReadBusyAtLine", config->ReadBusyAtLine);
    config->LineDelayMicros = ReadNumber("LineDelayMicros", config->LineDelayMicros);

    ReadText("RecordDir", config->RecordDir, sizeof config->RecordDir);
}
