#include "platform/text/codepage.h"

#include <gtest/gtest.h>

namespace text {
namespace {

TEST(CodePage, LeadBytesOfEachDoubleBytePage) {
  struct Case {
    int cp;
    unsigned char b;
    bool lead;
  } cases[] = {
      {932, 0x80, false}, {932, 0x81, true},  {932, 0x9F, true},  {932, 0xA0, false},
      {932, 0xA6, false}, {932, 0xDF, false}, {932, 0xE0, true},  {932, 0xFC, true},
      {932, 0xFD, false}, {936, 0x80, false}, {936, 0x81, true},  {936, 0xA1, true},
      {936, 0xFE, true},  {936, 0xFF, false}, {949, 0x81, true},  {949, 0xFE, true},
      {950, 0x81, true},  {950, 0xFE, true},  {950, 0x7F, false}, {1252, 0x81, false},
      {1250, 0xE0, false}, {932, 'A', false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsLeadByte(c.cp, c.b), c.lead) << "cp " << c.cp << " byte " << int(c.b);
  }
}

TEST(CodePage, LegalPairsNeedAValidTrailByte) {
  struct Case {
    int cp;
    const char* text;
    std::size_t at;
    bool pair;
  } cases[] = {
      {932, "\x82\xA0", 0, true},    // hiragana a
      {932, "\x81\x40", 0, true},    // ideographic space
      {932, "\x81\x7F", 0, false},   // 0x7F never trails
      {932, "\x81,", 0, false},      // a cut text: the comma stays a comma
      {932, "\x81", 0, false},       // lone lead byte at the end
      {932, "A\x82\xA0", 0, false},
      {932, "A\x82\xA0", 1, true},
      {936, "\xB0\xA1", 0, true},
      {949, "\xB0\x40", 0, false},   // 949 trails start at 0x41
      {949, "\xB0\x41", 0, true},
      {950, "\xA4\x40", 0, true},
      {950, "\xA4\x80", 0, false},   // 950 has no trail bytes 0x7F-0xA0
      {1252, "\xE9\xE9", 0, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsDoubleByteAt(c.cp, c.text, c.at), c.pair) << c.cp << " " << c.at;
  }
}

TEST(CodePage, CutNeverSplitsADoubleByteCharacter) {
  struct Case {
    int cp;
    std::string text;
    std::size_t max;
    std::string expected;
  } cases[] = {
      {932, "ABCDEF", 4, "ABCD"},
      {932, "AB", 4, "AB"},
      {932, "A\x82\xA0\x82\xA2", 4, "A\x82\xA0"},      // cut would split the second kana
      {932, "A\x82\xA0\x82\xA2", 5, "A\x82\xA0\x82\xA2"},
      {932, "AB\x81", 3, "AB\x81"},                    // a lone lead byte is one byte
      {932, "\xB1\xB2\xB3", 2, "\xB1\xB2"},            // half-width katakana are single bytes
      {1252, "\xE9\xE8\xE0", 2, "\xE9\xE8"},
      {936, "\xB0\xA1\xB0\xA1", 3, "\xB0\xA1"},
      {932, "", 0, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CutToBytes(c.cp, c.text, c.max), c.expected) << c.text << " " << c.max;
  }
}

TEST(CodePage, FindByteStepsOverDoubleByteCharacters) {
  // In 932, 0x5C (backslash) is a valid trail byte: the byte inside the
  // character is not found, the one after it is.
  const std::string text = "\x95\x5C\\";
  EXPECT_EQ(FindByte(932, text, '\\'), 2u);
  EXPECT_EQ(FindByte(1252, text, '\\'), 1u);
  EXPECT_EQ(FindByte(932, "abc", 'x'), std::string_view::npos);
}

TEST(CodePage, CaseInsensitiveComparisonAsTheRuntimeDoes) {
  struct Case {
    int cp;
    std::string a, b;
    int expected;
  } cases[] = {
      {932, "abc", "ABC", 0},
      {932, "abc", "abd", -1},
      {932, "ab", "abc", -1},                        // a prefix sorts first
      {932, "", "", 0},
      {932, "\x82\x60", "\x82\x81", 0},              // full-width A and a fold in 932
      {936, "\x82\x60", "\x82\x81", -1},             // but not in other pages
      {932, "\x83\x41", "\x83\x61", -1},             // katakana have no case
      {932, "Z", "\x82\xA0", -1},                    // a double-byte character is one large value
      {932, "[", "a", -1},                           // the letter is folded to lower case first
      {1252, "\xC9", "\xE9", -1},                    // accented letters have case only in ASCII terms
      {932, "x\x81", "X\x81", 0},                    // a lone lead byte compares as a byte
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CompareNoCase(c.cp, c.a, c.b), c.expected) << c.a << " vs " << c.b;
    EXPECT_EQ(CompareNoCase(c.cp, c.b, c.a), -c.expected) << c.b << " vs " << c.a;
  }
}

TEST(CodePage, LanguagesGiveTheirSystemCodePage) {
  EXPECT_EQ(DefaultCodePageForLanguage(1041), 932);
  EXPECT_EQ(DefaultCodePageForLanguage(2052), 936);
  EXPECT_EQ(DefaultCodePageForLanguage(1042), 949);
  EXPECT_EQ(DefaultCodePageForLanguage(1028), 950);
  EXPECT_EQ(DefaultCodePageForLanguage(1045), 1250);
  EXPECT_EQ(DefaultCodePageForLanguage(1033), 1252);
}

}  // namespace
}  // namespace text
