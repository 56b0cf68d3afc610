#include "booklib/rules/reading_form.h"

#include <gtest/gtest.h>

#include <string>

namespace rules {
namespace {

// Test texts are written as code page 932 bytes.
std::string Sjis(std::initializer_list<unsigned> codes) {
  std::string out;
  for (unsigned c : codes) {
    if (c > 0xFF) out.push_back(static_cast<char>(c >> 8));
    out.push_back(static_cast<char>(c & 0xFF));
  }
  return out;
}

TEST(ReadingFormTest, KanaOfEitherSyllabaryBecomeHalfWidthKatakana) {
  struct Case {
    const char* what;
    std::string in;
    std::string out;
  };
  const Case cases[] = {
      {"やまだ たろう", Sjis({0x82E2, 0x82DC, 0x82BE, ' ', 0x82BD, 0x82EB, 0x82A4}),
       Sjis({0xD4, 0xCF, 0xC0, 0xDE, ' ', 0xC0, 0xDB, 0xB3})},
      {"ヤマダ", Sjis({0x8384, 0x837D, 0x835F}), Sjis({0xD4, 0xCF, 0xC0, 0xDE})},
      {"ガ パ ヴ", Sjis({0x834B, 0x8370, 0x8394}), Sjis({0xB6, 0xDE, 0xCA, 0xDF, 0xB3, 0xDE})},
      {"small kana: ァ ッ ャ ぁ っ ょ", Sjis({0x8340, 0x8362, 0x8383, 0x829F, 0x82C1, 0x82E5}),
       Sjis({0xA7, 0xAF, 0xAC, 0xA7, 0xAF, 0xAE})},
      {"the marks: ー ゛ ゜", Sjis({0x815B, 0x814A, 0x814B}), Sjis({0xB0, 0xDE, 0xDF})},
      {"ミ and ム either side of the gap in the katakana row", Sjis({0x837E, 0x8380}),
       Sjis({0xD0, 0xD1})},
      {"ヲ ン を ん", Sjis({0x8392, 0x8393, 0x82F0, 0x82F1}), Sjis({0xA6, 0xDD, 0xA6, 0xDD})},
      {"full-width letters and digits", Sjis({0x8260, 0x8279, 0x8281, 0x829A, 0x824F, 0x8258}),
       "AZaz09"},
      {"full-width symbols", Sjis({0x8169, 0x816A, 0x817C, 0x8144, 0x815E, 0x8197}), "()-./@"},
      {"punctuation with a half-width form", Sjis({0x8141, 0x8142, 0x8145, 0x8175, 0x8176}),
       Sjis({0xA4, 0xA1, 0xA5, 0xA2, 0xA3})},
      {"already the book's form", Sjis({0xD4, 0xCF, 0xC0, 0xDE, 'A', '1'}),
       Sjis({0xD4, 0xCF, 0xC0, 0xDE, 'A', '1'})},
      // What has no half-width form stays, and the field refuses it.
      {"kanji stay", Sjis({0x8E52, 0x9363}), Sjis({0x8E52, 0x9363})},
      {"ヮ ヵ ヶ ヰ ヱ stay, ゎ ゐ ゑ become their katakana",
       Sjis({0x838E, 0x8395, 0x8396, 0x8390, 0x8391, 0x82EC, 0x82EE, 0x82EF}),
       Sjis({0x838E, 0x8395, 0x8396, 0x8390, 0x8391, 0x838E, 0x8390, 0x8391})},
      {"the ideographic space is the field's to normalise", Sjis({0x82A0, 0x8140, 0x82A2}),
       Sjis({0xB1, 0x8140, 0xB2})},
      {"a lone lead byte at the end stays", Sjis({0x82A0, 0x82}), Sjis({0xB1, 0x82})},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ToBookReading(c.in, 932), c.out) << c.what;
    EXPECT_EQ(ToBookReading(c.in, 1252), c.in) << c.what << ": other code pages keep the bytes";
  }
}

TEST(ReadingFormTest, EveryHiraganaMatchesItsKatakana) {
  // ぁ (829F) to ん (82F1) stand in the order of ァ (8340) to ン (8393),
  // which skips 837F.
  for (unsigned h = 0x829F; h <= 0x82F1; ++h) {
    unsigned k = 0x8340 + (h - 0x829F);
    if (k >= 0x837F) ++k;
    EXPECT_EQ(ToBookReading(Sjis({h}), 932), ToBookReading(Sjis({k}), 932)) << std::hex << h;
  }
}

TEST(ReadingFormTest, ANameAllInKanaIsItsOwnReading) {
  const std::pair<std::string, bool> cases[] = {
      {Sjis({0x82E4, 0x82A4, 0x82B1}), true},            // ゆうこ
      {Sjis({0x8358, 0x8359, 0x834C}), true},            // スズキ
      {Sjis({0x8358, 0x8140, 0x82BD, ' ', 0xC0}), true},  // kana, spaces, half-width kana
      {Sjis({0x8E52, 0x82BE}), false},                   // a kanji among them
      {"Yuko", false},
      {" ", false},
      {"", false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsAllKana(c.first, 932), c.second) << c.first;
  EXPECT_FALSE(IsAllKana(Sjis({0x82E4}), 1252));
}

TEST(ReadingFormTest, ACutNeverSeparatesAKanaFromItsMark) {
  const std::string gaga = Sjis({0xB6, 0xDE, 0xB6, 0xDE, 0xB6, 0xDE});  // ｶﾞｶﾞｶﾞ
  struct Case {
    std::size_t limit;
    std::string out;
  } cases[] = {
      {6, gaga},
      {5, Sjis({0xB6, 0xDE, 0xB6, 0xDE})},
      {4, Sjis({0xB6, 0xDE, 0xB6, 0xDE})},
      {3, Sjis({0xB6, 0xDE})},
      {1, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(CutReading(gaga, c.limit, 932), c.out) << c.limit;
  // Marks alone, and double-byte characters, cut as any text.
  EXPECT_EQ(CutReading(Sjis({0xDE, 0xDE, 0xDE}), 2, 932), Sjis({0xDE, 0xDE}));
  EXPECT_EQ(CutReading(Sjis({0x82A0, 0x82A2}), 3, 932), Sjis({0x82A0}));
}

TEST(ReadingFormTest, KanaTheCodePageLacksBecomeTheKatakanaItHas) {
  EXPECT_EQ(KanaTheCodePageHas("\xE3\x82\x94\xE3\x82\x95\xE3\x82\x96"),
            "\xE3\x83\xB4\xE3\x83\xB5\xE3\x83\xB6");
  // Other kana, and the bytes around them, stay.
  EXPECT_EQ(KanaTheCodePageHas("a\xE3\x82\x93\xE3\x82"), "a\xE3\x82\x93\xE3\x82");
}

}  // namespace
}  // namespace rules
