#include "platform/text/list_order.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/text/portable_collation.h"

namespace text {
namespace {

std::vector<std::string> Sorted(const Collation& c, int langId, std::vector<std::string> v) {
  std::stable_sort(v.begin(), v.end(), [&](const std::string& a, const std::string& b) {
    return CompareListTexts(c, langId, a, b) < 0;
  });
  return v;
}

TEST(OtherLanguageOrder, PunctuationAndNonAsciiBeforeLettersAndDigits) {
  PortableCollation western(1252);
  const std::vector<std::string> expected = {
      "",        // empty first
      "#1",      // punctuation is special: before letters and digits
      "-a",
      "\xE6on",  // ae ligature stays above 0x80: special, after '-' by raw byte
      "1abc",
      "Abc",     // upper case before lower case of the same letter
      "abc",
      "abcd",    // a longer text after its prefix
      "etz",
      "\xE9t\xE9",  // e acute maps to e; at the first position the raw byte decides
      "f",
  };
  std::vector<std::string> shuffled = expected;
  std::reverse(shuffled.begin(), shuffled.end());
  EXPECT_EQ(Sorted(western, 1033, shuffled), expected);
}

TEST(OtherLanguageOrder, PairwiseRules) {
  PortableCollation western(1252);
  struct Case {
    std::string a, b;
    int expected;
  } cases[] = {
      {"a", "B", -1},          // case ignored first
      {"B", "b", -1},          // then upper before lower
      {"e", "\xE9", -1},       // then the raw bytes
      {"\xE9", "f", -1},
      {"!", "#", -1},          // both special: raw bytes
      {"\xFF", "z", -1},       // y diaeresis maps to plain y
      {"Zeta", "zeta", -1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CompareOtherList(western, c.a, c.b), c.expected) << c.a << " vs " << c.b;
    EXPECT_EQ(CompareOtherList(western, c.b, c.a), -c.expected) << c.b << " vs " << c.a;
  }
}

TEST(OtherLanguageOrder, CentralEuropeanLettersSortWithTheirBaseLetter) {
  PortableCollation central(1250);
  // S caron (0x8A) and s acute (0x9C) sort as s; L stroke (0xA3) stays special.
  EXPECT_LT(CompareOtherList(central, "r", "\x8A"), 0);
  EXPECT_LT(CompareOtherList(central, "\x9C", "t"), 0);
  EXPECT_LT(CompareOtherList(central, "\xA3", "a"), 0);
}

TEST(JapaneseOrder, ReadingsSortInSyllabaryOrder) {
  PortableCollation japanese(932);
  // Half-width readings as users type them, in the order a list shows them.
  const std::vector<std::string> expected = {
      " x",              // symbols first
      "123",             // digits
      "abc",             // Latin letters without case
      "ABD",
      "\xB1\xB2",        // ｱｲ
      "\xB6\xB8",        // ｶｸ
      "\xB6\xDE\xB8",    // ｶﾞｸ: voiced after plain
      "\xB6\xB9",        // ｶｹ
      "\xBB",            // ｻ
      "\xC2",            // ﾂ
      "\xC3",            // ﾃ
      "\xCA\xDF",        // ﾊﾟ
      "\xDC",            // ﾜ
      "\xA6",            // ｦ
      "\xDD",            // ﾝ
      "\x88\x9F",        // a kanji after all kana
  };
  std::vector<std::string> shuffled = expected;
  std::reverse(shuffled.begin(), shuffled.end());
  EXPECT_EQ(Sorted(japanese, 1041, shuffled), expected);
}

TEST(JapaneseOrder, FormsOfOneKanaSortTogether) {
  PortableCollation japanese(932);
  struct Case {
    std::string a, b;
    int expected;
  } cases[] = {
      {"\xB1", "\x83\x41", 1},            // ｱ after ア: same kana, width decides last
      {"\x82\xA0", "\x83\x41", -1},       // あ before ア
      {"\xA7", "\xB1", 1},                // ｧ after ｱ (small)
      {"\xA7\xBB", "\xB1\xBC", -1},       // but the base letters decide first
      {"\x82\x60", "a", 1},               // full-width A after a, same letter
      {"\x82\x60" "b", "ac", -1},
      {"ABC", "abc", 0},                  // case alone is no difference
      {"\xB3\xDE", "\x83\x94", 1},        // ｳﾞ and ヴ: same voiced kana, width last
  };
  for (const Case& c : cases) {
    EXPECT_EQ(japanese.CollateNoCase(c.a, c.b), c.expected) << c.a << " vs " << c.b;
    EXPECT_EQ(japanese.CollateNoCase(c.b, c.a), -c.expected) << c.b << " vs " << c.a;
  }
}

TEST(ListOrder, IdenticalUnderCollationStillHasOneOrder) {
  PortableCollation japanese(932);
  EXPECT_EQ(CompareListTexts(japanese, 1041, "ABC", "abc"), -1);
  EXPECT_EQ(CompareListTexts(japanese, 1041, "abc", "ABC"), 1);
  EXPECT_EQ(CompareListTexts(japanese, 1041, "abc", "abc"), 0);
}

}  // namespace
}  // namespace text
