// Names of the files a transfer keeps on disk, all in the directory of the
// default transfer file name, and the directory handling of the dialog that
// moves them elsewhere. Backslash and slash both separate directories; with
// a lead-byte test (IsDBCSLeadByte on Windows) the second byte of a
// double-byte character is never taken for a separator.
#ifndef PLNX_WORK_FILE_NAMES_H
#define PLNX_WORK_FILE_NAMES_H

#include <stddef.h>
#include <stdint.h>

typedef bool (*LeadBytePredicate)(uint8_t byte);

#define GRAY_WORK_FILE "Xfer_G.Tmp"
#define ENLARGEMENT_WORK_FILE "Interp.Tmp"
#define COLOUR_WORK_FILE "Xfer_C.Tmp"

// Each function below writes a zero-terminated name into `out` (`size` bytes)
// and returns false, leaving "" in `out`, when the result does not fit or the
// input is unusable.

// The directory part of `fileName`: everything before its last separator
// ("" when there is none; "C:" for a name in the root of C:).
bool DirectoryOfFileName(const char* fileName, char* out, size_t size, LeadBytePredicate isLeadByte = nullptr);

// The gray work file ("\Xfer_G.Tmp") and the enlargement work file
// ("\Interp.Tmp") in the directory of the default transfer file name; a
// name without a directory gives a name without one.
bool GrayWorkFileName(const char* defaultName, char* out, size_t size, LeadBytePredicate isLeadByte = nullptr);
bool EnlargementWorkFileName(const char* defaultName, char* out, size_t size, LeadBytePredicate isLeadByte = nullptr);

// The colour work file: the default transfer file name itself, unless the
// output file of the transfer is that same file, in which case the work file
// is "\Xfer_C.Tmp" in its directory so that writing the output never
// truncates the rows it is read from.
bool ColourWorkFileName(const char* defaultName, const char* outputName, char* out, size_t size,
                        LeadBytePredicate isLeadByte = nullptr);

// Whether two names spell the same file: ASCII letters in either case,
// backslash and slash alike.
bool SameFileName(const char* a, const char* b, LeadBytePredicate isLeadByte = nullptr);

// The new default transfer file name when the user moves the temporary files
// to the directory `typed`: blanks around it and trailing separators are
// dropped, then a backslash and the file name part of `oldDefaultName` are
// appended. False for an empty or blank `typed`.
bool RelocatedDefaultName(const char* typed, const char* oldDefaultName, char* out, size_t size,
                          LeadBytePredicate isLeadByte = nullptr);

// The root directory of the drive that holds `fileName`, for the free-space
// query: "C:\" for "C:\TEMP\X.TIF", "\\server\share\" for a network name.
// False when the name does not say (a relative name: the current drive).
bool DriveRootOfFileName(const char* fileName, char* out, size_t size, LeadBytePredicate isLeadByte = nullptr);

#endif
