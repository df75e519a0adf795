// The temporary-drive dialog: when the drive of the temporary files lacks
// room for a scan, the user names another directory for the work files.
#ifndef PLNX_TEMP_DRIVE_DIALOG_H
#define PLNX_TEMP_DRIVE_DIALOG_H

#include <stdint.h>
#include <windows.h>

// Half the free bytes of the drive holding `fileName` (its root, or the
// current drive for a relative name); -1 when the drive cannot be read.
int64_t AvailableForFile(const char* fileName);

// Shows the modal dialog over `owner`. OK moves the default transfer file
// name into the typed directory when that drive holds `needed` bytes (else
// the disk-space box is shown again and the dialog stays); Cancel or closing
// restores the previous name. True when a drive was chosen.
bool OfferTemporaryDrive(HWND owner, int64_t needed, int64_t imageSize);

#endif
