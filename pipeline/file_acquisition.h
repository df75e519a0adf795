// File transfer: the scan written to the file the application named, as
// TIFF or BMP, through a work file where the lines must be processed first.
#ifndef PLNX_FILE_ACQUISITION_H
#define PLNX_FILE_ACQUISITION_H

// Reads the whole scan into the output file of `FileXferSetup`. Sets
// ReturnCode: TWRC_XFERDONE with the file complete; TWRC_CANCEL after ESC or
// TWRC_FAILURE (reported) with no output file left behind. No work file
// outlives the call.
void AcquireToFile();

#endif
