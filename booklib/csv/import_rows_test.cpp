// The rows of an import: values from the mapped columns, their scores and
// marks, and the confirmation list's columns and order.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "booklib/csv/import_list.h"
#include "booklib/csv/import_row.h"
#include "booklib/csv/row_reasons.h"
#include "platform/fake/fake_file_system.h"
#include "platform/text/portable_collation.h"
#include "store/csv_field.h"
#include "tests/support/utf16_text.h"

namespace csv {
namespace {

using rules::Field;
using Values = std::vector<std::string>;

const rules::TextRules kJapanese{1041, 932};
const rules::TextRules kEnglish{1033, 1252};

// Columns 0..7 feed the eight fields in order (the Japanese default).
ColumnMapping Straight() { return DefaultMapping(1041, 8); }

Values ValuesOf(const ImportRow& row) { return Values(row.values.begin(), row.values.end()); }

TEST(RowLoader, SplitsTrimsAndTakesTheMappedColumns) {
  struct Case {
    std::string line;
    Values values;  // the eight fields
  } cases[] = {
      {"a,\"b,c\",d", {"a", "b,c", "d", "", "", "", "", ""}},
      {"\"x\"\"y\",z", {"x\"y", "z", "", "", "", "", "", ""}},
      {"ab\"c,d", {"abc", "d", "", "", "", "", "", ""}},
      {"\"q\"r,s", {"qr,s", "", "", "", "", "", "", ""}},
      {"x,\"y\"", {"x", "y", "", "", "", "", "", ""}},
      {"x,a\"b", {"x", "ab", "", "", "", "", "", ""}},
      {",b", {"", "b", "", "", "", "", "", ""}},
      {" \x81\x40N\x81\x40M \t, R ", {"N  M", "R", "", "", "", "", "", ""}},  // wide spaces, blanks
      {"1,2,3,4,5,6,7,8,9,10", {"1", "2", "3", "4", "5", "6", "7", "8"}},
  };
  RowLoader loader(Straight(), kJapanese);
  for (const Case& c : cases) {
    ImportRow row;
    ASSERT_TRUE(loader.Load(c.line, 2, &row)) << c.line;
    EXPECT_EQ(ValuesOf(row), c.values) << c.line;
  }
  ImportRow row;
  for (const char* empty : {"", ",,,", " , \x81\x40 ,\t", "a,b,"}) {
    // Columns 0 and 1 only; "a,b," is a row.
    RowLoader twoColumns(DefaultMapping(1041, 2), kJapanese);
    EXPECT_EQ(twoColumns.Load(empty, 2, &row), std::string(empty) == "a,b,") << empty;
  }
}

TEST(RowLoader, OneColumnFeedsEveryFieldMappedToIt) {
  ColumnMapping mapping;
  mapping[Field::kDispNameJP] = 2;
  mapping[Field::kClientName] = 2;
  mapping[Field::kFaxNumber] = 0;
  ImportRow row;
  ASSERT_TRUE(RowLoader(mapping, kJapanese).Load("03-1,skip,ABCDEFGHIJKLMNOPQRSTU", 2, &row));
  EXPECT_EQ(row[Field::kDispNameJP], "ABCDEFGHIJKLMNOPQRSTU");
  EXPECT_EQ(row[Field::kClientName], "ABCDEFGHIJKLMNOPQRSTU");
  EXPECT_EQ(row[Field::kFaxNumber], "03-1");
  EXPECT_EQ(row.score, 2) << "too long for both fields it feeds";
}

TEST(RowLoader, ScoresAndMarks) {
  const std::string kana16 = "\xB1\xB2\xB3\xB4\xB5\xB6\xB7\xB8\xB9\xBA\xBB\xBC\xBD\xBE\xBF\xC0";
  struct Case {
    rules::TextRules rules;
    Values line;  // the eight columns
    int score;
    const char* mark;
  } cases[] = {
      {kJapanese, {"\x93\x63\x92\x86", "\xC0\xC5\xB6", "03-1234", "12#", "*9", "Kita", "Sales", "Desk"}, 0, ""},
      {kJapanese, {"N", "\x93\x63\x92\x86", "03", "", "", "", "", ""}, 10, "!"},   // kanji reading
      {kJapanese, {"N", std::string(20, 'r'), "03", "", "", "", "", ""}, 1, "?"},  // reading of 20
      {kJapanese, {"N", kana16, "03", "", "", "", "", ""}, 0, ""},                  // 16 exactly
      {kJapanese, {"N", "", "03", "", "", "", "", ""}, 1, "?"},                     // no reading
      {kJapanese, {"N", "R", "x1", "", "", std::string(65, 'c'), "", ""}, 11, "!"}, // fax and company
      {kJapanese, {"N", "R", "-03", "1-2", "a1", "", "", ""}, 30, "!"},
      {kJapanese, {std::string(18, 'n'), "R", std::string(33, '1'), "", "", "", "", ""}, 2, "?"},
      {kJapanese, {"N", "R", "03", "", "", "\x82\xA0\x81", "", ""}, 10, "!"},      // lone lead byte
      {kJapanese, {"N", "R", "03", "", "", "", "", "\xA1"}, 10, "!"},              // half-width 。
      // Other languages: no registration name; the classes are the reading's.
      {kEnglish, {"R\xE9", "03", "", "", "Caf\xE9", "", "", ""}, 0, ""},
      {kEnglish, {"R", "03", "", "", "a\tb", "", "", ""}, 10, "!"},
      {kEnglish, {"", "03", "", "", "", "", "", ""}, 1, "?"},
  };
  for (const Case& c : cases) {
    std::string line;
    for (std::size_t i = 0; i < c.line.size(); ++i) line += (i ? "," : "") + c.line[i];
    ImportRow row;
    ASSERT_TRUE(RowLoader(DefaultMapping(c.rules.langId, 8), c.rules).Load(line, 5, &row))
        << line;
    EXPECT_EQ(row.score, c.score) << line;
    EXPECT_STREQ(MarkOf(row.score), c.mark) << line;
    EXPECT_EQ(row.line, 5);
  }
}

TEST(RowLoader, TheRegistrationNameIsImportedInJapaneseOnly) {
  ColumnMapping mapping = DefaultMapping(1041, 8);  // DispName from column 0
  ImportRow row;
  ASSERT_TRUE(RowLoader(mapping, kEnglish).Load("Name,Reading,03", 2, &row));
  EXPECT_EQ(row[Field::kDispName], "");
  EXPECT_EQ(row[Field::kDispNameJP], "Reading");
  EXPECT_FALSE(RowLoader(mapping, kEnglish).Load("OnlyName", 2, &row))
      << "a name alone gives no row where names are not imported";
}

TEST(LoadCsvRows, SkipsTheHeaderKeepsFileOrderAndFailsWhole) {
  sys::FakeFileSystem files;
  files.SetFile("C:\\in.csv", "Name,Reading,Fax\r\nB,RB,1\r\n,,\r\nA,RA,2\r\n\r\nC,RC,3");
  ImportRows rows;
  ASSERT_TRUE(LoadCsvRows(files, "C:\\in.csv", Straight(), kJapanese, &rows));
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0][Field::kDispName], "B");
  EXPECT_EQ(rows[1][Field::kDispName], "A");
  EXPECT_EQ(rows[2][Field::kDispName], "C");
  EXPECT_EQ(rows[1].line, 4);
  EXPECT_EQ(rows[2].line, 6);

