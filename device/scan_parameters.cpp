#include "device/scan_parameters.h"

#include "device/command_blocks.h"
#include "device/device_flags.h"

namespace {

bool EqualsIgnoringCase(const char* a, const char* b) {
    for (;; ++a, ++b) {
        char ca = *a;
        char cb = *b;
        if (ca >= 'a' && ca <= 'z') ca = (char)(ca - 'a' + 'A');
        if (cb >= 'a' && cb <= 'z') cb = (char)(cb - 'a' + 'A');
        if (ca != cb) return false;
        if (ca == 0) return true;
    }
}

uint16_t ClampU16(int value) {
    if (value < 0) return 0;
    if (value > 0xFFFF) return 0xFFFF;
    return (uint16_t)value;
}

bool AcceptableLineLength(int length) {
    const int magnitude = length < 0 ? -length : length;
    return magnitude % 4 == 0 && magnitude % 128 != 0;
}

}  // namespace

uint8_t ImageTypeCode(uint16_t scanMode) {
    switch (scanMode) {
    case SCAN_MODE_LINEART: return IMAGE_TYPE_LINEART;
    case SCAN_MODE_HALFTONE: return IMAGE_TYPE_HALFTONE;
    case SCAN_MODE_GRAY: return IMAGE_TYPE_GRAY;
    default: return IMAGE_TYPE_COLOR;
    }
}

int ComputeDeviceResolution(int resolution, int scalingPercent, uint16_t scanMode,
                            bool nativeTransfer, uint16_t& deviceResolution) {
    int r = resolution * scalingPercent / 100;
    if (!nativeTransfer) DoubleRes = r > 600 ? 1 : 0;
    if (DoubleRes) r = resolution / 2;
    if (r > 600) r = 600;

    int target = r;
    if (r > 300 && (scanMode == SCAN_MODE_GRAY || scanMode == SCAN_MODE_COLOR)) {
        DriverResample = 1;
        target = r < 600 ? r : 600;
        r = 300;
    } else {
        DriverResample = 0;
    }
    deviceResolution = ClampU16(r);
    return target;
}

int FramePixelCount(int width, int r) {
    // Digital differential analyser across the width, one step per 1/600 inch.
    int accumulator = 600;
    int pixels = 0;
    for (int step = 0; step < width; ++step) {
        accumulator += r;
        while (accumulator > 600) {
            accumulator -= 600;
            ++pixels;
        }
    }
    return pixels;
}

int FrameLineLength(int width, int r, uint16_t scanMode) {
    const int pixels = FramePixelCount(width, r);
    if (scanMode == SCAN_MODE_LINEART || scanMode == SCAN_MODE_HALFTONE) return pixels / 8;
    return pixels - 2;
}

void ApplyFrameWidthRule(int left, int& right, int r, uint16_t scanMode) {
    while (right > left && !AcceptableLineLength(FrameLineLength(right - left, r, scanMode)))
        --right;
}

uint8_t SlowModeNibble(const char* dsLanguage, uint16_t scanMode, uint8_t scanSource) {
    if (dsLanguage == nullptr) dsLanguage = "None";
    if (EqualsIgnoringCase(dsLanguage, "English")) return 0;
    if (scanMode != SCAN_MODE_LINEART && scanMode != SCAN_MODE_GRAY) return 0;
    if (scanSource == SCAN_SOURCE_FEEDER) return 0;
    return SPEED_SLOW;
}

bool SlowModeWaitRequired(const char* slowSpeedVer, const char* dsLanguage, uint16_t scanMode,
                          uint8_t scanSource) {
    if (slowSpeedVer == nullptr) slowSpeedVer = "No";
    return !EqualsIgnoringCase(slowSpeedVer, "No") &&
           SlowModeNibble(dsLanguage, scanMode, scanSource) == SPEED_SLOW;
}

uint8_t SetSpeedNibble(uint8_t velocity, uint8_t speed) {
    return (uint8_t)((velocity & 0xF0) | (speed & 0x0F));
}

uint8_t MergeTransparencyBits(uint8_t velocity, uint32_t extendedOptions, uint32_t filmType) {
    if (!extendedOptions) return velocity;
    const uint32_t negative = (filmType >> 16) != 0 ? 1 : 0;
    const uint32_t film = filmType & 0xFFFF;
    return (uint8_t)(velocity | (uint8_t)(((negative * 8) | film) * 16));
}

void BuildScanParamBlock(const ScanFrame& frame, const ScanSettingsRecord& settings,
                         uint8_t* block) {
    PutU16(block, SP_LEFT, ClampU16(frame.Left));
    PutU16(block, SP_TOP, ClampU16(frame.Top));
    PutU16(block, SP_RIGHT, ClampU16(frame.Right));
    PutU16(block, SP_BOTTOM, ClampU16(frame.Bottom));
    block[SP_SOURCE] = settings.ScanSource;
    block[SP_ONE] = 1;
    block[SP_IMAGE_TYPE] = ImageTypeCode(settings.ScanMode);
    block[SP_VELOCITY] = settings.Velocity;
    PutU16(block, SP_RESOLUTION, settings.DeviceResolution);
}

int PrepareScanParamBlock(ScanFrame& frame, ScanSettingsRecord& settings, bool nativeTransfer) {
    const int target = ComputeDeviceResolution(settings.ScanResolution, settings.ScalingPercent,
                                               settings.ScanMode, nativeTransfer,
                                               settings.DeviceResolution);
    ApplyFrameWidthRule(frame.Left, frame.Right, settings.DeviceResolution, settings.ScanMode);
    BuildScanParamBlock(frame, settings, ScanParamBlock);
    return target;
}
