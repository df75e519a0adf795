// The simulator's configuration: its own section of WIN.INI, read when the
// device is opened (ADDR_CHK), so tests and demos can shape the scanner.
#ifndef PLNX_SIMULATOR_CONFIG_H
#define PLNX_SIMULATOR_CONFIG_H

#include <stdint.h>

#define SIMULATOR_SECTION "PLNX_Q7B Simulator"

struct SimulatorConfig {
    char Firmware[5];        // firmware revision, 4 characters
    char ModelPrefix[5];     // "PLN-"
    char ModelDigits[6];     // 5 digits
    uint32_t FeederInstalled;
    uint32_t PaperLoaded;
    uint32_t FilmSources;    // offers the transparency sources
    uint32_t FeederColor;    // byte 67 bit 6
    uint32_t NotReady;       // inquiry status non-zero
    uint16_t PortMode;       // 0 nibble, 1 uni, 2 bi, 3 EPP
    uint16_t PortNumber;
    uint32_t AddrChkResult;  // value ADDR_CHK returns
};

extern SimulatorConfig Config;

void LoadSimulatorConfig();

#endif
