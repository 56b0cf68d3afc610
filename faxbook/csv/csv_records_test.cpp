// Records of a CSV file: a quoted field open at the end of a line goes on in
// the next, within bounds; every other line is a record as it always was.
#include "faxbook/csv/csv_records.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/fake/fake_file_system.h"

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

std::vector<Record> RecordsOf(const std::string& file, std::size_t piece = 7) {
  sys::FakeFileSystem files;
  files.SetPieceSize(piece);
  files.SetFile("a.csv", file);
  std::vector<Record> out;
  EXPECT_TRUE(ReadRecords(files, "a.csv", [&](std::string_view text, int first, int lines, bool) {
    out.push_back({std::string(text), first, lines});
    return true;
  }));
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
