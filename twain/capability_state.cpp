#include "twain/capability_state.h"

#include "twain/capability_tables.h"

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
uint32_t PostProcess = 0;

void ResetCapabilityIndexes() {
    ResolutionIndex = ResolutionTable.ResetIndex;
    XferMechIndex = XferMechTable.ResetIndex;
    PixelTypeIndex = PixelTypeTable.ResetIndex;
    SupportedSizeIndex = SupportedSizeTable.ResetIndex;
    UnitsIndex = UnitsTable.ResetIndex;
    FileFormatIndex = FileFormatTable.ResetIndex;
}

void ResetCapabilityState() {
    ResetCapabilityIndexes();
    CapBrightness = 0;
    CapContrast = 0;
}
