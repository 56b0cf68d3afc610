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

// The system's order of texts a Japanese user types, as measured on the
// system (LCMapStringA and _mbsicoll under code page 932). Texts on one line
// compare equal.
const std::vector<std::vector<std::string>> kSystemJapaneseOrder = {
    {""},
    {"\x01"},                  // a control character weighs only as a special
    {"-"},
    {" "},
    {" x"},
    {"#1"},
    {"0"},
    {"\x82\x4F"},              // full-width 0
    {"123"},
    {"ab", "AB"},               // case is no difference
    {"a-b"},                    // hyphens weigh after every letter...
    {"\x82\x81\x82\x82"},      // ...and before full width
    {"abc", "ABC"},
    {"ABD"},
    {"coo"},
    {"coop"},
    {"co-op"},
    {"oneil"},
    {"o'neil"},
    {"\xA7"},                  // ｧ: small before plain
    {"\xB1"},                  // ｱ: half-width before katakana before hiragana
    {"\x83\x41"},              // ア
    {"\x82\xA0"},              // あ
    {"\xB1\xB0"},              // ｱｰ: the long vowel repeats the vowel
    {"\xB1\xB2"},              // ｱｲ
    {"\xB6\xB7"},              // ｶｷ
    {"\x83\x4A\x83\x4C"},      // カキ
    {"\x82\xA9\x82\xAB"},      // かき
    {"\xB6\xDE\xB7"},          // ｶﾞｷ: the mark voices the kana before it
    {"\xB6\xB8"},              // ｶｸ
    {"\xB6\xB9"},              // ｶｹ
    {"\xBB"},                  // ｻ
    {"\xCA\xDF"},              // ﾊﾟ
    {"\xD4"},                  // ﾔ
    {"\xAE"},                  // ｮ
    {"\xD6"},                  // ﾖ
    {"\xDC"},                  // ﾜ
    {"\xA6"},                  // ｦ
    {"\xDD"},                  // ﾝ
    {"\x88\x9F"},              // kanji after every kana
};

TEST(JapaneseOrder, TextsSortAsTheSystemSortsThem) {
  PortableCollation japanese(932);
  for (std::size_t i = 0; i < kSystemJapaneseOrder.size(); ++i) {
    for (std::size_t j = 0; j < kSystemJapaneseOrder.size(); ++j) {
      for (const std::string& a : kSystemJapaneseOrder[i]) {
        for (const std::string& b : kSystemJapaneseOrder[j]) {
          EXPECT_EQ(CompareListTexts(japanese, 1041, a, b), (i > j) - (i < j)) << a << " vs " << b;
        }
      }
    }
  }
}

TEST(JapaneseOrder, MarksTakeTheirWeightsFromTheCharacterBefore) {
  PortableCollation japanese(932);
  struct Case {
    std::string a, b;
    int expected;
  } cases[] = {
      {"\xB6\xB0", "\xB6\xB1", 1},          // ｶｰ weighs as ｶｱ, the mark itself later...
      {"\xB6\xB0", "\xB6\xB2", -1},         // ...so before ｶｲ
      {"a\xB0", "aa", 0},                   // after a letter it repeats the letter
      {"\xB0", "\x81\x5B", 0},              // alone it is FF FF in either width
      {"\xB0", "\x88\x9F", 1},              // and sorts after the kanji
      {"\xDE\xB1", "\xB1", 1},              // a leading mark still voices
      {"\xB6\x81\x54", "\xB6\xB6", 1},      // ｶゝ: a repeated kana, weighed later
      {"\x01" "a", "a\x01", 1},             // specials weigh by their position
      {"\x81", "\x81\x45", 0},              // a lead byte without its trail is ・
      {std::string("a\0b", 3), "a", 0},     // the text ends at a NUL
  };
  for (const Case& c : cases) {
    EXPECT_EQ(japanese.CollateNoCase(c.a, c.b), c.expected) << c.a << " vs " << c.b;
    EXPECT_EQ(japanese.CollateNoCase(c.b, c.a), -c.expected) << c.b << " vs " << c.a;
  }
}

}  // namespace
}  // namespace text
