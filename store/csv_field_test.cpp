#include "store/csv_field.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace store {
namespace {

std::vector<std::string> Split(std::string_view line, int fields) {
  std::vector<std::string> out;
  for (int i = 0; i < fields; ++i) out.push_back(NextCsvField(&line));
  return out;
}

TEST(NextCsvField, SplitsLinesAsTheBookAndCsvReadersDo) {
  using V = std::vector<std::string>;
  struct Case {
    std::string line;
    V fields;
  } cases[] = {
      {"a,b,c", {"a", "b", "c", ""}},
      {"a,,c,", {"a", "", "c", ""}},
      {"\"Kita, Ltd.\",Sales", {"Kita, Ltd.", "Sales", ""}},
      {"\"The \"\"Sun\"\" Shop\",,x", {"The \"Sun\" Shop", "", "x"}},
      {"\"open,to the end", {"open,to the end", "", ""}},       // no closing quote
      {"ab\"c\"d,e", {"abcd", "e", ""}},                        // quotes inside: removed
      {"ab\"c", {"abc", ""}},                                   // also in the last field
      {"\"last\"", {"last", ""}},                               // a quoted last field
      {"\"a\"b,c", {"ab,c", ""}},                               // a quote before other bytes: dropped, scan goes on
      {"\"a\"\"\",b", {"a\"", "b"}},
      {"a,\"b\"", {"a", "b", ""}},
      {"x,\"", {"x", "", ""}},
      {"a,b\"c,d", {"a", "bc", "d"}},                          // first quote after the first comma
      {"  a , b ", {"  a ", " b ", ""}},                        // no trimming here
      {"\x82\xA0,\x82\xA2", {"\x82\xA0", "\x82\xA2", ""}},
      {"\x81,x", {"\x81", "x", ""}},                            // a lone lead byte keeps its comma
      {"", {"", ""}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Split(c.line, static_cast<int>(c.fields.size())), c.fields) << c.line;
  }
}

// Quoted fields are read sixteen bytes at a time: quotes right before,
// at and after the end of a block of sixteen, and runs of many blocks.
TEST(NextCsvField, ReadsLongQuotedFieldsWhole) {
  const std::string a14(14, 'a'), a15(15, 'a'), a16(16, 'a'), a40(40, 'a');
  using V = std::vector<std::string>;
  struct Case {
    std::string line;
    V fields;
  } cases[] = {
      {"\"" + a14 + "\"\"b\",c", {a14 + "\"b", "c", ""}},        // pair across the block end
      {"\"" + a15 + "\"\"b\",c", {a15 + "\"b", "c", ""}},
      {"\"" + a16 + "\"\"b\",c", {a16 + "\"b", "c", ""}},
      {"\"" + a15 + "\",c", {a15, "c", ""}},                      // closing quote at 16
      {"\"" + a16 + "\",c", {a16, "c", ""}},
      {"\"" + a40 + "\"x" + a16 + "\",c", {a40 + "x" + a16, "c", ""}},  // a quote dropped
      {"\"" + a40 + "," + a40, {a40 + "," + a40, ""}},            // never closed
      {"\"" + a40 + "\"", {a40, ""}},                            // closed at the very end
      {"\"" + a40 + "\"\"", {a40 + "\"", ""}},
      {std::string(20, '"') + ",x", {"\"\"\"\"\"\"\"\"\"", "x", ""}},  // nothing but pairs, closed
      {"\"" + a16 + a16 + "\",\"" + a16 + a16 + "\"", {a16 + a16, a16 + a16, ""}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Split(c.line, static_cast<int>(c.fields.size())), c.fields) << c.line;
    std::string_view rest = c.line;
    std::string scratch;
    for (const std::string& field : c.fields) {
      EXPECT_EQ(NextCsvFieldView(&rest, &scratch), field) << c.line;
    }
  }
}

TEST(QuoteField, QuotesOnlyWhatNeedsIt) {
  struct Case {
    std::string in, out;
  } cases[] = {
      {"plain", "plain"},
      {"", ""},
      {"Kita, Ltd.", "\"Kita, Ltd.\""},
      {"The \"Sun\" Shop", "\"The \"\"Sun\"\" Shop\""},
      {"a,\"b\"", "\"a,\"\"b\"\"\""},
      {"\"", "\"\"\"\""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(QuoteField(c.in), c.out);
    std::string_view rest = c.out;
    EXPECT_EQ(NextCsvField(&rest), c.in) << "reads back: " << c.out;
    EXPECT_TRUE(rest.empty());
  }
}

// The fast reader and the plain one take the same fields off the same
// lines: random lines of the bytes that matter, quoted runs whose quotes
// fall around 16, 32 and 64 bytes in, NULs and bytes 0x80-0xFF.
TEST(NextCsvField, FastAndPlainReadersAgree) {
  std::mt19937 random(3);
  const std::string few = std::string("\"\",,a\0\x80\xFF\x81\x40", 10);
  for (int round = 0; round < 40000; ++round) {
    std::string line;
    const int pieces = 1 + static_cast<int>(random() % 6);
    for (int p = 0; p < pieces; ++p) {
      if (random() % 2) line.push_back('"');
      const std::size_t run = random() % 3 ? random() % 8 : 13 + random() % 6 + 16 * (random() % 4);
      for (std::size_t i = 0; i < run; ++i) {
        line.push_back(random() % 4 ? static_cast<char>(random()) : few[random() % few.size()]);
      }
      line.push_back(random() % 3 ? '"' : ',');
      if (random() % 2) line.push_back(',');
    }
    std::string_view fast = line, plain = line;
    std::string fastScratch, plainScratch;
    // The in-place reader on a copy, which it rewrites as it goes.
    std::string copy = line;
    char* at = &copy[0];
    char* const end = at + copy.size();
    for (int field = 0; field < 64 && !(fast.empty() && plain.empty()); ++field) {
      const std::string a(NextCsvFieldView(&fast, &fastScratch));
      const std::string b(NextCsvFieldViewPlain(&plain, &plainScratch));
      const std::string_view c = NextCsvFieldInPlace(&at, end);
      ASSERT_EQ(a, b) << testing::PrintToString(line) << " field " << field;
      ASSERT_EQ(c, b) << testing::PrintToString(line) << " field " << field;
      ASSERT_EQ(fast.data(), plain.data()) << testing::PrintToString(line) << " field " << field;
      ASSERT_EQ(fast.size(), plain.size()) << testing::PrintToString(line) << " field " << field;
      ASSERT_EQ(static_cast<std::size_t>(end - at), plain.size()) << testing::PrintToString(line);
    }
  }
}

}  // namespace
}  // namespace store
