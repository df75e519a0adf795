// The image transfer triplets: native, memory and file transfer.
#ifndef PLNX_TRANSFER_DISPATCH_H
#define PLNX_TRANSFER_DISPATCH_H

#include "twain/twain.h"

void HandleTransfer(TW_UINT16 dat, TW_MEMREF data);

#endif
