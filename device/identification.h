// Identification of the scanner when the source is opened.
#ifndef PLNX_IDENTIFICATION_H
#define PLNX_IDENTIFICATION_H

#include "twain/twain.h"

// Opens the device, wakes the scanner, asks for its identification and sets
// the feeder flags, the model limits and the identity's version text and
// product family. Always succeeds; a silent scanner shows up at the next
// readiness check.
void IdentifyScanner(TW_IDENTITY& identity);

// Sends a fresh inquiry; true when the feeder reports paper loaded.
bool FeederPaperLoaded();

#endif
