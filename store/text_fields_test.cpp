#include "store/text_fields.h"

#include <gtest/gtest.h>

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
  for (const Case& c : cases) {
    CanonicalFields fields;
    EXPECT_EQ(ScanCanonicalFields(c.fields, nullptr, &fields), c.canonical) << c.fields;
    if (c.canonical) {
      EXPECT_EQ(Rewritten(c.fields), c.fields);
    }
  }
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

}  // namespace
}  // namespace store