  files.SetFile("C:\\header.csv", "Name,Reading\r\n");
  EXPECT_TRUE(LoadCsvRows(files, "C:\\header.csv", Straight(), kJapanese, &rows));
  EXPECT_TRUE(rows.empty());
  files.FailReadAfter("C:\\in.csv", 30);
  EXPECT_FALSE(LoadCsvRows(files, "C:\\in.csv", Straight(), kJapanese, &rows));
  EXPECT_TRUE(rows.empty()) << "rows read before the error are not shown";
  EXPECT_FALSE(LoadCsvRows(files, "C:\\missing.csv", Straight(), kJapanese, &rows));
}

TEST(LoadCsvRows, AVeryLongValueIsARowThatWillBeCut) {
  sys::FakeFileSystem files;
  files.SetFile("C:\\long.csv", "h\n" + std::string(2'000'000, 'c') + ",R,03\n");
  ImportRows rows;
  ASSERT_TRUE(LoadCsvRows(files, "C:\\long.csv", Straight(), kJapanese, &rows));
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0][Field::kDispName].size(), 2'000'000u);
  EXPECT_STREQ(MarkOf(rows[0].score), "?");
}

TEST(LoadCsvRows, ALineCutAtANulIsARefusedRowWhateverCameBeforeIt) {
  struct Case {
    std::string line;
    Values values;  // what stood before the NUL
  } cases[] = {
      {std::string("N,R,03\0,,,,,Desk", 16), {"N", "R", "03", "", "", "", "", ""}},
      {std::string("N,R\0" "03", 6), {"N", "R", "", "", "", "", "", ""}},
      {std::string("\0N,R,03", 7), {"", "", "", "", "", "", "", ""}},  // nothing before it
      {std::string(",,\0N", 4), {"", "", "", "", "", "", "", ""}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    sys::FakeFileSystem files;
    files.SetFile("C:\\in.csv", "h\r\n" + c.line + "\r\nOK,OK,04\r\n");
    ImportRows rows;
    ASSERT_TRUE(LoadCsvRows(files, "C:\\in.csv", Straight(), kJapanese, &rows));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(ValuesOf(rows[0]), c.values);
    EXPECT_TRUE(rows[0].cutAtNul);
    EXPECT_EQ(rows[0].line, 2);
    EXPECT_STREQ(MarkOf(rows[0].score), "!");
    EXPECT_FALSE(rows[1].cutAtNul);
    EXPECT_STREQ(MarkOf(rows[1].score), "");
  }
  // NULs that end a line hide nothing: the row is as without them.
  sys::FakeFileSystem files;
  files.SetFile("C:\\in.csv", std::string("h\nN,R,03\0\0\n", 11));
  ImportRows rows;
  ASSERT_TRUE(LoadCsvRows(files, "C:\\in.csv", Straight(), kJapanese, &rows));
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_FALSE(rows[0].cutAtNul);
  EXPECT_EQ(rows[0].score, 0);
}

TEST(RowLoader, JoinedColumnsNoFaxNumberAndTheReasons) {
  ColumnMapping mapping;
  mapping[Field::kDispName] = 1;  // family, then given
  mapping.joined[static_cast<std::size_t>(Field::kDispName)] = 0;
  mapping[Field::kDispNameJP] = 2;
  mapping[Field::kFaxNumber] = 3;
  mapping[Field::kCompanyName] = 4;
  const ReasonTexts english = EnglishReasonTexts(932);
  struct Case {
    std::string line;
    std::string name;
    const char* mark;
    std::string reasons;
  } cases[] = {
      {"Taro,Yamada,YAMADA,03-1,Kita", "Yamada Taro", "", ""},
      {",Yamada,YAMADA,03-1", "Yamada", "", ""},
      {"Taro,,YAMADA,03-1", "Taro", "", ""},
      {"Taro,Yamada,YAMADA,,Kita", "Yamada Taro", "!", "no fax number"},
      {"Taro,Yamada,YAMADA,  ,Kita", "Yamada Taro", "!", "no fax number"},
      {"Taro,Yamada,,03-1," + std::string(70, 'k'), "Yamada Taro", "?",
       "too long for its field, cut: CompanyName; DispNameJP is empty"},
      {"Taro,Yamada,\x93\x63,x," + std::string(70, 'k'), "Yamada Taro", "!",
       "characters its field refuses in DispNameJP, FaxNumber; too long for its field, cut: "
       "CompanyName"},
  };
  RowLoader loader(mapping, kJapanese);
  for (const Case& c : cases) {
    ImportRow row;
    ASSERT_TRUE(loader.Load(c.line, 2, &row)) << c.line;
    EXPECT_EQ(row[Field::kDispName], c.name) << c.line;
    EXPECT_STREQ(MarkOf(row.score), c.mark) << c.line;
    EXPECT_EQ(DescribeRow(row, english), c.reasons) << c.line;
  }
}

TEST(RowLoader, Utf8ValuesTheCodePageLacksAreRefusedByField) {
  // A Korean letter (U+D55C) in each column in turn: only a mapped column
  // refuses its row, naming each field it feeds.
  const std::string han = "\xED\x95\x9C";
  ColumnMapping mapping = Straight();
  mapping[Field::kClientName] = 0;  // column 0 feeds two fields
  mapping[Field::kDepartmentName] = -1;  // column 6 feeds none
  RowLoader loader(mapping, kJapanese);
  const ReasonTexts english = EnglishReasonTexts(932);
  for (int column = 0; column < 8; ++column) {
    std::vector<std::string> cells = {"\xE7\x94\xB0", "TA", "03", "1", "2", "Co", "Dep", "Cl"};
    cells[static_cast<std::size_t>(column)] += han;
    std::string line;
    for (std::size_t i = 0; i < cells.size(); ++i) line += (i ? "," : "") + cells[i];
    ImportRow row;
    ASSERT_TRUE(loader.LoadUtf8(line, 3, &row)) << column;
    std::string expected;
    const char* names[] = {"DispName", "DispNameJP", "FaxNumber", "SubAddress", "Password",
                           "CompanyName", "DepartmentName", "ClientName"};
    if (column == 0) {
      expected = "a character code page 932 lacks in DispName: U+D55C; "
                 "a character code page 932 lacks in ClientName: U+D55C";
    } else if (column != 6) {
      expected = std::string("a character code page 932 lacks in ") + names[column] + ": U+D55C";
    }
    if (column == 7) expected.clear();  // ClientName comes from column 0
    EXPECT_EQ(DescribeRow(row, english), expected) << column;
    EXPECT_STREQ(MarkOf(row.score), expected.empty() ? "" : "!") << column;
    EXPECT_EQ(row[Field::kDispName], column == 0 ? "\x93\x63?" : "\x93\x63") << column;
  }
  // Convertible text reads as its code-page form.
  ImportRow row;
  ASSERT_TRUE(loader.LoadUtf8("\xE7\x94\xB0,\"\xEF\xBE\x80,\xEF\xBE\x80\",03", 2, &row));
  EXPECT_EQ(row[Field::kDispNameJP], "\xC0,\xC0");
  EXPECT_EQ(row.score, 0);
}

TEST(LoadCsvRows, QuotedLineBreaksMakeOneRowAndUtf8FilesConvert) {
  sys::FakeFileSystem files;
  files.SetFile("C:\\in.csv",
                "\xEF\xBB\xBFName,Reading,Fax,Address\r\n"
                "\xE7\x94\xB0\xE4\xB8\xAD,\xEF\xBE\x80\xEF\xBE\x85\xEF\xBD\xB6,03,\"1 Main St\r\n"
                "Floor 2\r\nTokyo\"\r\n"
                "Kita,KITA,04,x\r\n");
  ColumnMapping mapping;
  mapping[Field::kDispName] = 0;
  mapping[Field::kDispNameJP] = 1;
  mapping[Field::kFaxNumber] = 2;
  ImportRows rows;
  ASSERT_TRUE(LoadCsvRows(files, "C:\\in.csv", mapping, kJapanese, &rows, Charset::kUtf8));
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0][Field::kDispName], "\x93\x63\x92\x86");
  EXPECT_EQ(rows[0][Field::kDispNameJP], "\xC0\xC5\xB6");
  EXPECT_EQ(rows[0].score, 0);
  EXPECT_EQ(rows[1].line, 5);
  // The address mapped: its line breaks are characters a name refuses.
  mapping[Field::kCompanyName] = 3;
  ASSERT_TRUE(LoadCsvRows(files, "C:\\in.csv", mapping, kJapanese, &rows, Charset::kUtf8));
  EXPECT_EQ(rows[0][Field::kCompanyName], "1 Main St\nFloor 2\nTokyo");
  EXPECT_STREQ(MarkOf(rows[0].score), "!");
}

