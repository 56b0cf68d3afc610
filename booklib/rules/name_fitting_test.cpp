#include "booklib/rules/name_fitting.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

namespace rules {
namespace {

const rules::TextRules kJapanese{1041, 932};
const rules::TextRules kEnglish{1033, 1252};
const rules::TextRules kEnglishOnJapanese{1033, 932};

class Names : public rules::NameLookup {
 public:
  bool IsNameUsed(const std::string& text, int kind) const override {
    return used.count({kind, text}) != 0;
  }
  std::set<std::pair<int, std::string>> used;
};

// A two-byte text of each code page: one double-byte character on the
// four double-byte pages, two letters on the single-byte page.
struct PageCase {
  rules::TextRules rules;
  std::string character;
  bool pair;  // one character (whole or not at all), or two single bytes
};
const PageCase kPages[] = {
    {kJapanese, "\x88\x9F", true},            // 亜
    {kEnglishOnJapanese, "\x88\x9F", true},   // the English interface on a Japanese system
    {{2052, 936}, "\xD6\xD0", true},
    {{1042, 949}, "\xC7\xD1", true},
    {{1028, 950}, "\xA4\xA4", true},
    {kEnglish, "\xE9\xE9", false},
};

TEST(FitToField, CutsAtEachByteOfACharacterKeepingWholeCharactersOnly) {
  for (const PageCase& page : kPages) {
    const std::string& c = page.character;
    const std::string first = page.pair ? "" : c.substr(0, 1);
    const struct {
      std::string value;
      std::size_t limit;
      std::string expected;
    } cases[] = {
        {"AB" + c, 3, "AB" + first},            // the limit on the character's first byte
        {"AB" + c, 4, "AB" + c},                // on its second
        {"A" + c + "B", 3, "A" + c},
        {c + c, 1, first},
        {"ABCD", 3, "ABC"},
        {std::string(20, '\xB1'), 16, std::string(16, '\xB1')},  // half-width kana: single bytes
        {"", 0, ""},
    };
    for (const auto& k : cases) {
      EXPECT_EQ(FitToField(k.value, k.limit, page.rules), k.expected)
          << page.rules.codePage << " " << k.value << " " << k.limit;
    }
  }
}

TEST(MakeSuffixedName, FirstFreeNumberWithinSixteenBytes) {
  Names names;
  names.used = {{1, "ABC"}, {1, "ABC(1)"}, {0, "ABC"}};
  EXPECT_EQ(MakeSuffixedName("ABC", 1, kJapanese, names), "ABC(2)");
  EXPECT_EQ(MakeSuffixedName("ABC", 0, kJapanese, names), "ABC(1)");
  EXPECT_EQ(MakeSuffixedName("XYZ", 1, kJapanese, names), "XYZ(1)");  // always a suffix

  const std::string sixteen = "0123456789ABCDEF";
  EXPECT_EQ(MakeSuffixedName(sixteen, 1, kJapanese, names), "0123456789ABC(1)");
  for (int n = 1; n <= 9; ++n) names.used.insert({1, "0123456789ABC(" + std::to_string(n) + ")"});
  EXPECT_EQ(MakeSuffixedName(sixteen, 1, kJapanese, names), "0123456789AB(10)");
  EXPECT_EQ(MakeSuffixedName("x", 1, kEnglish, names), "x(1)");
}

TEST(MakeSuffixedName, TheCutForTheSuffixKeepsWholeCharactersOnEveryPage) {
  for (const PageCase& page : kPages) {
    const std::string& c = page.character;
    const std::string first = page.pair ? "" : c.substr(0, 1);
    Names names;
    // 13 bytes stay beside "(1)": the character over bytes 13 and 14, then
    // over bytes 12 and 13.
    EXPECT_EQ(MakeSuffixedName("0123456789AB" + c + "CD", 1, page.rules, names),
              "0123456789AB" + first + "(1)")
        << page.rules.codePage;
    EXPECT_EQ(MakeSuffixedName("0123456789A" + c + "CD", 1, page.rules, names),
              "0123456789A" + c + "(1)")
        << page.rules.codePage;
    // 12 bytes beside "(10)".
    for (int n = 1; n <= 9; ++n) {
      names.used.insert({1, "0123456789A" + c + "(" + std::to_string(n) + ")"});
    }
    EXPECT_EQ(MakeSuffixedName("0123456789A" + c + "CD", 1, page.rules, names),
              "0123456789A" + first + "(10)")
        << page.rules.codePage;
  }
}

}  // namespace
}  // namespace rules
