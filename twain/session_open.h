// Opening and closing the source (MSG_OPENDS, MSG_CLOSEDS).
#ifndef PLNX_SESSION_OPEN_H
#define PLNX_SESSION_OPEN_H

#include "twain/twain.h"

void OpenSource(TW_IDENTITY* sourceIdentity);
void CloseSource();

#endif
