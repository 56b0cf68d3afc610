#include "platform/text/char_value_key.h"

#include <gtest/gtest.h>

#include <random>

#include "platform/text/codepage.h"
#include "platform/text/multibyte_compare.h"

namespace text {
namespace {

int Sign(int v) { return (v > 0) - (v < 0); }

// Random texts of the bytes that decide these orders (lead bytes with and
// without a trail, half-width katakana, ASCII letters of both cases, the
// full-width capitals and small letters) give keys in the comparisons'
// order, on single- and double-byte pages, and the prefix never
// contradicts them.
TEST(CharValueKeys, OrderAsTheComparisonsDo) {
  std::mt19937 random(11);
  const std::string pieces[] = {"a", "A", "z", "Z", "\xB1", "\xDF", "\x81", "\x82\x60", "\x82\x81",
                                "\x88\x9F", "\xE0\x40", "\xFC\xFC", "\x81\x3F", "1", "\x7F", "\xFF"};
  auto make = [&] {
    std::string s;
    const int n = static_cast<int>(random() % 7);
    for (int i = 0; i < n; ++i) s += pieces[random() % (sizeof(pieces) / sizeof(pieces[0]))];
    return s;
  };
  for (int codePage : {932, 936, 1252}) {
    for (int round = 0; round < 20000; ++round) {
      const std::string a = make();
      const std::string b = random() % 4 ? make() : a + make();
      std::string ka, kb, na, nb;
      AppendMultibyteKey(codePage, a, &ka);
      AppendMultibyteKey(codePage, b, &kb);
      AppendNoCaseKey(codePage, a, &na);
      AppendNoCaseKey(codePage, b, &nb);
      const int byValue = CompareMultibyte(codePage, a, b);
      ASSERT_EQ(Sign(ka.compare(kb)), byValue) << codePage << " " << testing::PrintToString(a) << " "
                                                << testing::PrintToString(b);
      ASSERT_EQ(Sign(na.compare(nb)), CompareNoCase(codePage, a, b))
          << codePage << " " << testing::PrintToString(a) << " " << testing::PrintToString(b);
      const std::uint64_t pa = MultibyteKeyPrefix(codePage, a);
      const std::uint64_t pb = MultibyteKeyPrefix(codePage, b);
      if (pa != pb) ASSERT_EQ(pa < pb ? -1 : 1, byValue) << testing::PrintToString(a);
    }
  }
}

}  // namespace
}  // namespace text
