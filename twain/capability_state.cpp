#include "twain/capability_state.h"

uint16_t XferMechIndex = 2;
uint16_t PixelTypeIndex = 2;
uint16_t UnitsIndex = 0;
uint16_t ResolutionIndex = 1;
uint16_t FileFormatIndex = 0;
uint16_t SupportedSizeIndex = 0;
int32_t CapBrightness = 0;
int32_t CapContrast = 0;
uint32_t AutoFeed = 0;
uint32_t FeederQueried = 0;

void ResetCapabilityState() {
    SupportedSizeIndex = 0;
    FileFormatIndex = 0;
    CapBrightness = 0;
    UnitsIndex = 0;
    CapContrast = 0;
    XferMechIndex = 2;
    ResolutionIndex = 1;
    PixelTypeIndex = 2;
}
