#include "twain/acquire_without_ui.h"

#include "twain/source_manager_notify.h"
#include "twain/source_state.h"

void AcquireWithoutInterface() {
    // Scanning is not available in this build yet: the acquisition cannot
    // start, so the application is asked to close the source and the state
    // stays where it was.
    Fail(TWCC_OPERATIONERROR);
    NotifySourceManager(MSG_CLOSEDSREQ);
}
