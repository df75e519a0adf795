// DAT_PENDINGXFERS: the count of further images, ending and resetting
// transfers.
#ifndef PLNX_PENDING_XFERS_H
#define PLNX_PENDING_XFERS_H

#include "twain/twain.h"

void HandlePendingXfers(TW_UINT16 msg, TW_PENDINGXFERS* data);

#endif
