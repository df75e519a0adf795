#include "device/identification.h"

#include <string.h>

#include "device/command_blocks.h"
#include "device/correction_curves.h"
#include "device/device_flags.h"
#include "device/port_driver.h"
#include "settings/scan_settings.h"
#include "twain/identity.h"

uint16_t ReferenceLevels[4] = {};

void IdentifyScanner(TW_IDENTITY& identity) {
    DriverOpenDevice();
    // Wake the scanner with the current power byte (0 after loading).
    DriverCall(PowerBlock, SPI_POWER);
    memset(InquiryBlock + INQ_CLEAR_FIRST, 0, INQ_CLEAR_LAST - INQ_CLEAR_FIRST + 1);
    uint16_t status = DriverCall(InquiryBlock, SPI_INQUIRE);
    BuildCorrectionCurves();

    const char* firmware = reinterpret_cast<const char*>(InquiryBlock + INQ_FIRMWARE);
    BuildVersionInfo(status == 0, firmware, InquiryBlock[INQ_FEEDER] == 1, identity.Version.Info);
    CopyStr32(identity.ProductFamily, kRewrittenProductFamily);

    ExtendedOptions = InquiryBlock[INQ_EXTENDED] == 1 ? 1 : 0;
    if (InquiryBlock[INQ_FEEDER] == 1) {
        FeederInstalled = 1;
        if (FeederPaperLoaded()) {
            FeederSelected = 1;
            ScanSettings.ScanSource = 3;
            ScanSettings.FilterMode = 2;  // pages come out of the feeder mirrored
        } else {
            FeederSelected = 0;
            ScanSettings.ScanSource = 0;
        }
    } else {
        FeederInstalled = 0;
        FeederSelected = 0;
    }
    OpticalResolution = 600;
    for (int i = 0; i < 4; ++i) ReferenceLevels[i] = GetU16(InquiryBlock, INQ_REF_LEVELS + 2 * i);
}

bool FeederPaperLoaded() {
    DriverCall(InquiryBlock, SPI_INQUIRE);
    return InquiryBlock[INQ_PAPER] == 1;
}
