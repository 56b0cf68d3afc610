#include "store/text_fields.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "platform/text/blanks.h"
#include "store/book_format.h"

namespace store {
namespace {

// The member line the writer writes for the texts the reader reads.
std::string Rewritten(std::string_view fields) {
  FieldScratch scratch;
  TextsView texts;
  ReadTextFields(&fields, 932, &scratch, &texts);
  MemberEntry m;
  CopyInto(texts, &m);
  const std::string line = FormatMemberLine(1, m);
  return line.substr(std::string("[FAX_ADDR_GM]=4,1,").size());
}

// A value found canonical is written back byte for byte.
void ExpectCanonical(const std::string& value, bool canonical) {
  CanonicalFields fields;
  EXPECT_EQ(ScanCanonicalFields(value, nullptr, &fields), canonical) << value;
  if (canonical) {
    EXPECT_EQ(Rewritten(value), value);
  }
}

TEST(CanonicalFields, OnlyFieldsTheWriterWritesAlikeAreCopied) {
  struct Case {
    std::string fields;
    bool canonical;
  } cases[] = {
      {"a,KITA,03-1,,,,,,0", true},
      {",,,,,,,,0", true},
      {"\"Kita, Ltd.\",K,,,,\"The \"\"Sun\"\" Shop\",,,3", true},
      {"\"\"\"\",Q,,,,,,,12", true},                  // a text that is one quote
      {"\"a\",A,,,,,,,0", false},                     // quotes it does not need
      {"a\"b,A,,,,,,,0", false},                      // a quote the reader drops
      {"\"a\"b\",A,,,,,,,0", false},                  // a quote not doubled
      {"\"a,b,A,,,,,,,0", false},                     // never closed
      {" a,A,,,,,,,0", false},                        // blanks the reader trims
      {"a ,A,,,,,,,0", false},
      {"\" a,\",A,,,,,,,0", false},
      {"a\x81\x40" "b,A,,,,,,,0", false},             // an ideographic space
      {"a,A,,,,,,,+1", false},                        // numbers as the writer writes them
      {"a,A,,,,,,,01", false},
      {"a,A,,,,,,,1,", false},                        // fields after the last
      {"a,A,,,,,,,1x", false},
      {"a,A,,,,,", false},                            // fields short
      {"a,A,,,,,,,-2147483648", true},
      {"a,A,,,,,,,99999999999", false},               // read as the largest long
      {"\x82\xA0,\xB1\xB2,,,,\"\x93\x8C,\x8B\x9E\",,,1", true},
  };
  for (const Case& c : cases) ExpectCanonical(c.fields, c.canonical);
}

TEST(CanonicalFields, GiveTheReadingAndTheHonorific) {
  std::string scratch;
  CanonicalFields fields;
  ASSERT_TRUE(ScanCanonicalFields(",\"a\"\"b,\",,,,,,,2", &scratch, &fields));
  EXPECT_TRUE(fields.nameEmpty);
  EXPECT_EQ(fields.reading, "a\"b,");
  EXPECT_EQ(fields.respect, 2);
  FieldScratch whole;
  EXPECT_EQ(ReadReading(",\"a\"\"b,\",,,,,,,2", 932, &whole), "a\"b,");
  EXPECT_EQ(ReadReading("x, \x81\x40k ,3", 932, &whole), "k");
}

// The scan goes 64 bytes at a time: every rule must hold where a doubled
// quote, a closing quote, a comma or an ideographic space meets the end of
// a block. Each case puts the interesting bytes across bytes 63 and 64.
TEST(CanonicalFields, RulesHoldAcrossBlocks) {
  const auto at63 = [](const std::string& around) {
    // `around` starts at byte 60 of the value, within the first text.
    return "\"" + std::string(59, 'x') + around;
  };
  struct Case {
    std::string fields;
    bool canonical;
  } cases[] = {
      {at63("abc\"\"d\",A,,,,,,,0"), true},       // doubled quote at 63 and 64
      {at63("ab\"\"cd\",A,,,,,,,0"), true},       // doubled quote at 62 and 63
      {at63("abc\",A,,,,,,,0"), false},            // needs no quotes (one block later)
      {at63("ab,\",A,,,,,,,0"), true},             // closing quote at 63, comma at 64
      {at63("abc\"d\",A,,,,,,,0"), false},         // a lone quote at 63
      {at63("abc\x81\x40\",A,,,,,,,0"), false},    // an ideographic space across
      {at63("ab,\" ,A,,,,,,,0"), false},           // a blank after the closing quote
      {at63("ab,\"\",A,,,,,,,0"), false},          // closed at 63, then a lone quote
      {"x" + std::string(62, ',') + "\"a\",A,,,,,,,0", false},
      {std::string(7, ',') + std::string(56, 'a') + ",1", true},  // comma at 63
      {std::string(7, ',') + std::string(57, 'a') + ",\"1\"", false},
      {std::string(8, ',') + std::string(60, '1'), false},
  };
  for (const Case& c : cases) ExpectCanonical(c.fields, c.canonical);
}

// What the writer writes for texts the reader keeps as they are is always
// found canonical, with its reading; a value found canonical is always
// written back byte for byte, however it was spoilt.
TEST(CanonicalFields, AgreeWithTheWriterOnRandomLines) {
  std::mt19937 random(7);
  const std::string alphabet = "\",a ,\x81\x40\t1-\x93";
  int canonicalSpoilt = 0;
  for (int round = 0; round < 20000; ++round) {
    MemberEntry m;
    for (const TextField& field : kTextFields) {
      std::string text;
      const std::size_t size = random() % (field.maxBytes == 0 ? 40 : field.maxBytes + 1);
      for (std::size_t i = 0; i < size; ++i) text.push_back(alphabet[random() % alphabet.size()]);
      text = std::string(text::TrimBlanks(text));
      for (std::size_t i = 1; i < text.size(); ++i) {
        if (text[i - 1] == '\x81' && text[i] == '\x40') text[i] = 'a';
      }
      m.*field.member = text;
    }
    m.respect = static_cast<int>(random() % 4);
    const std::string line = FormatMemberLine(1, m);
    std::string fields = line.substr(std::string("[FAX_ADDR_GM]=4,1,").size());
    std::string scratch;
    CanonicalFields found;
    ASSERT_TRUE(ScanCanonicalFields(fields, &scratch, &found)) << fields;
    EXPECT_EQ(found.reading, m.dispNameJP);
    EXPECT_EQ(found.nameEmpty, m.dispName.empty());
    EXPECT_EQ(found.respect, m.respect);

    fields[random() % fields.size()] = alphabet[random() % alphabet.size()];
    if (ScanCanonicalFields(fields, nullptr, &found)) {
      ++canonicalSpoilt;
      EXPECT_EQ(Rewritten(fields), fields);
    }
  }
  EXPECT_GT(canonicalSpoilt, 1000);
}

// Values made to trip the scans: random bytes of a small alphabet of the
// bytes the rules look at, the writer's own lines spoilt in one byte, and
// texts whose lengths put quotes and commas around 16, 32 and 64 bytes.
std::vector<std::string> TrickyValues() {
  std::mt19937 random(11);
  const std::string alphabet = std::string("\",,,a \x81\x40\t1-\x93\0\x80\xFF\xA0", 16);
  std::vector<std::string> values;
  for (int round = 0; round < 30000; ++round) {
    std::string v;
    const std::size_t size = random() % 200;
    for (std::size_t i = 0; i < size; ++i) v.push_back(alphabet[random() % alphabet.size()]);
    values.push_back(v);
  }
  for (int round = 0; round < 30000; ++round) {
    MemberEntry m;
    for (const TextField& field : kTextFields) {
      std::string text;
      const std::size_t size = random() % 3 == 0 ? 14 + random() % 5 + 16 * (random() % 4)
                                                 : random() % 8;
      for (std::size_t i = 0; i < size; ++i) text.push_back(alphabet[random() % alphabet.size()]);
      m.*field.member = std::string(text::TrimBlanks(text));
    }
    m.respect = static_cast<int>(random() % 4);
    std::string v = FormatMemberLine(1, m).substr(std::string("[FAX_ADDR_GM]=4,1,").size());
    values.push_back(v);
    if (!v.empty()) v[random() % v.size()] = alphabet[random() % alphabet.size()];
    values.push_back(v);
  }
  return values;
}

// The two ways of finding canonical fields agree on every value.
TEST(CanonicalFields, BothScansAgree) {
  int canonical = 0;
  for (const std::string& v : TrickyValues()) {
    std::string scratchA, scratchB;
    CanonicalFields a, b;
    const bool ra = ScanCanonicalFieldsByMasks(v, &scratchA, &a);
    const bool rb = ScanCanonicalFieldsByField(v, &scratchB, &b);
    ASSERT_EQ(ra, rb) << testing::PrintToString(v);
    if (!ra) continue;
    ++canonical;
    EXPECT_EQ(a.reading, b.reading) << testing::PrintToString(v);
    EXPECT_EQ(a.nameEmpty, b.nameEmpty) << testing::PrintToString(v);
    EXPECT_EQ(a.respect, b.respect) << testing::PrintToString(v);
  }
  EXPECT_GT(canonical, 20000);
}

}  // namespace
}  // namespace store