// A UTF-16 file, tab-separated as spreadsheets save it, gives the rows the
// same text in UTF-8 with commas gives; what is no UTF-16 refuses its row
// and says where.
TEST(LoadCsvRows, Utf16FilesReadAsTheirUtf8Text) {
  const std::string header = "Name\tReading\tFax\tSub\tPassword\tCompany\tDepartment\tRecipient";
  const std::vector<std::string> lines = {
      u8"田中\tﾀﾅｶ\t03-1\t\t\t\"北商事, 本社\"\t\t\t",
      u8"Kita\tKITA\t04\t\t\t\"1 Main St\r\nTokyo\"",
      u8"한\tHAN\t05",
      u8"𠮷野\tYOSHINO\t06",
  };
  std::string tabbed = header + "\r\n", commas = "\xEF\xBB\xBF" + header + "\r\n";
  for (const std::string& line : lines) {
    tabbed += line + "\r\n";
    std::string_view rest = line;
    std::string scratch, record;
    for (bool first = true; !rest.empty(); first = false) {
      const std::string_view field = store::NextTabFieldView(&rest, &scratch);
      // Always quoted: a line break in a value stays in it.
      std::string quoted = "\"";
      for (char c : field) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
      record += (first ? "" : ",") + quoted + "\"";
    }
    commas += record + "\r\n";
  }
  sys::FakeFileSystem files;
  files.SetFile("C:\\utf8.csv", commas);
  ImportRows expected;
  ASSERT_TRUE(LoadCsvRows(files, "C:\\utf8.csv", Straight(), kJapanese, &expected, Charset::kUtf8));
  ASSERT_EQ(expected.size(), 4u);
  EXPECT_EQ(expected[0][Field::kCompanyName], "\x96\x6B\x8F\xA4\x8E\x96, \x96\x7B\x8E\xD0");
  const ReasonTexts english = EnglishReasonTexts(932);
  for (bool bigEndian : {false, true}) {
    files.SetFile("C:\\utf16.csv", utf16text::Encode(tabbed, bigEndian));
    ImportRows rows;
    ASSERT_TRUE(LoadCsvRows(files, "C:\\utf16.csv", Straight(), kJapanese, &rows, Charset::kUtf16));
    ASSERT_EQ(rows.size(), expected.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
      EXPECT_EQ(ValuesOf(rows[i]), ValuesOf(expected[i])) << i;
      EXPECT_EQ(rows[i].line, expected[i].line) << i;
      EXPECT_EQ(DescribeRow(rows[i], english), DescribeRow(expected[i], english)) << i;
    }
    EXPECT_EQ(DescribeRow(rows[2], english), "a character code page 932 lacks in DispName: U+D55C");
    EXPECT_EQ(DescribeRow(rows[3], english), "a character code page 932 lacks in DispName: U+20BB7");
  }

  // A surrogate without its partner, and a last byte without its pair.
  using utf16text::Encode;
  using utf16text::Unit;
  files.SetFile("C:\\bad.csv", Encode(header + "\r\n" + u8"𠮷a") + Unit(0xD842) +
                                     Encode("b\tB\t07\r\nc\tC\t08\t\t\tCo", false, false) + "x");
  ImportRows rows;
  ASSERT_TRUE(LoadCsvRows(files, "C:\\bad.csv", Straight(), kJapanese, &rows, Charset::kUtf16));
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0][Field::kDispName], "?a?b");
  EXPECT_EQ(DescribeRow(rows[0], english), "a character code page 932 lacks in DispName: U+20BB7");
  EXPECT_STREQ(MarkOf(rows[0].score), "!");
  files.SetFile("C:\\bad.csv", Encode(header + "\r\na") + Unit(0xD842) +
                                     Encode("b\tB\t07\r\nc\tC\t08\t\t\tCo", false, false) + "x");
  ASSERT_TRUE(LoadCsvRows(files, "C:\\bad.csv", Straight(), kJapanese, &rows, Charset::kUtf16));
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(DescribeRow(rows[0], english), "not UTF-16 at byte 3 of DispName (half a character)");
  EXPECT_EQ(DescribeRow(rows[1], english), "not UTF-16 at byte 5 of CompanyName (half a character)");
  EXPECT_STREQ(MarkOf(rows[1].score), "!");
}

