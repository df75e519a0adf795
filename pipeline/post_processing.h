// What the pipeline can do to an image besides delivering the scanner's
// lines: the checks made before a transfer reads anything.
#ifndef PLNX_POST_PROCESSING_H
#define PLNX_POST_PROCESSING_H

// True when the current scan can be delivered as set up by the calling
// path: the native transfer filters the finished bitmap; memory strips are
// enlarged above 600 dpi; filters on strips and files and enlarged files go
// through work files, which this build does not have yet. Such a transfer is
// refused before reading, with a message, the scan aborted and TWRC_FAILURE
// / TWCC_OPERATIONERROR set.
bool CheckPipelineSupports(bool native, bool enlarges);

#endif
