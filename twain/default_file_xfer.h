// The default file-transfer set-up of a connection.
#ifndef PLNX_DEFAULT_FILE_XFER_H
#define PLNX_DEFAULT_FILE_XFER_H

#include "twain/twain.h"

// A name in the temporary directory starting with "KORVAN", made unique by
// creating the file and deleting it again, with the extension of string 101;
// format TIFF, VRefNum 0.
void BuildDefaultFileXferSetup(TW_SETUPFILEXFER& setup);

#endif
