// State of the scan in progress: what the scanner reported at start, the
// derived geometry, and how far reading and delivery have come.
#ifndef PLNX_SCAN_STATE_H
#define PLNX_SCAN_STATE_H

#include <stdint.h>

#include "pipeline/colour_correction.h"
#include "pipeline/enlarger.h"
#include "pipeline/scan_geometry.h"

struct ScanInProgress {
    ImageKind Kind;
    uint32_t ScannedBytes;   // B
    uint32_t ScannedLines;   // L
    uint32_t Target;         // T, target resolution of the driver's resampling
    uint32_t DpiScale;       // M
    ScanGeometry Geometry;
    uint32_t RawLinesRead;   // scanner lines read so far
    uint32_t LinesRead;      // ring lines (after resampling) read so far
    uint32_t LinesTaken;     // ring lines handed to the consumer
    uint32_t RowsDelivered;  // rows delivered to the application (memory strips)
    bool FirstStrip;         // the next memory strip starts the scan's reading
    bool Started;            // the scanner is scanning
};

extern ScanInProgress CurrentScan;
// Output matching: the software correction colour lines get as they are
// taken from the ring (prepared at scan start when OutputMode is not 0).
extern bool CorrectColour;
extern ColourCorrector LineCorrector;
// The enlarger's carried line, kept for the whole transfer.
extern EnlargerState Enlarger;
extern uint32_t ScanAbort;    // ESC was pressed during the transfer
extern uint32_t Dpi1201;      // the user typed 1201 dpi
extern uint32_t FilmType;     // the dialog's film word: low word the film, high word 1 for negative
extern uint16_t SourceKind;   // 0 reflective, 1 film, 3 feeder

// Corrects a ring line in place when output matching is on.
void CorrectRingLine(uint8_t* line, uint32_t lineBytes);

// The transfer reset: per-image counters and the abort flag.
void ResetScanProgress();

#endif
