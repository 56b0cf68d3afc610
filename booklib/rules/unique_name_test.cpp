// Names made unique with a numbered suffix within 16 bytes.
#include <gtest/gtest.h>

#include <random>
#include <set>
#include <vector>

#include "booklib/rules/name_index.h"
#include "booklib/rules/unique_name.h"
#include "platform/text/codepage.h"

namespace {

// Half-width katakana in code page 932.
const std::string kTanaka = "\xC0\xC5\xB6";      // ﾀﾅｶ

TEST(MakeUniqueName, KeepsAFreeNameAndSuffixesATakenOne) {
  const rules::TextRules japanese{1041, 932};
  const rules::TextRules korean{1042, 949};
  const rules::TextRules english{1033, 1252};
  const struct {
    rules::TextRules rules;
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
    rules::NameIndex names;
    for (const std::string& t : c.taken) names.Add(1, t);
    EXPECT_EQ(rules::MakeUniqueName(c.base, 1, c.rules, names), c.result) << c.base;
    // The other field's names do not count.
    EXPECT_EQ(rules::MakeUniqueName(c.base, 0, c.rules, names), c.base) << c.base;
  }
}

TEST(MakeUniqueName, SuffixesBeyondNineTakeMoreOfTheBase) {
  rules::NameIndex names;
  std::set<std::string> given;
  const rules::TextRules rules{1041, 932};
  for (int i = 0; i < 102; ++i) {
    const std::string name = rules::MakeUniqueName("ABCDEFGHIJKLMNOP", 1, rules, names);
    EXPECT_LE(name.size(), 16u);
    EXPECT_TRUE(given.insert(name).second) << name;
    names.Add(1, name);
  }
  EXPECT_TRUE(given.count("ABCDEFGHIJKLM(9)"));
  EXPECT_TRUE(given.count("ABCDEFGHIJKL(10)"));
  EXPECT_TRUE(given.count("ABCDEFGHIJK(100)"));
  EXPECT_TRUE(given.count("ABCDEFGHIJK(101)"));
}

// The search as it was before the index remembered anything: every suffix
// from "(1)" looked up in turn.
std::string PlainUniqueName(const std::string& base, int kind, int codePage,
                            const rules::NameIndex& names) {
  if (!names.IsNameUsed(base, kind)) return base;
  for (int n = 1;; ++n) {
    const std::string suffix = "(" + std::to_string(n) + ")";
    std::string candidate = base.size() + suffix.size() <= 16
                                ? base
                                : std::string(text::CutToBytes(codePage, base, 16 - suffix.size()));
    candidate += suffix;
    if (!names.IsNameUsed(candidate, kind)) return candidate;
  }
}

// Bases whose candidates meet: one already a suffixed form, long ones cut
// to the same start for "(n)" and "(nn)" but not for both, double-byte
// characters that the cut drops, and the empty name.
std::vector<std::string> TrickyBases() {
  return {"X", "X(1)", "X(1)(1)", "", "ABCDEFGHIJKLM", "ABCDEFGHIJKLMN", "ABCDEFGHIJKLMZ",
          "ABCDEFGHIJKLMNOP", "ABCDEFGHIJKL", "ABCDEFGHIJKL\x88\x9F", "ABCDEFGHIJKL\x88\x9F" "Q",
          "ABCDEFGHIJK\x88\x9F", "ABCDEFGHIJK\x88\x9F" "QQ", "\xC0\xC5\xB6", "(1)", "X(01)"};
}

TEST(MakeUniqueName, GivesWhatThePlainSearchGivesWhateverIsTakenAndFreedBetween) {
  const rules::TextRules rules{1041, 932};
  const std::vector<std::string> bases = TrickyBases();
  for (unsigned seed = 1; seed <= 40; ++seed) {
    std::mt19937 rng(seed);
    rules::NameIndex names;
    std::vector<std::pair<int, std::string>> given;  // the names in the index
    const auto pick = [&](std::size_t n) { return static_cast<std::size_t>(rng() % n); };
    for (int step = 0; step < 1500; ++step) {
      const int kind = static_cast<int>(rng() % 2);
      const unsigned what = rng() % 10;
      if (what < 6) {
        // An entry given a base: the result taken, or now and then left free.
        const std::string& base = bases[pick(bases.size())];
        const std::string want = PlainUniqueName(base, kind, rules.codePage, names);
        ASSERT_EQ(rules::MakeUniqueName(base, kind, rules, names), want)
            << "seed " << seed << " step " << step << " base " << base;
        if (what < 5) {
          names.Add(kind, want);
          given.emplace_back(kind, want);
        }
      } else if (what < 9 && !given.empty()) {
        // An entry deleted or renamed: its name freed (one of a shared pair only
        // when it was the last).
        const std::size_t i = pick(given.size());
        names.Remove(given[i].first, given[i].second);
        given.erase(given.begin() + static_cast<std::ptrdiff_t>(i));
      } else {
        // A name some other command gave: a suffixed form of a base, by hand.
        const std::string name = bases[pick(bases.size())].substr(0, 12 + pick(3)) + "(" +
                                 std::to_string(1 + pick(12)) + ")";
        names.Add(kind, name);
        given.emplace_back(kind, name);
      }
    }
  }
}

TEST(NameIndex, CountsEachNameSoThatASharedOneStaysTakenUntilItsLastEntryGoes) {
  rules::NameIndex names;
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
