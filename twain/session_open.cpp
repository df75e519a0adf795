// MSG_OPENDS binds the port driver, identifies the scanner and resets the
// per-connection state; MSG_CLOSEDS tears the connection down again.
#include "twain/session_open.h"

#include <string.h>
#include <windows.h>

#include "device/identification.h"
#include "device/port_driver.h"
#include "pipeline/line_reader.h"
#include "pipeline/scan_start.h"
#include "settings/profile_win32.h"
#include "twain/capability_state.h"
#include "twain/default_file_xfer.h"
#include "twain/ds_entry.h"
#include "twain/image_layout.h"
#include "twain/session_triplets.h"
#include "twain/source_state.h"
#include "twain/user_interface.h"

namespace {

void ResetConnectionState() {
    XferGroup = DG_IMAGE;
    ResetImageState();
    memset(&MemXfer, 0, sizeof MemXfer);
    BuildDefaultFileXferSetup(DefaultFileXferSetup);
    FileXferSetup = DefaultFileXferSetup;
    PendingXfers.Count = 0xffff;
    ResetCapabilityState();
    MainDialog = nullptr;
}

}  // namespace

void OpenSource(TW_IDENTITY* sourceIdentity) {
    ReturnCode = TWRC_SUCCESS;
    if (SessionState != STATE_LOADED) return Fail(TWCC_MAXCONNECTIONS);
    FeederQueried = 0;
    FirstFeederPage = 1;
    if (AppIdentity.Id != 0) return Fail(TWCC_MAXCONNECTIONS);
    // The source's identity as the source manager knows it, and the
    // application's, are copied whole: both must be there.
    if (!sourceIdentity || !CurrentOrigin) return Fail(TWCC_BADVALUE);

    char windowsDir[130] = "";
    GetWindowsDirectoryA(windowsDir, sizeof windowsDir);
    LoadLanguage(PROFILE_GLOBAL_SECTION);

    char driverPath[MAX_PATH + 1] = "";
    GetDriverPath(PROFILE_GLOBAL_SECTION, windowsDir, driverPath, sizeof driverPath);
    DriverBindResult bound = BindPortDriver(driverPath);
    if (bound == DRIVER_LOAD_FAILED) return Fail(TWCC_OPERATIONERROR);

    memcpy(&SourceIdentity, sourceIdentity, sizeof SourceIdentity);
    if (bound == DRIVER_EXPORT_MISSING) {
        // A driver without its exports cannot talk to the scanner: the open
        // fails after the box that named the missing export.
        UnbindPortDriver();
        FillClosedIdentity();
        return Fail(TWCC_OPERATIONERROR);
    }
    IdentifyScanner(SourceIdentity);
    memcpy(&AppIdentity, CurrentOrigin, sizeof AppIdentity);
    ResetConnectionState();
    memcpy(sourceIdentity, &SourceIdentity, sizeof SourceIdentity);
    ConditionCode = TWCC_SUCCESS;
    SessionState = STATE_OPEN;
}

void CloseSource() {
    ConditionCode = TWCC_SUCCESS;
    AppIdentity.Id = 0;
    DestroyScannerDialog();
    // A scan still running is stopped before its driver goes away, and its
    // ring freed.
    AbortScanInProgress();
    CloseRing();
    if (PortDriverLoaded()) UnbindPortDriver();
    SessionState = STATE_LOADED;
    // Closed again, the source answers the identity it had before the open.
    FillClosedIdentity();
}
