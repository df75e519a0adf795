#include "simulator/simulator_config.h"

#include <string.h>

void DefaultSimulatorConfig(SimulatorConfig* config) {
    memset(config, 0, sizeof *config);
    memcpy(config->Firmware, "1.07", 5);
    memcpy(config->ModelPrefix, "PLN-", 5);
    memcpy(config->ModelDigits, "06007", 6);
    config->FeederColor = 1;
    config->PortMode = 2;
    config->PortNumber = 1;
    config->AddrChkResult = 0x378;
    config->RingBlocks = 4;
}

uint32_t ParseConfigNumber(const char* text, uint32_t fallback) {
    if (!text) return fallback;
    while (*text == ' ' || *text == '\t') ++text;
    unsigned base = 10;
    if (text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text += 2;
    }
    uint64_t value = 0;
    int digits = 0;
    for (;; ++text, ++digits) {
        unsigned d;
        char c = *text;
        if (c >= '0' && c <= '9') d = (unsigned)(c - '0');
        else if (base == 16 && c >= 'a' && c <= 'f') d = (unsigned)(c - 'a' + 10);
        else if (base == 16 && c >= 'A' && c <= 'F') d = (unsigned)(c - 'A' + 10);
        else break;
        value = value * base + d;
        if (value > 0xffffffffULL) return fallback;
    }
    while (*text == ' ' || *text == '\t') ++text;
    if (digits == 0 || *text) return fallback;
    return (uint32_t)value;
}
