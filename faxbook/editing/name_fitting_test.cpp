#include "faxbook/editing/name_fitting.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

namespace editing {
namespace {

const editing::TextRules kJapanese{1041, 932};
const editing::TextRules kEnglish{1033, 1252};
const editing::TextRules kEnglishOnJapanese{1033, 932};

class Names : public editing::NameLookup {
 public:
  bool IsNameUsed(const std::string& text, int kind) const override {
    return used.count({kind, text}) != 0;
  }
  std::set<std::pair<int, std::string>> used;
};

TEST(FitToField, CutsWithoutLeavingHalfACharacterInJapanese) {
  struct Case {
    std::string value;
    std::size_t limit;
    editing::TextRules rules;
    std::string expected;
  } cases[] = {
      {"ABC", 3, kJapanese, "ABC"},
      {"ABCD", 3, kJapanese, "ABC"},
      {"AB\x93\x63", 3, kJapanese, "AB"},                   // the lead byte goes too
      {"A\x93\x63" "B", 3, kJapanese, "A\x93\x63"},
      {"AB\x93\x63", 3, kEnglishOnJapanese, "AB\x93"},      // other languages cut at the byte
      {std::string(20, '\xB1'), 16, kJapanese, std::string(16, '\xB1')},  // half-width kana: single bytes
      {"", 0, kJapanese, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(FitToField(c.value, c.limit, c.rules), c.expected);
}

TEST(MakeSuffixedName, FirstFreeNumberWithinSixteenBytes) {
  Names names;
  names.used = {{1, "ABC"}, {1, "ABC(1)"}, {0, "ABC"}};
  EXPECT_EQ(MakeSuffixedName("ABC", 1, kJapanese, names), "ABC(2)");
  EXPECT_EQ(MakeSuffixedName("ABC", 0, kJapanese, names), "ABC(1)");
  EXPECT_EQ(MakeSuffixedName("XYZ", 1, kJapanese, names), "XYZ(1)");  // always a suffix

  const std::string sixteen = "0123456789ABCDEF";
  EXPECT_EQ(MakeSuffixedName(sixteen, 1, kJapanese, names), "0123456789ABC(1)");

  // The 13th byte starts a double-byte character: 12 bytes and the suffix.
  const std::string kanji = "0123456789AB\x93\x63" "CD";
  EXPECT_EQ(MakeSuffixedName(kanji, 1, kJapanese, names), "0123456789AB(1)");
  EXPECT_EQ(MakeSuffixedName(kanji, 1, kEnglishOnJapanese, names), "0123456789AB\x93(1)");

  for (int n = 1; n <= 9; ++n) names.used.insert({1, "0123456789ABC(" + std::to_string(n) + ")"});
  EXPECT_EQ(MakeSuffixedName(sixteen, 1, kJapanese, names), "0123456789AB(10)");
  EXPECT_EQ(MakeSuffixedName("x", 1, kEnglish, names), "x(1)");
}

}  // namespace
}  // namespace editing
