#include "simulator/scanner_device.h"

#include <string.h>

#include "device/block_layout.h"
#include "simulator/block_fields.h"
#include "simulator/scan_transfer.h"

namespace {

struct CommandInfo {
    uint32_t code;
    const char* name;
    size_t size;
};

const CommandInfo Commands[] = {
    {SPI_INQUIRE, "SPI_INQUIRE", INQ_BLOCK_SIZE},
    {SPI_SET_PARAMS, "SPI_SET_PARAMS", SP_BLOCK_SIZE},
    {SPI_SEND_TONE, "SPI_SEND_TONE", TONE_BLOCK_SIZE},
    {SPI_START_SCAN, "SPI_START_SCAN", GEO_BLOCK_SIZE},
    {SPI_ABORT, "SPI_ABORT", CONTROL_BLOCK_SIZE},
    {SPI_READ, "SPI_READ", RD_BLOCK_SIZE},
    {SPI_FINISH, "SPI_FINISH", CONTROL_BLOCK_SIZE},
    {SPI_STRETCH_COLOR, "SPI_STRETCH_COLOR", ST_BLOCK_SIZE},
    {SPI_STRETCH_GRAY, "SPI_STRETCH_GRAY", ST_BLOCK_SIZE},
    {SPI_POWER, "SPI_POWER", POWER_BLOCK_SIZE},
};

const CommandInfo* Find(uint32_t code) {
    for (const CommandInfo& c : Commands)
        if (c.code == code) return &c;
    return nullptr;
}

// The four reference levels of the lamp (white and black, two channels), as
// the scanner stores them.
const uint16_t ReferenceLevels[4] = {0x00f0, 0x0010, 0x00e8, 0x0018};

uint16_t Inquire(ScannerDevice& device, uint8_t* block) {
    const SimulatorConfig& c = device.config;
    memcpy(block + INQ_FIRMWARE, c.Firmware, 4);
    memcpy(block + INQ_MODEL_PREFIX, c.ModelPrefix, 4);
    memcpy(block + INQ_MODEL_DIGITS, c.ModelDigits, 5);
    block[INQ_FEEDER_COLOR] = c.FeederColor ? 0x40 : 0x00;
    for (int i = 0; i < 4; ++i) SetField16(block, INQ_REF_LEVELS + 2 * i, ReferenceLevels[i]);
    block[INQ_EXTENDED] = c.FilmSources ? 1 : 0;
    block[INQ_FEEDER] = c.FeederInstalled ? 1 : 0;
    block[INQ_PAPER] = FeederHasPaper(device) ? 1 : 0;
    SetField16(block, INQ_PORT_MODE, c.PortMode);
    SetField16(block, INQ_PORT_NUMBER, c.PortNumber);
    if (c.NotReady) return c.NotReady == 1 ? STATUS_NOT_READY : (uint16_t)c.NotReady;
    return device.power == 0 ? 0 : STATUS_NOT_READY;
}

uint16_t Power(ScannerDevice& device, const uint8_t* block) {
    uint8_t state = block[POWER_STATE];
    if (state > 1) return STATUS_BAD_PARAMETER;
    device.power = state;
    if (state == 1) device.scanning = false;
    return 0;
}

uint16_t SetParameters(ScannerDevice& device, const uint8_t* block) {
    device.paramsSet = false;
    device.scanning = false;
    if (device.config.SetParamsStatus) return (uint16_t)device.config.SetParamsStatus;

    ScanParameters p;
    p.frame.left = Field16(block, SP_LEFT);
    p.frame.top = Field16(block, SP_TOP);
    p.frame.right = Field16(block, SP_RIGHT);
    p.frame.bottom = Field16(block, SP_BOTTOM);
    p.source = block[SP_SOURCE];
    p.type = block[SP_IMAGE_TYPE];
    p.velocity = block[SP_VELOCITY];
    p.resolution = Field16(block, SP_RESOLUTION);

    if (block[SP_ONE] != 1 || p.type > IMAGE_COLOR || p.resolution < 1 || p.resolution > OPTICAL_DPI)
        return STATUS_BAD_PARAMETER;
    switch (p.source) {
    case SOURCE_REFLECTIVE: break;
    case SOURCE_FILM:
        if (!device.config.FilmSources) return STATUS_BAD_PARAMETER;
        break;
    case SOURCE_FEEDER_CAP:
    case SOURCE_FEEDER:
        if (!device.config.FeederInstalled) return STATUS_BAD_PARAMETER;
        if (!FeederHasPaper(device)) return STATUS_NO_PAPER;
        break;
    default: return STATUS_BAD_PARAMETER;
    }
    // A frame may reach past the bed (the default frame of an acquisition
    // without the dialog is 295 mm long): what lies beyond it scans white.
    if (p.frame.right < p.frame.left || p.frame.bottom < p.frame.top) return STATUS_BAD_PARAMETER;
    device.params = p;
    device.paramsSet = true;
    return 0;
}

}  // namespace

void OpenDevice(ScannerDevice* device, const SimulatorConfig& config) {
    device->config = config;
    device->power = 1;
    ResetToneTables(&device->tones);
    device->paramsSet = false;
    device->feederPagesTaken = 0;
    device->scanning = false;
    device->linesSent = 0;
    device->ring = Ring();
    device->work.clear();
    device->work.shrink_to_fit();
}

bool FeederHasPaper(const ScannerDevice& device) {
    const SimulatorConfig& c = device.config;
    return c.FeederInstalled && c.PaperLoaded && (c.FeederPages == 0 || device.feederPagesTaken < c.FeederPages);
}

uint16_t DeviceCommand(ScannerDevice& device, uint8_t* block, uint32_t code, uint32_t* linesSent) {
    if (linesSent) *linesSent = 0;
    uint16_t status;
    switch (code) {
    case SPI_INQUIRE: status = Inquire(device, block); break;
    case SPI_SET_PARAMS: status = SetParameters(device, block); break;
    case SPI_SEND_TONE: status = LoadToneTables(block, &device.tones) ? 0 : STATUS_BAD_PARAMETER; break;
    case SPI_START_SCAN: status = StartScan(device, block); break;
    case SPI_READ: status = ReadScanLines(device, block, linesSent); break;
    case SPI_STRETCH_COLOR: status = StretchScanLines(device, block, 3); break;
    case SPI_STRETCH_GRAY: status = StretchScanLines(device, block, 1); break;
    case SPI_ABORT:
    case SPI_FINISH:
        device.scanning = false;
        status = 0;
        break;
    case SPI_POWER: status = Power(device, block); break;
    default: status = STATUS_UNKNOWN_COMMAND; break;
    }
    SetField16(block, BLOCK_STATUS, status);
    return status;
}

size_t CommandBlockSize(uint32_t code) {
    const CommandInfo* c = Find(code);
    return c ? c->size : 0;
}

const char* CommandName(uint32_t code) {
    const CommandInfo* c = Find(code);
    return c ? c->name : nullptr;
}
