// Identification of the scanner when the source is opened.
#ifndef PLNX_IDENTIFICATION_H
#define PLNX_IDENTIFICATION_H

#include "twain/twain.h"

// The scan bed of the model, in inches (the film sources use 8.0 x 10.0
// when the scanner offers them), and its model number for the outside
// modules.
#define BED_WIDTH_INCHES 8.5
#define BED_LENGTH_INCHES 11.5
#define FILM_BED_WIDTH_INCHES 8.0
#define FILM_BED_LENGTH_INCHES 10.0
#define SCANNER_MODEL_NUMBER 1

// The four reference levels of the inquiry, as the scanner sent them.
extern uint16_t ReferenceLevels[4];

// Opens the device, wakes the scanner, asks for its identification and sets
// the feeder flags, the model limits and the identity's version text and
// product family. Always succeeds; a silent scanner shows up at the next
// readiness check.
void IdentifyScanner(TW_IDENTITY& identity);

// Sends a fresh inquiry; true when the feeder reports paper loaded.
bool FeederPaperLoaded();

#endif
