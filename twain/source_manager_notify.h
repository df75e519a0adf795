// Notifications from the source to the source manager.
#ifndef PLNX_SOURCE_MANAGER_NOTIFY_H
#define PLNX_SOURCE_MANAGER_NOTIFY_H

#include "twain/twain.h"

// DG_CONTROL/DAT_NULL with `message` (MSG_XFERREADY or MSG_CLOSEDSREQ) from
// this source to the connected application; the result is ignored.
void NotifySourceManager(TW_UINT16 message);

#endif
