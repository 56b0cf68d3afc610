// Code-page texts to UTF-8 on the system's own tables: characters of the
// page convert, and each byte that forms none is U+FFFD and named.
#include "platform/sys/text_convert.h"

#include <gtest/gtest.h>

namespace sys {
namespace {

TEST(CodePageToUtf8, NamesEveryByteThatIsNoCharacter) {
  const std::string bad = "\xEF\xBF\xBD";
  struct Case {
    int codePage;
    std::string in;
    std::string utf8;
    std::vector<std::size_t> undefined;
  } cases[] = {
      {1252, "Caf\xE9", "Caf\xC3\xA9", {}},
      {1250, "\x9A\xED", "\xC5\xA1\xC3\xAD", {}},
      {932, "A\xB1\x93\x63", "A\xEF\xBD\xB1\xE7\x94\xB0", {}},
      {932, "A\x81", "A" + bad, {1}},               // a lead byte with nothing after it
      {932, "\x81\x20" "B", bad + " B", {0}},       // a lead byte before no trail byte
      // A pair the page leaves unassigned: its first byte, and the next
      // character starts at the second.
      {932, "\x85\x40\x93\x63", bad + "@\xE7\x94\xB0", {0}},
      {932, "", "", {}},
      {932, "\x80\xA0\xFD", bad + bad + bad, {0, 1, 2}},  // single bytes the page leaves out
      {1252, "x\x81", "x" + bad, {1}},
      {1250, "\x81\x98", bad + bad, {0, 1}},
  };
  for (const Case& c : cases) {
    std::string out = "stale";
    std::vector<std::size_t> undefined;
    ASSERT_TRUE(CodePageToUtf8(c.codePage, c.in, &out, &undefined)) << c.codePage;
    EXPECT_EQ(out, c.utf8) << c.codePage << " " << c.in;
    EXPECT_EQ(undefined, c.undefined) << c.codePage << " " << c.in;
    std::string again;
    ASSERT_TRUE(CodePageToUtf8(c.codePage, c.in, &again));
    EXPECT_EQ(again, out) << "the same text without asking where";
  }
  std::string out;
  EXPECT_FALSE(CodePageToUtf8(54321, "x", &out)) << "no such code page";
}

}  // namespace
}  // namespace sys
