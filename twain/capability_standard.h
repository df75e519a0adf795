// The standard capability handler: every query answers the current value as
// a one-value container; settings arrive as one-value or enumeration
// containers and change the capability state.
#ifndef PLNX_CAPABILITY_STANDARD_H
#define PLNX_CAPABILITY_STANDARD_H

#include "twain/capability_memory.h"
#include "twain/twain.h"

// Serves `msg` for the capability at `capability` and sets ReturnCode and
// ConditionCode. `feederPaperLoaded` asks the scanner whether the feeder
// holds paper (CAP_FEEDERLOADED).
void StandardCapabilityHandler(TW_UINT16 msg, TW_CAPABILITY* capability, const ContainerMemory& memory,
                               bool (*feederPaperLoaded)());

#endif
