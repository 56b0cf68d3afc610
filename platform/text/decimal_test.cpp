#include "platform/text/decimal.h"

#include <gtest/gtest.h>

#include <string>

using namespace std::string_literals;

namespace text {
namespace {

TEST(ParseDecimal, ReadsBlanksSignDigitsAndStopsAtTheRange) {
  struct Case {
    std::string in;
    int out;
  } cases[] = {
      // Blanks: the six the runtime skips, and bytes that are not blanks.
      {" \t\n\v\f\r42", 42},
      {"\xA0" "1", 0},
      {"\x85" "1", 0},
      {"   ", 0},
      {"", 0},
      // Signs: one only, right before the digits.
      {"+7", 7},
      {"-7", -7},
      {"+-7", 0},
      {"--7", 0},
      {"- 7", 0},
      {"-", 0},
      {" -0", 0},
      // Trailing bytes end the number.
      {"12,3", 12},
      {"12 3", 12},
      {"12\0" "3"s, 12},
      {"12\xFF", 12},
      {"0x1F", 0},
      {"1e3", 1},
      {"\0" "5"s, 0},
      // The 32-bit range and beyond it.
      {"2147483647", 2147483647},
      {"2147483648", 2147483647},
      {"-2147483648", -2147483647 - 1},
      {"-2147483649", -2147483647 - 1},
      {"99999999999999999999999999", 2147483647},
      {"-99999999999999999999999999", -2147483647 - 1},
      {"00000000000000000000000012", 12},
      {"-0000000000000000002147483648", -2147483647 - 1},
      {"4294967297", 2147483647},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ParseDecimal(c.in), c.out) << '"' << c.in << '"';
  }
}

}  // namespace
}  // namespace text
