// Names of the port driver file.
#ifndef PLNX_DRIVER_NAME_H
#define PLNX_DRIVER_NAME_H

// True when the file-name part of `path` (after the last backslash) is
// KASPI_SP.DLL, compared without regard to case.
bool IsKaspiDriverPath(const char* path);

#endif
