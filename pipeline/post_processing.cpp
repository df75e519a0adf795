#include "pipeline/post_processing.h"

#include "device/command_blocks.h"
#include "device/device_flags.h"
#include "device/port_driver.h"
#include "pipeline/scan_state.h"
#include "twain/capability_state.h"
#include "twain/message_boxes.h"
#include "twain/source_state.h"

bool CheckPipelineSupports(bool native, bool enlarges) {
    const char* missing = nullptr;
    if (PostProcess && !native)
        missing = "Filters and moire removal are not available.";
    else if (DoubleRes && !enlarges)
        missing = "Resolutions above 600 dpi are not available.";
    if (!missing) return true;
    DriverCall(ControlBlock, SPI_ABORT);
    CurrentScan.Started = false;
    ShowDeveloperBox(missing);
    Fail(TWCC_OPERATIONERROR);
    return false;
}
