// DAT_CAPABILITY: routes a request to the host capability profile when the
// application is the host that needs it, else to the standard handler.
#ifndef PLNX_CAPABILITY_DISPATCH_H
#define PLNX_CAPABILITY_DISPATCH_H

#include "twain/twain.h"

void HandleCapabilityRequest(TW_UINT16 msg, TW_CAPABILITY* capability);

#endif
