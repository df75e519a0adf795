// The message boxes of device and scan failures, and the clean-up that
// leaves the scanner stopped, the codes set and the dialog ready again.
#ifndef PLNX_ERROR_REPORT_H
#define PLNX_ERROR_REPORT_H

#include <stdint.h>
#include <windows.h>

// Shows message `messageId` of the current language, captioned with BRAND
// and DSNAME, then makes the dialog's commands available again.
void ShowDeviceMessage(HWND parent, uint16_t messageId);

// The disk-space box with the required and available byte counts.
void ShowDiskSpaceBox(HWND parent, int64_t required, int64_t available);

// SPI_FINISH, the message box over the dialog, the condition code and
// TWRC_FAILURE for the application; in a batch the next job is started.
void ReportDeviceFailure(uint16_t conditionCode, uint16_t messageId);

// The answer to SPI_SET_PARAMS at scan start. Returns true when the status
// is 0; otherwise the failure has been shown (or, for a feeder out of paper
// after the first page, deliberately not shown), the scan aborted and the
// TWAIN result set.
bool CheckSetParamsStatus(uint16_t status);

// The answer to SPI_READ. 0x8321 is never reported: the caller repeats the
// read once. Any other non-zero status aborts the scan and is reported.
enum ReadVerdict { READ_OK, READ_RETRY, READ_FAILED };
ReadVerdict CheckReadStatus(uint16_t status);

#endif