ImportRow Row(const std::string& name, const std::string& reading, int score = 0) {
  ImportRow row;
  row[Field::kDispName] = name;
  row[Field::kDispNameJP] = reading;
  row[Field::kFaxNumber] = "03";
  row.score = score;
  return row;
}

std::vector<std::string> Column(const ImportList& list, int column) {
  std::vector<std::string> out;
  for (int p = 0; p < list.Size(); ++p) out.emplace_back(list.Cell(p, column));
  return out;
}

// A system whose collation makes no keys: the list then compares texts.
class KeylessCollation : public text::PortableCollation {
 public:
  explicit KeylessCollation(int codePage) : PortableCollation(codePage) {}
  bool CollationKey(std::string_view, std::string*) const override { return false; }
};

TEST(ImportList, ColumnsFollowTheLanguage) {
  text::PortableCollation collation(932);
  ImportList japanese(1041, collation);
  japanese.Assign({Row("Name", "READ", 10)});
  EXPECT_EQ(japanese.ColumnCount(), 9);
  EXPECT_EQ(japanese.Cell(0, 0), "!");
  EXPECT_EQ(japanese.Cell(0, 1), "Name");
  EXPECT_EQ(japanese.Cell(0, 2), "READ");
  EXPECT_EQ(japanese.Cell(0, 3), "03");
  ImportList english(1033, collation);
  english.Assign({Row("", "READ", 1)});
  EXPECT_EQ(english.ColumnCount(), 8);
  EXPECT_EQ(english.Cell(0, 0), "?");
  EXPECT_EQ(english.Cell(0, 1), "READ");
  EXPECT_EQ(english.Cell(0, 2), "03");
  EXPECT_EQ(english.Cell(1, 0), "") << "outside the list";
}

