// Text fields of profile values: decimal conversion, fixed-offset fields and
// left-aligned fixed-width formatting.
#ifndef PLNX_PROFILE_FIELDS_H
#define PLNX_PROFILE_FIELDS_H

#include <stddef.h>
#include <stdint.h>

// Decimal conversion of at most length characters of text (stopping at a
// NUL): leading white space skipped, optional sign, digits up to the first
// non-digit; no digits give 0. Values beyond the int32_t range saturate.
int32_t ParseDecimal(const char* text, size_t length);

// Value of the field of width characters at offset in the NUL-terminated
// text; a field that starts at or beyond the end of the text is 0.
int32_t FieldValue(const char* text, size_t offset, size_t width);

// count consecutive fields of width characters, field i at offset i * width.
void ReadFields(const char* text, size_t width, int32_t* values, size_t count);

// Writes value left-aligned and blank-padded to exactly width characters
// ("%-4d" for width 4) plus a NUL into out (width + 1 bytes, width 1..9).
// A value that needs more characters is limited to the largest or smallest
// number of that width, so the fields after it keep their offsets.
void FormatField(char* out, int32_t value, size_t width);

// Concatenates count fields formatted by FormatField into out, which must
// hold count * width + 1 bytes.
void FormatFields(char* out, const int32_t* values, size_t count, size_t width);

// Copies text into buf (size >= 1) as a profile read returns a default:
// trailing blanks dropped, at most size - 1 characters. Returns the length.
size_t CopyProfileText(const char* text, char* buf, size_t size);

#endif
