// The acquisition without user interface: the settings last saved by the
// dialog, the negotiated capabilities and the layout make up the scan.
#include "twain/acquire_without_ui.h"

#include "device/device_flags.h"
#include "pipeline/colour_correction.h"
#include "pipeline/scan_start.h"
#include "pipeline/scan_state.h"
#include "settings/profile_win32.h"
#include "settings/scan_settings.h"
#include "twain/capability_state.h"
#include "twain/host_applications.h"
#include "twain/image_layout.h"
#include "twain/source_manager_notify.h"
#include "twain/source_state.h"

double ExpectedOutputWidth = 0;

namespace {

struct ScanSourceRecord {
    uint16_t OptionBits;
    uint16_t OptionFlag;
    uint16_t Source;
};

ScanSourceRecord ComputeScanSourceRecord() {
    ScanSourceRecord record = {0, 0, 0};
    if (ExtendedOptions) {
        record.OptionBits = (ScanSettings.Velocity >> 4) & 7;
        record.OptionFlag = (ScanSettings.Velocity >> 7) & 1;
        record.Source = ScanSettings.ScanSource;
    } else {
        if (ScanSettings.ScanSource == 3) FeederSelected = 1;
        ScanSettings.ScanSource = FeederSelected ? 3 : 0;
        record.Source = ScanSettings.ScanSource;
    }
    // The scan start puts the film bits back when the scanner has film.
    ScanSettings.Velocity &= 0x0f;
    return record;
}

int32_t OpticalResolutionDpi() {
    switch (OpticalResolution) {
    case 606: return 1200;
    case 800: return 800;
    case 1200: return 1200;
    default: return 600;
    }
}

uint16_t ResolutionFromIndex(uint16_t index) {
    static const uint16_t table[] = {75, 100, 150, 200, 300, 400, 500, 600};
    return index < 8 ? table[index] : 300;
}

int8_t ScaledCapability(int32_t value) { return (int8_t)(int32_t)((float)value * 0.127f); }

}  // namespace

void AcquireWithoutInterface() {
    BuildColourCorrection();
    char section[SETTINGS_SECTION_SIZE];
    GetSettingsSectionName(section, sizeof section);
    LoadScanSettings(section);

    int8_t brightness = ScaledCapability(CapBrightness);
    int8_t contrast = ScaledCapability(CapContrast);
    for (ToneSet& tone : ScanSettings.ToneSets) {
        tone.Brightness = brightness;
        tone.Contrast = contrast;
    }

    int32_t r = OpticalResolutionDpi();
    PixelFrame pixels = LayoutToPixelFrame(CurrentLayout, r);

    ScanSettings.ScanResolution = ResolutionFromIndex(ResolutionIndex);
    if (ResolutionIndex == 4 && IsFaxHost()) {
        ScanSettings.ScanResolution = 200;
        ScanSettings.DeviceResolution = 200;
    }
    ScanSettings.DpiScale = 0;
    ExpectedOutputWidth = (double)((pixels.Right - pixels.Left) * (int32_t)ScanSettings.ScanResolution / r);

    ScanSourceRecord record = ComputeScanSourceRecord();
    if (FeederInstalled) {
        ScanSettings.FilterMode = 2;  // pages come out of the feeder mirrored
        FeederSelected = 1;
        record.Source = 3;
    } else {
        FeederSelected = 0;
        record.Source = 0;
    }
    ScanSettings.ScanSource = (uint8_t)record.Source;

    switch (PixelTypeIndex) {
    case 0: ScanSettings.ScanMode = 1011; break;
    case 2: ScanSettings.ScanMode = 1014; break;
    default: ScanSettings.ScanMode = 1013; break;
    }
    ScanSettings.ColorScan = ScanSettings.ScanMode == 1014 ? 1 : 0;

    ScanFrame frame = {pixels.Left, pixels.Top, pixels.Right, pixels.Bottom};
    uint32_t filmType = record.OptionBits | ((uint32_t)record.OptionFlag << 16);
    if (!StartScan(static_cast<HWND>(MainDialog), filmType, record.Source, frame))
        NotifySourceManager(MSG_CLOSEDSREQ);
}
