// State of the scanner dialog that the rest of the source reads or resets:
// whether its commands are enabled, batch scanning, and its control ids.
#ifndef PLNX_DIALOG_STATE_H
#define PLNX_DIALOG_STATE_H

#include <stdint.h>

#define IDC_SCAN 1001
#define IDC_PRESCAN 1002
#define IDC_CANCEL 1003

#define TIMER_READY_POLL 0
#define TIMER_BATCH 3

extern uint32_t CommandsEnabled;  // the dialog accepts Scan, Prescan and Cancel
extern uint32_t BatchMode;        // several frames are being scanned as a batch

#endif