TEST(ImportList, SortsStablyBothWaysWithOrWithoutKeys) {
  text::PortableCollation keyed(932);
  KeylessCollation keyless(932);
  for (const text::Collation* collation : {static_cast<const text::Collation*>(&keyed),
                                           static_cast<const text::Collation*>(&keyless)}) {
    ImportList list(1041, *collation);
    // Rows of names the list order counts as equal ("b", "B" and "b" again)
    // keep their order in both directions.
    list.Assign({Row("b", "1"), Row("\xB1", "2"), Row("a", "3"), Row("B", "4"), Row("b", "5"),
                 Row("", "6", 10)});
    list.Sort(1, true);
    EXPECT_EQ(Column(list, 2), (std::vector<std::string>{"6", "3", "1", "4", "5", "2"}));
    list.Sort(1, false);
    EXPECT_EQ(Column(list, 2), (std::vector<std::string>{"2", "1", "4", "5", "3", "6"}));
    list.Sort(0, true);
    EXPECT_EQ(Column(list, 0), (std::vector<std::string>{"", "", "", "", "", "!"}));
    EXPECT_EQ(Column(list, 2), (std::vector<std::string>{"2", "1", "4", "5", "3", "6"}));
  }
}

TEST(ImportList, RemovingRowsKeepsTheOthersInOrderAndFindable) {
  text::PortableCollation collation(932);
  ImportList list(1041, collation);
  list.Assign({Row("a", "1"), Row("b", "2"), Row("c", "3"), Row("d", "4")});
  const int idOfD = list.IdAt(3);
  list.Remove({2, 0, 2, 9});
  EXPECT_EQ(Column(list, 1), (std::vector<std::string>{"b", "d"}));
  EXPECT_EQ(list.PositionOf(idOfD), 1);
  EXPECT_EQ(list.PositionOf(0), -1);
}

}  // namespace
}  // namespace csv
