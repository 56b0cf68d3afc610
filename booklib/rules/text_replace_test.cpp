// Replacing text in a field: every occurrence without overlaps and never
// inside a double-byte character, the fax number's prefix, and the cut.
#include <gtest/gtest.h>

#include "booklib/rules/text_replace.h"

namespace {

// Half-width katakana in code page 932.
const std::string kYamada = "\xD4\xCF\xC0\xDE";  // ﾔﾏﾀﾞ

TEST(ReplaceAll, ReplacesEveryOccurrenceLeftToRightAtCharacterBoundaries) {
  const struct {
    int codePage;
    std::string text, search, replacement, result;
    int count;
  } cases[] = {
      {932, "ABA", "A", "AA", "AABAA", 2},            // new occurrences are not replaced again
      {932, "AAAA", "AA", "B", "BB", 2},              // no overlaps
      {932, "AAA", "AA", "B", "BA", 1},
      {932, "abcABC", "abc", "x", "xABC", 1},         // case-sensitive
      {932, kYamada, kYamada, "", "", 1},
      {932, "Kita", "x", "y", "Kita", 0},
      // "\x82\xA0\x82\xA0" is two hiragana: the 0xA0 0x82 across them is no
      // character of the text and is not matched.
      {932, "\x82\xA0\x82\xA0", "\xA0\x82", "X", "\x82\xA0\x82\xA0", 0},
      {932, "\x82\xA0\x82\xA0", "\x82\xA0", "X", "XX", 2},
      // A trail byte that looks like an ASCII letter is not one.
      {932, "\x83\x41" "A", "A", "B", "\x83\x41" "B", 1},
      {1252, "\x83\x41" "A", "A", "B", "\x83" "BB", 2},
      {932, "", "A", "B", "", 0},
  };
  for (const auto& c : cases) {
    int count = -1;
    EXPECT_EQ(rules::ReplaceAll(c.codePage, c.text, c.search, c.replacement, &count), c.result) << c.text;
    EXPECT_EQ(count, c.count) << c.text;
  }
}

TEST(ReplacePrefix, ChangesOnlyALeadingOccurrence) {
  const struct {
    std::string text, search, replacement, result;
    bool replaced;
  } cases[] = {
      {"0312340301", "03", "06", "0612340301", true},
      {"1203", "03", "06", "1203", false},
      {"03", "03", "", "", true},
      {"0", "03", "06", "0", false},
  };
  for (const auto& c : cases) {
    std::string out;
    EXPECT_EQ(rules::ReplacePrefix(c.text, c.search, c.replacement, &out), c.replaced) << c.text;
    EXPECT_EQ(out, c.result) << c.text;
  }
}

TEST(CutReplaced, KeepsTheLimitWithoutSplittingADoubleByteCharacter) {
  const struct {
    int codePage;
    std::string value;
    std::size_t limit;
    std::string result;
  } cases[] = {
      {932, "ABCDEFGHIJKLMNOP", 16, "ABCDEFGHIJKLMNOP"},
      {932, "ABCDEFGHIJKLMNOPQ", 16, "ABCDEFGHIJKLMNOP"},
      // A hiragana (lead byte 0x82) across the limit goes whole.
      {932, "ABCDEFGHIJKLMNO\x82\xA0", 16, "ABCDEFGHIJKLMNO"},
      // So does a katakana or a kanji (lead bytes 0x83, 0x88).
      {932, "ABCDEFGHIJKLMNO\x83\x41", 16, "ABCDEFGHIJKLMNO"},
      {932, "ABCDEFGHIJKLMNO\x88\x9F", 16, "ABCDEFGHIJKLMNO"},
      // A character whose trail byte is 0x82 ends the cut whole.
      {932, "ABCDEFGHIJKLMN\x88\x82" "X", 16, "ABCDEFGHIJKLMN\x88\x82"},
      {936, "ABCDEFGHIJKLMNO\xB0\xA1", 16, "ABCDEFGHIJKLMNO"},
      {1252, "ABCDEFGHIJKLMNO\x82\xA0", 16, "ABCDEFGHIJKLMNO\x82"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(rules::CutReplaced(c.codePage, c.value, c.limit), c.result) << c.value;
  }
}

}  // namespace
