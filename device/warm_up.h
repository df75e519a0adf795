// The lamp warm-up before a prescan or scan.
#ifndef PLNX_WARM_UP_H
#define PLNX_WARM_UP_H

#include <stdint.h>

// The tick count at which the last warm-up ends; the dialog's readiness
// timer reuses it as its deadline.
extern uint32_t ReadyDeadline;

// Wakes the scanner and lights the lamp, then waits WARMUPTICKS
// milliseconds (default 1000) without pumping messages.
void WarmUpScanner();

#endif
