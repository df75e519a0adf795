// Which message a driver status or a failure shows, the condition code that
// goes with it, and the texts of the message boxes.
#ifndef PLNX_STATUS_MESSAGES_H
#define PLNX_STATUS_MESSAGES_H

#include <stddef.h>
#include <stdint.h>

// Driver statuses with messages of their own.
#define STATUS_PAPER_JAM 0x8217
#define STATUS_NO_PAPER 0x8321
#define STATUS_COVER_OPEN 0x8414

// The message of a non-zero driver status: 208 paper jam, 209 no paper,
// 210 cover open, 200 (not ready) for any other value.
uint16_t StatusMessageId(uint16_t status);

// TWCC_LOWMEMORY for the memory message 109, TWCC_OPERATIONERROR otherwise.
uint16_t ConditionForMessage(uint16_t messageId);

// Messages 200 and 201 show string 200 with an information icon and string
// 200 in the caption.
bool IsNotReadyMessage(uint16_t messageId);

// Caption of the source's boxes: BRAND, two spaces, then `second` (DSNAME,
// or the not-ready text); an empty BRAND leaves a single space in front.
// `brandPrefix` is BRAND followed by one blank, or empty when BRAND is.
void BuildBoxCaption(const char* brandPrefix, const char* second, char* out, size_t size);

// The disk-space text: part1 + R + part2 + A + part3, with R the required
// byte count in decimal, or R / 1024 and "K" when R is negative or above
// 1024, and A the available count, as A / 1024 and "K" from 1025 on.
void FormatDiskSpaceText(const char* part1, const char* part2, const char* part3, int64_t required,
                         int64_t available, char* out, size_t size);

#endif
