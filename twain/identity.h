// The source's identity: the fixed fields, the product name built from the
// BRAND and DSNAME keys, and the version text rewritten after identification.
#ifndef PLNX_IDENTITY_H
#define PLNX_IDENTITY_H

#include "twain/twain.h"

// Copies text into a TW_STR32 field, cut to fit, always terminated.
void CopyStr32(char (&field)[34], const char* text);

// ProductName = the brand prefix (BRAND and one blank, empty when BRAND is
// empty) followed by DSNAME, cut to fit the field.
void BuildProductName(const char* brandPrefix, const char* dsName, char (&out)[34]);

// Fills the identity as it stands before the source is opened.
void FillBaseIdentity(TW_IDENTITY& identity, const char* versionInfo, const char* manufacturer,
                      const char* productFamily, const char* brandPrefix, const char* dsName);

// Version text after identification: readiness, firmware revision characters
// 0, 2 and 3, feeder flag, then "PLNX_Q7B.DS\nParallel Port\n" appended at
// the first zero byte (a zero revision byte shortens the prefix).
void BuildVersionInfo(bool inquiryReady, const char firmware[4], bool feederInstalled, char (&out)[34]);

extern const char kRewrittenProductFamily[];  // "Flatbed Scanner"

#endif
