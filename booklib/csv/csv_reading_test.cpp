// Reading a CSV file: its lines, its header as the mapping dialog offers
// it, and the mapping proposed for it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "booklib/csv/column_mapping.h"
#include "booklib/csv/csv_header.h"
#include "booklib/csv/csv_lines.h"
#include "platform/fake/fake_file_system.h"

namespace csv {
namespace {

using Lines = std::vector<std::string>;

// Each line's text; one a NUL byte cut short starts with "[cut]".
Lines AllLines(sys::FakeFileSystem& files, const std::string& path, bool* ok = nullptr) {
  Lines lines;
  const bool read = ReadLines(files, path, [&](std::string_view line, bool cut) {
    lines.push_back((cut ? "[cut]" : "") + std::string(line));
    return true;
  });
  if (ok) *ok = read;
  return lines;
}

TEST(CsvLines, EndAtLineFeedsInAnyPieceSize) {
  struct Case {
    std::string bytes;
    Lines lines;
  } cases[] = {
      {"", {}},
      {"\n", {""}},
      {"a\r\nb\n", {"a", "b"}},
      {"a\nb", {"a", "b"}},                  // a last line without its end counts
      {"a\r\r\nb", {"a\r", "b"}},            // only the CR before the LF goes
      {"a\rb\n", {"a\rb"}},                  // a lone CR stays in the line
      {"a\r", {"a"}},                         // but not at the end of the last line
      {"a\r\r", {"a\r"}},
      {std::string("x\0y,z\nw", 7), {"[cut]x", "w"}},      // a NUL ends the line's text
      {std::string("\0rest\r\n", 7), {"[cut]"}},
      {std::string("a,b\0\0\r\nc\0", 9), {"a,b", "c"}},   // only NULs after it: nothing lost
      {std::string("a\0\0b\n", 5), {"[cut]a"}},
      {"\n\n\x82\xA0\r\n", {"", "", "\x82\xA0"}},
  };
  for (const Case& c : cases) {
    for (std::size_t piece : {1u, 2u, 3u, 4096u}) {
      sys::FakeFileSystem files;
      files.SetFile("C:\\a.csv", c.bytes);
      files.SetPieceSize(piece);
      EXPECT_EQ(AllLines(files, "C:\\a.csv"), c.lines) << "piece size " << piece;
    }
  }
}

TEST(CsvLines, ALineOfAnyLengthComesWholeAndFaultsAreReported) {
  sys::FakeFileSystem files;
  const std::string longLine(3'000'000, 'x');
  files.SetFile("C:\\long.csv", "h\n" + longLine + ",end\nlast");
  files.SetPieceSize(65536);
  const Lines lines = AllLines(files, "C:\\long.csv");
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[1], longLine + ",end");
  EXPECT_EQ(lines[2], "last");

  bool ok = true;
  EXPECT_TRUE(AllLines(files, "C:\\missing.csv", &ok).empty());
  EXPECT_FALSE(ok);
  files.FailReadAfter("C:\\long.csv", 100000);
  AllLines(files, "C:\\long.csv", &ok);
  EXPECT_FALSE(ok) << "a read that fails part way is a file error";

