// Records of a CSV file: a quoted field open at the end of a line goes on in
// the next, within bounds; every other line is a record as it always was.
#include "booklib/csv/csv_records.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/fake/fake_file_system.h"
#include "tests/support/utf16_text.h"

namespace csv {
namespace {

struct Record {
  std::string text;
  int firstLine;
  int lines;
  bool operator==(const Record& o) const {
    return text == o.text && firstLine == o.firstLine && lines == o.lines;
  }
};

std::ostream& operator<<(std::ostream& os, const Record& r) {
  return os << "{" << ::testing::PrintToString(r.text) << " @" << r.firstLine << " x" << r.lines
            << "}";
}

std::vector<Record> RecordsOf(const std::string& file, std::size_t piece = 7,
                              Charset charset = Charset::kCodePage) {
  sys::FakeFileSystem files;
  files.SetPieceSize(piece);
  files.SetFile("a.csv", file);
  std::vector<Record> out;
  EXPECT_TRUE(ReadRecords(files, "a.csv", [&](std::string_view text, int first, int lines, bool) {
    out.push_back({std::string(text), first, lines});
    return true;
  }, charset));
  return out;
}

TEST(EndsInOpenQuote, AsTheFieldSplitterReadsTheLine) {
  struct Case {
    const char* line;
    bool open;
  } cases[] = {
      {"a,\"b", true},         {"a,\"b\"", false},     {"\"x\"\"y", true},
      {"\"x\"\"y\"", false},   {"ab\"c,d", false},     {"\"q\"r,s", false},
      {"\"a\",\"b", true},     {"\"a,b", true},        {"x,a\"b", false},
      {"", false},             {"\"\"", false},        {"\"", true},
      {"\"a\"\",", true},      {"\"a\",", false},
  };
  for (const Case& c : cases) EXPECT_EQ(EndsInOpenQuote(c.line), c.open) << c.line;
}

TEST(RecordJoiner, QuotedLineBreaksBoundsAndTheEndOfTheFile) {
  struct Case {
    const char* what;
    std::string file;
    std::vector<Record> records;
  } cases[] = {
      {"plain lines", "a,b\r\nc\r\n\r\nd", {{"a,b", 1, 1}, {"c", 2, 1}, {"", 3, 1}, {"d", 4, 1}}},
      {"an address over three lines",
       "Name,Address,Fax\r\nKita,\"1 Main St\r\nFloor 2\r\nTokyo\",03\r\nNext,x,04\r\n",
       {{"Name,Address,Fax", 1, 1},
        {"Kita,\"1 Main St\nFloor 2\nTokyo\",03", 2, 3},
        {"Next,x,04", 5, 1}}},
      {"a doubled quote keeps the field open", "\"say \"\"hi\"\"\nthere\",1\n",
       {{"\"say \"\"hi\"\"\nthere\",1", 1, 2}}},
      {"unclosed at the end of the file: each line alone", "1,\"abc\n2,x\n3,y",
       {{"1,\"abc", 1, 1}, {"2,x", 2, 1}, {"3,y", 3, 1}}},
      {"a closed record, then one open to the end", "a\n\"b\nc\n",
       {{"a", 1, 1}, {"\"b", 2, 1}, {"c", 3, 1}}},
      {"a line with an odd count of quotes closes the field", "1,\"a\n2,\"b\n3\n",
       {{"1,\"a\n2,\"b", 1, 2}, {"3", 3, 1}}},
  };
  for (const Case& c : cases) {
    for (std::size_t piece : {std::size_t{1}, std::size_t{7}, std::size_t{4096}}) {
      EXPECT_EQ(RecordsOf(c.file, piece), c.records) << c.what << " in pieces of " << piece;
    }
  }
}

TEST(RecordJoiner, AFieldOpenPastTheBoundsIsReadAsOneLine) {
  // 1000 lines make one record; an open field on the 1001st gives up.
  std::string within = "\"open\n";
  for (int i = 0; i < 998; ++i) within += "x\n";
  within += "end\",1\nafter\n";
  const std::vector<Record> joined = RecordsOf(within, 4096);
  ASSERT_EQ(joined.size(), 2u);
  EXPECT_EQ(joined[0].lines, 1000);
  EXPECT_EQ(joined[1], (Record{"after", 1001, 1}));

  std::string past = "\"open\n";
  for (int i = 0; i < 999; ++i) past += "x\n";
  past += "end\",1\n";
  const std::vector<Record> split = RecordsOf(past, 4096);
  ASSERT_EQ(split.size(), 1001u);
  EXPECT_EQ(split[0], (Record{"\"open", 1, 1}));
  EXPECT_EQ(split[1], (Record{"x", 2, 1}));
  EXPECT_EQ(split[1000], (Record{"end\",1", 1001, 1}));

  // 64 KiB of lines end it too.
  const std::string line(1000, 'y');
  std::string large = "a,\"b\n";
  for (int i = 0; i < 70; ++i) large += line + "\n";
  large += "c\"\n";
  const std::vector<Record> bytes = RecordsOf(large, 4096);
  EXPECT_EQ(bytes.front(), (Record{"a,\"b", 1, 1}));
  EXPECT_EQ(bytes.size(), 72u);
}

// A UTF-16 file whose first line holds a tab: its records as UTF-8 with
// commas, each giving the splitter the fields the tabs separated.
TEST(RecordJoiner, AUtf16FileWithTabsComesAsUtf8WithCommas) {
  struct Case {
    const char* what;
    std::string text;  // UTF-8, written as UTF-16 with a mark
    std::vector<Record> records;
  } cases[] = {
      {"a comma in a value is quoted", "Name\tFax\r\nKita, Ltd.\t03\r\n",
       {{"Name,Fax", 1, 1}, {"\"Kita, Ltd.\",03", 2, 1}}},
      {"empty columns at the end stay columns", "a\tb\t\t\r\n\t\r\n",
       {{"a,b,\"\"", 1, 1}, {"\"\"", 2, 1}}},
      {"a quoted value over two lines with a tab in it", "H\tI\r\n\"x\ty\r\nz\"\t1\r\n",
       {{"H,I", 1, 1}, {"x\ty\nz,1", 2, 2}}},
      {"doubled quotes, and quotes inside an unquoted value",
       "H\tI\n\"say \"\"hi\"\"\"\tsay \"hi\"\n",
       {{"H,I", 1, 1}, {"\"say \"\"hi\"\"\",say hi", 2, 1}}},
      {"Japanese values", u8"姓\t名\r\n山田\t太郎\r\n", {{u8"姓,名", 1, 1}, {u8"山田,太郎", 2, 1}}},
      {"no tab in the first line: commas", "a,b\r\nc\td,e\r\n", {{"a,b", 1, 1}, {"c\td,e", 2, 1}}},
  };
  for (const Case& c : cases) {
    for (bool bigEndian : {false, true}) {
      for (std::size_t piece : {std::size_t{1}, std::size_t{3}, std::size_t{4096}}) {
        EXPECT_EQ(RecordsOf(utf16text::Encode(c.text, bigEndian), piece, Charset::kUtf16),
                  c.records)
            << c.what << (bigEndian ? ", big-endian" : "") << " in pieces of " << piece;
      }
    }
  }
  // Tabs in a file of the code page or UTF-8 are bytes of their values.
  EXPECT_EQ(RecordsOf("a\tb\r\n", 7), (std::vector<Record>{{"a\tb", 1, 1}}));
  EXPECT_EQ(RecordsOf("a\tb\r\n", 7, Charset::kUtf8), (std::vector<Record>{{"a\tb", 1, 1}}));
}

// A UTF-8 file's mark is no text: a quoted first heading may span lines
// as any other field does. Read in the code page, the mark is bytes of the
// heading.
TEST(RecordJoiner, AUtf8FilesMarkIsNoTextOfItsFirstRecord) {
  const std::string file = "\xEF\xBB\xBF\"Na\r\nme\",Fax\r\nx,1\r\n";
  for (std::size_t piece : {std::size_t{1}, std::size_t{2}, std::size_t{4096}}) {
    EXPECT_EQ(RecordsOf(file, piece, Charset::kUtf8),
              (std::vector<Record>{{"\"Na\nme\",Fax", 1, 2}, {"x,1", 3, 1}}))
        << piece;
    EXPECT_EQ(RecordsOf(file, piece).front(), (Record{"\xEF\xBB\xBF\"Na", 1, 1})) << piece;
    EXPECT_EQ(RecordsOf("\xEF\xBB", piece, Charset::kUtf8), (std::vector<Record>{{"\xEF\xBB", 1, 1}}))
        << "shorter than the mark";
  }
}

TEST(RecordJoiner, TheSinkStopsTheReading) {
  sys::FakeFileSystem files;
  files.SetFile("a.csv", "h\n\"a\nb\"\nc\n");
  std::string first;
  ASSERT_TRUE(ReadFirstRecord(files, "a.csv", &first));
  EXPECT_EQ(first, "h");
  int seen = 0;
  ASSERT_TRUE(ReadRecords(files, "a.csv", [&](std::string_view, int, int, bool) {
    return ++seen < 2;
  }));
  EXPECT_EQ(seen, 2);
  EXPECT_FALSE(ReadFirstRecord(files, "missing.csv", &first));
}

}  // namespace
}  // namespace csv
