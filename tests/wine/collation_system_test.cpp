// The portable list orders against the system's own: the runtime's
// _mbsicoll and LCMapStringA under code page 932, and the single-byte
// mapping of the other languages under 1252 and 1250. Every disagreement is
// a fault of the portable backend.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "platform/text/japanese_sort_key.h"
#include "platform/text/list_order.h"
#include "platform/text/portable_collation.h"
#include "platform/win32/win32_collation.h"

namespace {

std::string Hex(const std::string& s) {
  std::ostringstream out;
  out << '"';
  for (unsigned char c : s) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "\\x%02X", c);
    out << buf;
  }
  out << '"';
  return out.str();
}

bool IsLead(int b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

std::string SystemSortKey(const std::string& text) {
  // The runtime's comparison sees the text up to its first NUL.
  const std::string cut = text.substr(0, text.find('\0'));
  if (cut.empty()) return std::string("\x01\x01\x01\x01", 4) + '\0';
  char key[8192];
  const int n = LCMapStringA(0x411, LCMAP_SORTKEY | NORM_IGNORECASE, cut.data(),
                             static_cast<int>(cut.size()), key, sizeof key);
  return n > 0 ? std::string(key, static_cast<std::size_t>(n)) : std::string();
}

std::string PortableSortKey(const std::string& text) {
  std::string key;
  text::AppendJapaneseSortKey(text, &key);
  return key;
}

// Counts the pairs on which the two backends disagree, printing the first.
class Disagreements {
 public:
  void Compare(const text::Collation& system, const text::Collation& portable, int langId,
               const std::string& a, const std::string& b) {
    const int s = text::CompareListTexts(system, langId, a, b);
    const int p = text::CompareListTexts(portable, langId, a, b);
    if (s == p) return;
    if (++count_ <= 20) {
      ADD_FAILURE() << Hex(a) << " vs " << Hex(b) << ": system " << s << ", portable " << p;
    }
  }
  int Count() const { return count_; }

 private:
  int count_ = 0;
};

// The bytes of the reading alphabet: printable ASCII and the half-width
// katakana with their punctuation and sound marks.
std::vector<std::string> ReadingCharacters() {
  std::vector<std::string> chars;
  for (int b = 0x20; b <= 0x7E; ++b) chars.emplace_back(1, static_cast<char>(b));
  for (int b = 0xA1; b <= 0xDF; ++b) chars.emplace_back(1, static_cast<char>(b));
  return chars;
}

// Every character of code page 932: single bytes and lead-trail pairs.
std::vector<std::string> AllCharacters() {
  std::vector<std::string> chars;
  for (int b = 1; b < 256; ++b) {
    if (!IsLead(b)) chars.emplace_back(1, static_cast<char>(b));
  }
  for (int lead = 0x81; lead <= 0xFC; ++lead) {
    if (!IsLead(lead)) continue;
    for (int trail = 0x40; trail <= 0xFC; ++trail) {
      if (trail != 0x7F) chars.push_back({static_cast<char>(lead), static_cast<char>(trail)});
    }
  }
  return chars;
}

// Random texts mixing the reading alphabet with double-byte characters, the
// marks that take their weights from the character before them, hyphens,
// apostrophes, control characters and bytes that form no character.
class TextMaker {
 public:
  explicit TextMaker(unsigned seed) : random_(seed), reading_(ReadingCharacters()), all_(AllCharacters()) {}

  std::string Next(int maxChars) {
    static const char* const kMarks[] = {"\xB0", "\x81\x5B", "\x81\x5C", "\x81\x52", "\x81\x53",
                                         "\x81\x54", "\x81\x55", "\x81\x58", "\xDE", "\xDF",
                                         "\x81\x4A", "\x81\x4B", "-", "'", "\x01", "\x1F", "\x7F"};
    std::string s;
    const int n = Pick(maxChars + 1);
    for (int i = 0; i < n; ++i) {
      const int r = Pick(100);
      if (r < 50) {
        s += reading_[static_cast<std::size_t>(Pick(static_cast<int>(reading_.size())))];
      } else if (r < 62) {
        s += kMarks[Pick(sizeof kMarks / sizeof kMarks[0])];
      } else if (r < 75) {
        // Double-byte hiragana and katakana.
        s += Pick(2) ? std::string{'\x82', static_cast<char>(0x9F + Pick(0xF1 - 0x9F + 1))}
                     : std::string{'\x83', static_cast<char>(0x40 + Pick(0x57))};
      } else if (r < 97) {
        s += all_[static_cast<std::size_t>(Pick(static_cast<int>(all_.size())))];
      } else {
        s += static_cast<char>(1 + Pick(255));  // may be a lead byte without its trail
      }
    }
    return s;
  }

  int Pick(int n) { return static_cast<int>(random_() % static_cast<unsigned>(n)); }

 private:
  std::mt19937 random_;
  std::vector<std::string> reading_;
  std::vector<std::string> all_;
};

class JapaneseOrder : public ::testing::Test {
 protected:
  void SetUp() override {
    if (GetACP() != 932) GTEST_SKIP() << "needs the Japanese code page";
  }
  text::Win32Collation system;
  text::PortableCollation portable{932};
};

TEST_F(JapaneseOrder, EveryPairOfReadingCharactersSortsAlike) {
  const std::vector<std::string> chars = ReadingCharacters();
  Disagreements d;
  for (const std::string& a : chars) {
    for (const std::string& b : chars) d.Compare(system, portable, 1041, a, b);
  }
  EXPECT_EQ(d.Count(), 0);
}

TEST_F(JapaneseOrder, EveryCharacterHasTheSystemsSortKey) {
  int wrong = 0;
  for (const std::string& c : AllCharacters()) {
    for (const std::string& text : {c, c + "\xB0", "\xB6" + c, "a" + c + "\xDE"}) {
      if (SystemSortKey(text) == PortableSortKey(text)) continue;
      if (++wrong <= 20) ADD_FAILURE() << Hex(text);
    }
  }
  EXPECT_EQ(wrong, 0);
}

TEST_F(JapaneseOrder, RandomTextsSortAlikeAndHaveTheSystemsKeys) {
  TextMaker maker(20240611);
  std::vector<std::string> texts;
  for (int i = 0; i < 6000; ++i) texts.push_back(maker.Next(i % 3 == 0 ? 24 : 8));
  Disagreements d;
  int wrongKeys = 0;
  for (std::size_t i = 0; i < texts.size(); ++i) {
    const std::string& a = texts[i];
    const std::string& b = texts[(i * 7919 + 1) % texts.size()];
    d.Compare(system, portable, 1041, a, b);
    // The same text with one character more, which often decides late.
    const std::string longer = a.substr(0, a.size() / 2) + maker.Next(1) + a.substr(a.size() / 2);
    d.Compare(system, portable, 1041, a, longer);
    if (SystemSortKey(a) != PortableSortKey(a) && ++wrongKeys <= 20) ADD_FAILURE() << Hex(a);
  }
  EXPECT_EQ(d.Count(), 0);
  EXPECT_EQ(wrongKeys, 0);

  // Sorted by either backend, the texts come out in one order.
  std::vector<std::string> bySystem = texts, byPortable = texts;
  std::stable_sort(bySystem.begin(), bySystem.end(), [&](const std::string& a, const std::string& b) {
    return text::CompareListTexts(system, 1041, a, b) < 0;
  });
  std::stable_sort(byPortable.begin(), byPortable.end(),
                   [&](const std::string& a, const std::string& b) {
                     return text::CompareListTexts(portable, 1041, a, b) < 0;
                   });
  EXPECT_TRUE(bySystem == byPortable);
}

TEST_F(JapaneseOrder, TheSystemsKeysOrderTextsAsItsComparisonDoes) {
  // The editor sorts by keys where the backend has them; they must give
  // the order of the runtime's comparison, ties included.
  TextMaker maker(7);
  std::vector<std::string> texts = {"", "abc", "ABC", "a\0b"};
  for (int i = 0; i < 4000; ++i) texts.push_back(maker.Next(10));
  int wrong = 0;
  std::string ka, kb;
  for (std::size_t i = 0; i < texts.size(); ++i) {
    const std::string& a = texts[i];
    const std::string& b = texts[(i * 7919 + 3) % texts.size()];
    ASSERT_TRUE(system.CollationKey(a, &ka));
    ASSERT_TRUE(system.CollationKey(b, &kb));
    const int byKeys = (ka > kb) - (ka < kb);
    if (byKeys != system.CollateNoCase(a, b) && ++wrong <= 20) {
      ADD_FAILURE() << Hex(a) << " vs " << Hex(b);
    }
  }
  EXPECT_EQ(wrong, 0);
}

TEST_F(JapaneseOrder, WhatUsersTypeSortsAsTheSystemSortsIt) {
  // Ascending in the system's order; texts on one line compare equal.
  const std::vector<std::vector<std::string>> order = {
      {""},
      {"\x01"},                          // a control character weighs only as a special
      {"-"},
      {" "},
      {"#1"},
      {"0"},
      {"\x82\x4F"},                      // full-width 0 after 0
      {"1"},
      {"ab", "AB"},
      {"a-b"},                           // hyphens weigh after the letters
      {"abc", "ABC"},
      {"coo"},
      {"coop"},
      {"co-op"},
      {"oneil"},
      {"o'neil"},
      {"\xB1"},                          // ｱ
      {"\x82\xA0"},                      // あ
      {"\xB1\xB2"},                      // ｱｲ
      {"\xB6\xB7"},                      // ｶｷ
      {"\x83\x4A\x83\x4C"},              // カキ
      {"\x82\xA9\x82\xAB"},              // かき
      {"\xB6\xDE\xB7"},                  // ｶﾞｷ: voiced after plain
      {"\xD4"},                          // ﾔ
      {"\xAE"},                          // ｮ: a small kana before its plain one
      {"\xD6"},                          // ﾖ
      {"\x88\x9F"},                      // a kanji after all kana
  };
  std::vector<std::string> flat;
  for (const auto& line : order) flat.insert(flat.end(), line.begin(), line.end());
  Disagreements d;
  for (const std::string& a : flat) {
    for (const std::string& b : flat) d.Compare(system, portable, 1041, a, b);
  }
  EXPECT_EQ(d.Count(), 0);
  for (std::size_t i = 0; i < order.size(); ++i) {
    for (std::size_t j = 0; j < order.size(); ++j) {
      for (const std::string& a : order[i]) {
        for (const std::string& b : order[j]) {
          const int expected = (i > j) - (i < j);
          EXPECT_EQ(text::CompareListTexts(system, 1041, a, b), expected) << Hex(a) << " vs " << Hex(b);
        }
      }
    }
  }
}

// Bytes of the other languages, mapped alone.
class OtherLanguageOrder : public ::testing::Test {
 protected:
  void SetUp() override {
    codePage = static_cast<int>(GetACP());
    if (codePage != 1252 && codePage != 1250) GTEST_SKIP() << "needs code page 1252 or 1250";
  }
  int codePage = 0;
};

TEST_F(OtherLanguageOrder, EveryByteMapsAlike) {
  text::Win32Collation system;
  text::PortableCollation portable(codePage);
  int mismatches = 0;
  for (int b = 0; b < 256; ++b) {
    unsigned char s = 0, p = 0;
    const int ns = system.MapByteIgnoringSymbols(static_cast<unsigned char>(b), &s);
    const int np = portable.MapByteIgnoringSymbols(static_cast<unsigned char>(b), &p);
    if (ns == np && (ns == 0 || s == p)) continue;
    ++mismatches;
    ADD_FAILURE() << "code page " << codePage << " byte 0x" << std::hex << b << ": system " << ns
                  << "/0x" << int(s) << ", portable " << np << "/0x" << int(p);
  }
  EXPECT_EQ(mismatches, 0);
}

TEST_F(OtherLanguageOrder, EveryPairOfBytesSortsAlike) {
  text::Win32Collation system;
  text::PortableCollation portable(codePage);
  Disagreements d;
  for (int a = 0; a < 256; ++a) {
    for (int b = 0; b < 256; ++b) {
      const std::string x(1, static_cast<char>(a)), y(1, static_cast<char>(b));
      d.Compare(system, portable, 1033, x, y);
      d.Compare(system, portable, 1033, x + "a", y + "A");
    }
  }
  EXPECT_EQ(d.Count(), 0);
}

}  // namespace
