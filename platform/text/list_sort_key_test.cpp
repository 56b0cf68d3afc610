// Sort keys give exactly the list comparison's order, on hand-picked texts
// and on random ones, in every case of the comparison.
#include "platform/text/list_sort_key.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "platform/text/list_order.h"
#include "platform/text/portable_collation.h"

namespace text {
namespace {

int Sign(int v) { return (v > 0) - (v < 0); }

// Texts that reach every rule: case, width and kana type, sound marks,
// prefixes, symbols, bytes that form no character, empty text.
std::vector<std::string> Samples(int codePage, unsigned seed) {
  std::vector<std::string> texts = {
      "", "a", "A", "ab", "aB", "abc", "a-b", "ABC", "#1", "-a", "1abc", "Zeta", "zeta",
      "\x82\x60", "\x82\x81", "\x82\xA0", "\x83\x41", "\xB1", "\xB1\xB2", "\xB6\xDE",
      "\x83\x4B", "\x82\xAA", "\xB6", "\x88\x9F", "\x88\x9F\x88\xA0", "\x81\x40", "\x81",
      "\xE9t\xE9", "\xE6on", "\xFF", "e", "f", "\x9F", "\x8A\x41",
  };
  std::mt19937 rng(seed);
  const std::vector<std::string> pieces = {"a", "B", "z", "0", "-", " ", "'", "\xB1", "\xDE",
                                           "\xB6", "\x82\xA0", "\x83\x41", "\x82\x60", "\x88\x9F",
                                           "\x81\x5B", "\xE9", "\xC0", "\x81", "\xA1"};
  for (int i = 0; i < 300; ++i) {
    std::string t;
    const int n = static_cast<int>(rng() % 6);
    for (int k = 0; k < n; ++k) t += pieces[rng() % pieces.size()];
    texts.push_back(t);
  }
  (void)codePage;
  return texts;
}

TEST(ListSortKeys, OrderAsTheListComparisonInEveryLanguageCase) {
  struct Case {
    int codePage;
    int langId;
  } cases[] = {{932, 1041}, {1252, 1033}, {1250, 1029}, {936, 2052}, {932, 1033}, {1252, 1041}};
  for (const Case& c : cases) {
    PortableCollation collation(c.codePage);
    ListSortKeys keys(collation, c.langId);
    ASSERT_TRUE(keys.Available());
    const std::vector<std::string> texts = Samples(c.codePage, static_cast<unsigned>(c.codePage));
    std::vector<std::string> made(texts.size());
    for (std::size_t i = 0; i < texts.size(); ++i) keys.KeyOf(texts[i], &made[i]);
    int mismatches = 0;
    for (std::size_t i = 0; i < texts.size(); ++i) {
      for (std::size_t j = 0; j < texts.size(); ++j) {
        const int expected = CompareListTexts(collation, c.langId, texts[i], texts[j]);
        const int got = Sign(made[i].compare(made[j]));
        if (got != expected && ++mismatches < 5) {
          ADD_FAILURE() << c.codePage << "/" << c.langId << ": \"" << texts[i] << "\" vs \""
                        << texts[j] << "\": keys " << got << ", comparison " << expected;
        }
      }
    }
    EXPECT_EQ(mismatches, 0) << c.codePage << "/" << c.langId;
  }
}

// A collation of the system without keys leaves the caller comparing texts.
class KeylessCollation : public PortableCollation {
 public:
  KeylessCollation() : PortableCollation(932) {}
  bool CollationKey(std::string_view, std::string*) const override { return false; }
};

TEST(ListSortKeys, JapaneseNeedsTheCollationsKeys) {
  KeylessCollation keyless;
  EXPECT_FALSE(ListSortKeys(keyless, 1041).Available());
  EXPECT_TRUE(ListSortKeys(keyless, 1033).Available());
}

}  // namespace
}  // namespace text
