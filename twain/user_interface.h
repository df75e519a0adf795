// Enabling and disabling the source (MSG_ENABLEDS, MSG_DISABLEDS) and the
// lifetime of the scanner dialog.
#ifndef PLNX_USER_INTERFACE_H
#define PLNX_USER_INTERFACE_H

#include "twain/twain.h"

void EnableSource(TW_USERINTERFACE* ui);
void DisableSource(TW_USERINTERFACE* ui);
// Destroys the scanner dialog and its preview window, if they exist.
void DestroyScannerDialog();

#endif
