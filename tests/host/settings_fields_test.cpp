#include <stdint.h>
#include <string.h>

#include <string>

#include <gtest/gtest.h>

#include "settings/profile_fields.h"

namespace {

TEST(ProfileFields, ParseDecimalBehavesLikeAtoiWithoutOverflow) {
  struct Case {
    const char* text;
    size_t length;
    int32_t expected;
  };
  const Case cases[] = {
      {"42", 99, 42},
      {"  42abc", 99, 42},
      {"\t\n 9", 99, 9},
      {"-7", 99, -7},
      {"+5", 99, 5},
      {"", 99, 0},
      {"x1", 99, 0},
      {"- 3", 99, 0},
      {"1234", 2, 12},          // limited to the field width
      {"  12", 2, 0},           // blanks fill the whole field
      {"99999999999", 99, INT32_MAX},
      {"-99999999999", 99, INT32_MIN},
      {"-2147483648", 99, INT32_MIN},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ParseDecimal(c.text, c.length), c.expected) << '"' << c.text << '"';
}

TEST(ProfileFields, FieldsAreReadAtFixedOffsetsAndMissingOnesAreZero) {
  int32_t values[4] = {-1, -1, -1, -1};
  ReadFields("-12  5    -128 127", 5, values, 4);
  EXPECT_EQ(values[0], -12);
  EXPECT_EQ(values[1], 5);
  EXPECT_EQ(values[2], -128);
  EXPECT_EQ(values[3], 127);

  // Digits that fill a field are not joined with the next one.
  ReadFields("255001128", 3, values, 4);
  EXPECT_EQ(values[0], 255);
  EXPECT_EQ(values[1], 1);
  EXPECT_EQ(values[2], 128);
  EXPECT_EQ(values[3], 0);  // beyond the end of the text

  EXPECT_EQ(FieldValue("7", 5, 5), 0);
  EXPECT_EQ(FieldValue("", 0, 5), 0);
}

TEST(ProfileFields, FormatFieldIsLeftAlignedAndKeepsItsWidth) {
  struct Case {
    int32_t value;
    size_t width;
    const char* expected;
  };
  const Case cases[] = {
      {-12, 5, "-12  "}, {0, 5, "0    "},    {-128, 5, "-128 "}, {127, 5, "127  "},
      {78, 4, "78  "},   {1500, 4, "1500"},  {0, 3, "0  "},
      // Values wider than the field are limited to it.
      {12345, 4, "9999"}, {-5000, 4, "-999"}, {INT32_MIN, 5, "-9999"}, {INT32_MAX, 5, "99999"},
  };
  for (const Case& c : cases) {
    char out[16];
    memset(out, 'X', sizeof out);
    FormatField(out, c.value, c.width);
    EXPECT_STREQ(out, c.expected) << c.value << " in " << c.width;
  }

  const int32_t edges[4] = {78, -3, 20000, 145};
  char text[17];
  FormatFields(text, edges, 4, 4);
  EXPECT_STREQ(text, "78  -3  9999145 ");
}

TEST(ProfileFields, CopyProfileTextDropsTrailingBlanksAndCuts) {
  char buf[6];
  EXPECT_EQ(CopyProfileText("  78  ", buf, sizeof buf), 4u);
  EXPECT_STREQ(buf, "  78");
  EXPECT_EQ(CopyProfileText("1234567", buf, sizeof buf), 5u);
  EXPECT_STREQ(buf, "12345");
  EXPECT_EQ(CopyProfileText(nullptr, buf, 1), 0u);
  EXPECT_STREQ(buf, "");
}

}  // namespace