  std::string first;
  files.SetFile("C:\\two.csv", "Name,Fax\r\nrow\r\n");
  EXPECT_TRUE(ReadFirstLine(files, "C:\\two.csv", &first));
  EXPECT_EQ(first, "Name,Fax");
  files.SetFile("C:\\empty.csv", "");
  EXPECT_FALSE(ReadFirstLine(files, "C:\\empty.csv", &first));
}

TEST(CsvHeader, EntriesQuoteNamesAndNumberEmptyColumns) {
  const std::string none = "(NONE)";
  struct Case {
    std::string line;
    int columns;
    std::vector<std::string> entries;
  } cases[] = {
      {"Name,\"Reading\",,Fax", 4, {"\"Name\"", "\"Reading\"", "((NONE) 2)", "\"Fax\""}},
      {"a,b,", 2, {"\"a\"", "\"b\""}},              // a trailing comma adds no column
      {",b", 2, {"((NONE) 0)", "\"b\""}},
      {"", 0, {}},
      {"\"x\"\"y\",z", 2, {"\"x\"y\"", "\"z\""}},
      {"\"q\"r,s", 1, {"\"qr,s\""}},
      {"  ", 1, {"\"  \""}},                        // raw splitter output: not trimmed
      {"\x83\x74\x83\x8A\x83\x4B\x83\x69,,", 2, {"\"\x83\x74\x83\x8A\x83\x4B\x83\x69\"", "((NONE) 1)"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CountColumns(c.line), c.columns) << c.line;
    EXPECT_EQ(HeaderEntries(c.line, none), c.entries) << c.line;
  }
  // A header of very many columns offers the first ones only.
  std::string wide;
  for (int i = 0; i < 5000; ++i) wide += "c,";
  EXPECT_EQ(CountColumns(wide), 5000);
  EXPECT_EQ(HeaderEntries(wide, none).size(), kMaxHeaderEntries);
}

// A header read as UTF-8 has the columns the same bytes have in the code
// page, empty ones at its end too.
TEST(CsvHeader, EveryCharacterSetCountsTheColumnsTheLineHas) {
  const std::string lines[] = {
      "H0,H1,H2,,H4,H5,,",
      ",",
      ",,",
      "a,,",
      "\"x\",\"\",",
      "\"\"",
  };
  for (const std::string& line : lines) {
    sys::FakeFileSystem files;
    CsvHeader codePage, utf8, marked;
    files.SetFile("C:\\a.csv", line + "\r\nrow\r\n");
    ASSERT_TRUE(ReadHeader(files, "C:\\a.csv", Charset::kCodePage, 932, &codePage));
    ASSERT_TRUE(ReadHeader(files, "C:\\a.csv", Charset::kUtf8, 932, &utf8));
    files.SetFile("C:\\a.csv", "\xEF\xBB\xBF" + line + "\r\nrow\r\n");
    ASSERT_TRUE(ReadHeader(files, "C:\\a.csv", Charset::kUtf8, 932, &marked));
    EXPECT_EQ(CountColumns(utf8.line), CountColumns(line)) << line;
    EXPECT_EQ(CountColumns(marked.line), CountColumns(line)) << line;
    EXPECT_EQ(HeaderEntries(utf8.line, "-"), HeaderEntries(codePage.line, "-")) << line;
    EXPECT_EQ(utf8.utf8Fields, codePage.utf8Fields) << line;
  }
}

TEST(DefaultMapping, EachLanguageGroupWithFallBackToColumnZero) {
  using M = std::array<int, 8>;
  struct Case {
    int langId;
    int columns;
    M expected;  // DispName, DispNameJP, Fax, Sub, Password, Company, Department, Client
  } cases[] = {
      {1041, 8, {0, 1, 2, 3, 4, 5, 6, 7}},
      {1041, 20, {0, 1, 2, 3, 4, 5, 6, 7}},
      {1041, 5, {0, 1, 2, 3, 4, 0, 0, 0}},
      {1041, 1, {0, 0, 0, 0, 0, 0, 0, 0}},
      {1041, 0, {-1, -1, -1, -1, -1, -1, -1, -1}},
      {1033, 7, {-1, 0, 1, 2, 3, 4, 5, 6}},
      {1033, 3, {-1, 0, 1, 2, 0, 0, 0, 0}},
      {2052, 2, {-1, 0, 1, 0, 0, 0, 0, 0}},
      {1033, 0, {-1, -1, -1, -1, -1, -1, -1, -1}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DefaultMapping(c.langId, c.columns).columns, c.expected)
        << c.langId << " with " << c.columns << " columns";
  }
}

}  // namespace
}  // namespace csv
