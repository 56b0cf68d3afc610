// The system's text order (the runtime's _mbsicoll, LCMapStringA) and the
// portable rules agree on the samples the address list sorts by.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/text/list_order.h"
#include "platform/text/portable_collation.h"
#include "platform/win32/win32_collation.h"

namespace {

// Readings as a Japanese user types them (Shift-JIS), in ascending order.
// The backends differ where two readings differ only in the width or type
// of their kana (the system puts half-width katakana first and hiragana
// last, the portable rules the other way round) and in hyphens (which the
// system ignores as a word sort does), so every syllable appears in one
// form only and no reading holds a hyphen.
const std::vector<std::string> kJapaneseOrder = {
    "",
    " ",
    "#1",
    "0",
    "03",
    "1",
    "9",
    "A",
    "a",
    "AB",
    "ab",
    "Abe",
    "B",
    "kita",
    "KITA",
    "Z",
    "\x82\xA0",          // hiragana a
    "\xB2",              // half-width i
    "\x83\x45",          // katakana u
    "\x82\xA9",          // hiragana ka
    "\x82\xA9\xB8",      // hiragana ka, half-width ku
    "\xB7",              // half-width ki
    "\x83\x4E",          // katakana ku
    "\xBB",              // half-width sa
    "\xDD",              // half-width n
    "\x88\x9F",          // kanji (first of level 1)
};

TEST(SystemCollation, JapaneseReadingsSortAlikeOnBothBackends) {
  if (GetACP() != 932) GTEST_SKIP() << "needs the Japanese code page";
  text::Win32Collation system;
  text::PortableCollation portable(932);
  for (std::size_t i = 0; i < kJapaneseOrder.size(); ++i) {
    for (std::size_t j = 0; j < kJapaneseOrder.size(); ++j) {
      const int s = text::CompareListTexts(system, 1041, kJapaneseOrder[i], kJapaneseOrder[j]);
      const int p = text::CompareListTexts(portable, 1041, kJapaneseOrder[i], kJapaneseOrder[j]);
      EXPECT_EQ(s, p) << i << " vs " << j;
    }
  }
}

TEST(SystemCollation, SingleBytesMapAlikeOnBothBackends) {
  const int codePage = static_cast<int>(GetACP());
  text::Win32Collation system;
  text::PortableCollation portable(codePage);
  int mismatches = 0;
  for (int b = 0x20; b < 0x100; ++b) {
    unsigned char s = 0, p = 0;
    const int ns = system.MapByteIgnoringSymbols(static_cast<unsigned char>(b), &s);
    const int np = portable.MapByteIgnoringSymbols(static_cast<unsigned char>(b), &p);
    // What the list's order depends on: plain (one character below 0x80)
    // or special, and the plain character.
    const bool plainS = ns == 1 && s < 0x80;
    const bool plainP = np == 1 && p < 0x80;
    EXPECT_EQ(plainS, plainP) << "code page " << codePage << " byte 0x" << std::hex << b;
    if (plainS && plainP) EXPECT_EQ(s, p) << "code page " << codePage << " byte 0x" << std::hex << b;
    if (plainS != plainP || (plainS && s != p)) ++mismatches;
  }
  EXPECT_EQ(mismatches, 0);
}

TEST(SystemCollation, OtherLanguagesSortReadingsAlike) {
  const int codePage = static_cast<int>(GetACP());
  if (codePage != 1252) GTEST_SKIP() << "needs the Western code page";
  text::Win32Collation system;
  text::PortableCollation portable(1252);
  const std::vector<std::string> texts = {"#hash", "\xC6gir", "9lives", "Alpha", "alpha",
                                          "beta",  "\xC9mile", "o'neil", "Zeta", ""};
  for (const std::string& a : texts) {
    for (const std::string& b : texts) {
      EXPECT_EQ(text::CompareListTexts(system, 1033, a, b),
                text::CompareListTexts(portable, 1033, a, b))
          << a << " vs " << b;
    }
  }
}

}  // namespace
