#include "store/csv_field.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace store
