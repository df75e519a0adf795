// The work files that collect a whole scan on disk before it is processed:
// the colour work file for Color, the gray work file for LineArt, Halftone
// and Gray. Both carry a TIFF header describing the rows that follow.
#ifndef PLNX_WORK_FILES_H
#define PLNX_WORK_FILES_H

#include <stdint.h>

// Reads the whole scan into its work file (colour lines corrected first
// when output matching is on). On failure or ESC the result is set and
// reported, the scan stopped and the work file deleted.
bool CollectScanInWorkFile();
// Scanned lines `first` .. `first + count - 1` of the work file, LineBytes
// each, into `lines`.
bool ReadWorkLines(uint32_t first, uint32_t count, uint8_t* lines);
// Lines `first` .. `first + count - 1` of the work file as delivered: moire
// removal and the strip filter when the scan needs post-processing, then
// the enlarger with DoubleRes. `out` receives count x f rows of f x
// LineBytes bytes. False when the file cannot be read or the enlarger has no
// memory.
bool ProcessWorkLines(uint32_t first, uint32_t count, uint8_t* out);
// Rows a scanned line becomes: 1, or 2 (2M) with enlargement.
uint32_t DeliveredRowsPerLine();
// Closes and deletes the work file, if one exists.
void DeleteWorkFile();

// Reports a file that cannot be created or written: message 5, TWRC_FAILURE
// with TWCC_OPERATIONERROR, the scan stopped.
void ReportWriteFailure();

#endif
