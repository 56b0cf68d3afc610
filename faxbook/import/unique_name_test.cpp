// Names made unique with a numbered suffix within 16 bytes.
#include <gtest/gtest.h>

#include <set>

#include "faxbook/import/name_index.h"
#include "faxbook/import/unique_name.h"

namespace {

// Half-width katakana in code page 932.
const std::string kTanaka = "\xC0\xC5\xB6";      // ﾀﾅｶ

TEST(MakeUniqueName, KeepsAFreeNameAndSuffixesATakenOne) {
  const editing::TextRules japanese{1041, 932};
  const editing::TextRules korean{1042, 949};
  const editing::TextRules english{1033, 1252};
  const struct {
    editing::TextRules rules;
    std::vector<std::string> taken;
    std::string base;
    std::string result;
  } cases[] = {
      {japanese, {}, kTanaka, kTanaka},
      {japanese, {kTanaka}, kTanaka, kTanaka + "(1)"},
      {japanese, {kTanaka, kTanaka + "(1)", kTanaka + "(3)"}, kTanaka, kTanaka + "(2)"},
      {japanese, {"abc"}, "ABC", "ABC"},                     // exact comparison
      {japanese, {"ABCDEFGHIJKLMNOP"}, "ABCDEFGHIJKLMNOP", "ABCDEFGHIJKLM(1)"},
      {japanese, {"ABCDEFGHIJKLM"}, "ABCDEFGHIJKLM", "ABCDEFGHIJKLM(1)"},  // fits as it is
      {japanese, {"ABCDEFGHIJKLMN"}, "ABCDEFGHIJKLMN", "ABCDEFGHIJKLM(1)"},
      // A lead byte left alone by the cut goes too.
      {japanese, {"ABCDEFGHIJKL\x82\xA0"}, "ABCDEFGHIJKL\x82\xA0", "ABCDEFGHIJKL(1)"},
      {korean, {"ABCDEFGHIJKL\xB0\xA1"}, "ABCDEFGHIJKL\xB0\xA1", "ABCDEFGHIJKL(1)"},
      {english, {"ABCDEFGHIJKL\xE9\xE9"}, "ABCDEFGHIJKL\xE9\xE9", "ABCDEFGHIJKL\xE9(1)"},
      {japanese, {""}, "", "(1)"},
  };
  for (const auto& c : cases) {
    NameIndex names;
    for (const std::string& t : c.taken) names.Add(1, t);
    EXPECT_EQ(MakeUniqueName(c.base, 1, c.rules, names), c.result) << c.base;
    // The other field's names do not count.
    EXPECT_EQ(MakeUniqueName(c.base, 0, c.rules, names), c.base) << c.base;
  }
}

TEST(MakeUniqueName, SuffixesBeyondNineTakeMoreOfTheBase) {
  NameIndex names;
  std::set<std::string> given;
  const editing::TextRules rules{1041, 932};
  for (int i = 0; i < 102; ++i) {
    const std::string name = MakeUniqueName("ABCDEFGHIJKLMNOP", 1, rules, names);
    EXPECT_LE(name.size(), 16u);
    EXPECT_TRUE(given.insert(name).second) << name;
    names.Add(1, name);
  }
  EXPECT_TRUE(given.count("ABCDEFGHIJKLM(9)"));
  EXPECT_TRUE(given.count("ABCDEFGHIJKL(10)"));
  EXPECT_TRUE(given.count("ABCDEFGHIJK(100)"));
  EXPECT_TRUE(given.count("ABCDEFGHIJK(101)"));
}

TEST(NameIndex, CountsEachNameSoThatASharedOneStaysTakenUntilItsLastEntryGoes) {
  NameIndex names;
  names.Add(0, "A");
  names.Add(0, "A");
  names.Rename(0, "A", "B");
  EXPECT_TRUE(names.IsNameUsed("A", 0));
  EXPECT_TRUE(names.IsNameUsed("B", 0));
  names.Remove(0, "A");
  EXPECT_FALSE(names.IsNameUsed("A", 0));
  EXPECT_FALSE(names.IsNameUsed("B", 1));
}

}  // namespace
