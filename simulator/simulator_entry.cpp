// The port driver's three exports. The simulator behaves as a flatbed
// scanner on the parallel port: it answers power and inquiry commands from
// its configuration.
#include <string.h>
#include <windows.h>

#include "device/block_layout.h"
#include "simulator/simulator_config.h"

namespace {

void PutU16(uint8_t* block, int offset, uint16_t value) {
    block[offset] = (uint8_t)value;
    block[offset + 1] = (uint8_t)(value >> 8);
}

void SetStatus(uint8_t* block, uint16_t status) { PutU16(block, BLOCK_STATUS, status); }

uint8_t PowerState = 1;  // idle until woken

void AnswerInquiry(uint8_t* block) {
    memcpy(block + INQ_FIRMWARE, Config.Firmware, 4);
    memcpy(block + INQ_MODEL_PREFIX, Config.ModelPrefix, 4);
    memcpy(block + INQ_MODEL_DIGITS, Config.ModelDigits, 5);
    block[INQ_FEEDER_COLOR] = Config.FeederColor ? 0x40 : 0x00;
    // Four reference levels, white and black of the lamp, as raw byte pairs.
    static const uint16_t levels[4] = {0x00f0, 0x0010, 0x00e8, 0x0018};
    for (int i = 0; i < 4; ++i) PutU16(block, INQ_REF_LEVELS + 2 * i, levels[i]);
    block[INQ_EXTENDED] = Config.FilmSources ? 1 : 0;
    block[INQ_FEEDER] = Config.FeederInstalled ? 1 : 0;
    block[INQ_PAPER] = (Config.FeederInstalled && Config.PaperLoaded) ? 1 : 0;
    PutU16(block, INQ_PORT_MODE, Config.PortMode);
    PutU16(block, INQ_PORT_NUMBER, Config.PortNumber);
    SetStatus(block, (Config.NotReady || PowerState != 0) ? 0x8001 : 0);
}

}  // namespace

extern "C" uint32_t WINAPI ADDR_CHK() {
    LoadSimulatorConfig();
    PowerState = 1;
    return Config.AddrChkResult;
}

extern "C" uint32_t WINAPI SPI_CALL(void* block, uint32_t handle, uint32_t code) {
    uint8_t* b = static_cast<uint8_t*>(block);
    if (!b) return 0;
    switch (code) {
    case SPI_POWER:
        PowerState = b[POWER_STATE];
        SetStatus(b, 0);
        break;
    case SPI_INQUIRE: AnswerInquiry(b); break;
    default: SetStatus(b, 0x8000); break;  // not understood
    }
    return 0;
}

extern "C" uint32_t WINAPI BUF_ADDR(void* buffer, uint32_t size, void* table) { return 0; }
