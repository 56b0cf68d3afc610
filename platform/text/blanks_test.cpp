#include "platform/text/blanks.h"

#include <gtest/gtest.h>

namespace text {
namespace {

TEST(Blanks, NormalisationOfReadAndTypedTexts) {
  struct Case {
    int cp;
    std::string in, out;
  } cases[] = {
      {932, "  abc \t", "abc"},
      {932, "\x81\x40\x81\x40", ""},                       // only ideographic spaces
      {932, "\x8E\x52\x81\x40\x93\x63", "\x8E\x52  \x93\x63"},  // kept inside, as two spaces
      {932, "\x81\x40" "abc", "abc"},
      {932, "\x81\x81\x40", "\x81\x81\x40"},               // 0x81 0x40 is not a character here
      {936, "\x81\x40", "\x81\x40"},                       // a CJK ideograph in 936
      {1252, " \xE9t\xE9 ", "\xE9t\xE9"},
      {932, "\r\nabc\v\f", "abc"},
      {932, "", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(NormaliseSpaces(c.cp, c.in), c.out) << c.in;
}

TEST(Blanks, WideSpacesKeepTheLength) {
  const std::string in = "a\x81\x40" "b";
  EXPECT_EQ(ReplaceWideSpaces(932, in), "a  b");
}

}  // namespace
}  // namespace text
