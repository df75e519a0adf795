// What the pipeline can do to an image besides delivering the scanner's
// lines: the checks made before a transfer reads anything.
#ifndef PLNX_POST_PROCESSING_H
#define PLNX_POST_PROCESSING_H

// True when the current scan can be delivered as set up. The native
// transfer filters the finished bitmap; the strip and file paths cannot yet
// filter or remove moire, and enlargement above 600 dpi is not available:
// such a transfer is refused before reading, with a message, the scan
// aborted and TWRC_FAILURE / TWCC_OPERATIONERROR set.
bool CheckPipelineSupports(bool native);

#endif
