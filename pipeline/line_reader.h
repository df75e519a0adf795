// Reading the scanner's lines through the driver's ring buffer, one batch at
// a time, with the user interface kept alive and ESC watched.
#ifndef PLNX_LINE_READER_H
#define PLNX_LINE_READER_H

#include <stdint.h>

// Allocates the ring (16 MB with enlargement, else 2 MB, smaller when memory
// is short), hands it to the driver and prepares the read block. On failure
// the message has been shown and the TWAIN result set.
bool OpenRing();
// Frees the ring, if one is allocated.
void CloseRing();
bool RingOpen();

enum BatchResult { BATCH_LINES, BATCH_CANCELLED, BATCH_FAILED };

struct LineBatch {
    const uint8_t* First;  // the batch's first line; the others follow at LineBytes
    uint32_t Count;
};

// Reads the next batch of lines into the ring. BATCH_CANCELLED after ESC
// (the scan aborted, TWRC_CANCEL set), BATCH_FAILED after a driver failure
// (reported, TWRC_FAILURE set).
BatchResult ReadNextBatch(LineBatch& batch);

// Sends SPI_FINISH after the last line and marks the scan done.
void FinishScan();

#endif
