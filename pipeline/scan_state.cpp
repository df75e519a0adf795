#include "pipeline/scan_state.h"

ScanInProgress CurrentScan = {};
uint32_t ScanAbort = 0;
uint32_t Dpi1201 = 0;
uint32_t FilmType = 0;
uint16_t SourceKind = 0;
bool CorrectColour = false;
ColourCorrector LineCorrector;
EnlargerState Enlarger = {};

void CorrectRingLine(uint8_t* line, uint32_t lineBytes) {
    if (CorrectColour && CurrentScan.Kind == KIND_COLOR) CorrectColourLine(LineCorrector, line, line, lineBytes / 3);
}

void ResetScanProgress() {
    CurrentScan.RawLinesRead = 0;
    CurrentScan.LinesRead = 0;
    CurrentScan.LinesTaken = 0;
    CurrentScan.RowsDelivered = 0;
    CurrentScan.FirstStrip = true;
    ScanAbort = 0;
    FreeEnlarger(&Enlarger);
}
