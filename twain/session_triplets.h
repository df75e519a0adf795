// The session triplets that only read or write the source's own state:
// status, transfer group, memory and file transfer set-up.
#ifndef PLNX_SESSION_TRIPLETS_H
#define PLNX_SESSION_TRIPLETS_H

#include "twain/twain.h"

extern TW_IMAGEMEMXFER MemXfer;  // the application's last memory transfer request

void HandleStatusGet(TW_STATUS* out);
void HandleXferGroupGet(TW_UINT32* out);
void HandleSetupMemXferGet(TW_SETUPMEMXFER* out);
void HandleSetupFileXfer(TW_UINT16 msg, TW_SETUPFILEXFER* data);

#endif
