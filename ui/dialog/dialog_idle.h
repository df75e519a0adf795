// Returning the scanner dialog to idle after a scan, a transfer or a
// failure: its commands are available again.
#ifndef PLNX_DIALOG_IDLE_H
#define PLNX_DIALOG_IDLE_H

// Kills the ready-poll timer, marks the commands enabled and enables Scan,
// Cancel and Prescan; with `prescanUnlessFeeder` Prescan stays disabled
// while the document feeder is installed and selected.
void RestoreDialogIdle(bool prescanUnlessFeeder);

#endif
