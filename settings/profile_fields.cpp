#include "settings/profile_fields.h"

#include <string.h>

namespace {

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

int32_t ParseDecimal(const char* text, size_t length) {
  size_t i = 0;
  while (i < length && text[i] != '\0' && IsSpace(text[i])) ++i;
  bool negative = false;
  if (i < length && (text[i] == '-' || text[i] == '+')) {
    negative = text[i] == '-';
    ++i;
  }
  int64_t value = 0;
  for (; i < length && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > INT64_C(2147483648)) value = INT64_C(2147483648);
  }
  if (negative) value = -value;
  if (value > INT32_MAX) value = INT32_MAX;
  return static_cast<int32_t>(value);
}

int32_t FieldValue(const char* text, size_t offset, size_t width) {
  if (offset >= strlen(text)) return 0;
  return ParseDecimal(text + offset, width);
}

void ReadFields(const char* text, size_t width, int32_t* values, size_t count) {
  for (size_t i = 0; i < count; ++i) values[i] = FieldValue(text, i * width, width);
}

void FormatField(char* out, int32_t value, size_t width) {
  int64_t largest = 9;
  for (size_t i = 1; i < width; ++i) largest = largest * 10 + 9;
  const int64_t smallest = -(largest / 10);
  int64_t v = value;
  if (v > largest) v = largest;
  if (v < smallest) v = smallest;

  char digits[24];
  size_t n = 0;
  const bool negative = v < 0;
  uint64_t magnitude = static_cast<uint64_t>(negative ? -v : v);
  do {
    digits[n++] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);

  size_t pos = 0;
  if (negative) out[pos++] = '-';
  while (n > 0) out[pos++] = digits[--n];
  while (pos < width) out[pos++] = ' ';
  out[pos] = '\0';
}

void FormatFields(char* out, const int32_t* values, size_t count, size_t width) {
  out[0] = '\0';
  for (size_t i = 0; i < count; ++i) FormatField(out + i * width, values[i], width);
}

size_t CopyProfileText(const char* text, char* buf, size_t size) {
  size_t length = text != nullptr ? strlen(text) : 0;
  while (length > 0 && text[length - 1] == ' ') --length;
  if (length > size - 1) length = size - 1;
  if (length > 0) memcpy(buf, text, length);
  buf[length] = '\0';
  return length;
}
