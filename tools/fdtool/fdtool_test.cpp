#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <random>
#include <set>
#include <sstream>
#include <vector>

#include "platform/fake/fake_file_system.h"
#include "platform/sys/text_convert.h"
#include "platform/text/codepage.h"
#include "platform/text/portable_collation.h"
#include "store/book_file.h"
#include "store/book_order.h"
#include "store/csv_field.h"
#include "store/test_support.h"
#include "tests/support/cut_pages.h"
#include "tests/support/utf16_text.h"
#include "tools/fdtool/book_check.h"
#include "tools/fdtool/csv_options.h"
#include "tools/fdtool/commands.h"
#include "tools/fdtool/editor_book.h"
#include "tools/fdtool/normalize.h"

namespace fdtool {
namespace {

std::string TestData(const std::string& name) {
  const char* dir = std::getenv("FAXBOOK_TEST_DATA");
  std::ifstream in(std::string(dir ? dir : "tests/data") + "/" + name, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

std::string Normalize(const std::string& bytes, int langId = 1041) {
  text::PortableCollation collation(langId == 1041 ? 932 : 1252);
  store::RecordingAlerts alerts;
  return NormalizeBook(bytes, langId, collation, &alerts);
}

const std::string kHeader = "// This is BrevantZelo Relay Fax AddressBook  Utility Data.\r\n";

TEST(Normalize, TheExampleBookIsAlreadyNormal) {
  const std::string example = TestData("example_ja.fdt");
  ASSERT_FALSE(example.empty());
  EXPECT_EQ(Normalize(example), example);
}

TEST(Normalize, DoesWhatLoadAndApplyDo) {
  const std::string in =
      "any header\n"
      "[FAX_ADDR]=1,5,  Zed ,ZED,1,,,,,,2\n"
      "[FAX_ADDR]=1,6,Zed again,ZED,2,,,,,,0\n"    // repeats the reading before it: dropped
      "[FAX_ADDR]=2,7,Odd,ODD,3,,,,,,0\n"           // kind 2 is written back as kind 1
      "[FAX_ADDR_GM]=4,9,Zed,ZED,1,,,,,,2\n"        // a member before its group line
      "[FAX_ADDR]=3,9,Group,GRP,x,y,z,,,,3\n";      // a group keeps only its names
  const std::string expected = kHeader +
      "\r\n[FAX_ADDR]=3,9,Group,GRP,\r\n"
      "[FAX_ADDR_GM]=4,9,Zed,ZED,1,,,,,,2\r\n"
      "[FAX_ADDR]=1,7,Odd,ODD,3,,,,,,0\r\n"
      "[FAX_ADDR]=1,5,Zed,ZED,1,,,,,,2\r\n";
  EXPECT_EQ(Normalize(in), expected);
  EXPECT_EQ(Normalize(expected), expected);
}

TEST(Normalize, OtherLanguagesDropTheNameAndHonorific) {
  const std::string in = "h\n[FAX_ADDR]=1,1,Name,b,1,,,,,Desk,2\n[FAX_ADDR]=1,2,N,#a,2,,,,,,1\n";
  EXPECT_EQ(Normalize(in, 1033), kHeader + "[FAX_ADDR]=1,2,,#a,2,,,,,,0\r\n"
                                           "[FAX_ADDR]=1,1,,b,1,,,,,Desk,0\r\n");
}

struct CheckRun {
  int exit;
  std::string report;
};

CheckRun Check(const std::string& bytes) {
  sys::FakeFileSystem files;
  files.SetFile("book.fdt", bytes);
  std::FILE* out = std::tmpfile();
  CheckRun run{RunCheck(files, Options(), "book.fdt", out), ""};
  std::rewind(out);
  char buffer[4096];
  std::size_t n = std::fread(buffer, 1, sizeof buffer, out);
  run.report.assign(buffer, n);
  std::fclose(out);
  return run;
}

TEST(Check, CountsWhatTheReaderMakesOfEachLine) {
  const CheckRun ok = Check(TestData("example_ja.fdt"));
  EXPECT_EQ(ok.exit, kExitOk);
  EXPECT_EQ(ok.report, "entries: 3\naddresses: 2\ngroups: 1\nmembers: 2\nignored_lines: 0\n");

  const CheckRun bad = Check(
      "h\n"
      "[FAX_ADDR]=1,1,NameThatIsTooLong,R,1\n"                  // line 2
      "[FAX_ADDR_GM]=4,1,n,MEMBER," + std::string(33, '1') + "\n"  // line 3
      "[FAX_ADDR_GM]=4,1,n,member,1\n"                          // a repeated member: refused
      "[FAX_ADDR_GM]=7,1,n,other,1\n"                           // a wrong kind
      "[OTHER]=1\n"
      "// comment\n\n");
  EXPECT_EQ(bad.exit, kExitProblems);
  EXPECT_EQ(bad.report,
            "entries: 1\naddresses: 1\ngroups: 0\nmembers: 1\nignored_lines: 2\n"
            "line 1: written back as the editor's header: \"h\" is lost\n"
            "line 2: DispName too long\n"
            "line 3: FaxNumber too long\n"
            "line 3: member of no group: no group entry has RegNo 1\n"
            "line 4: member repeats a reading of group 1\n"
            "line 5: member of a kind other than 4 is dropped\n"
            "line 6: line of key \"[OTHER]\" is not written back\n"
            "line 7: comment is not written back\n");
}

// A book whose lines come after the header, each ended with CR LF.
std::string BookOf(const std::vector<std::string>& lines) {
  std::string book = kHeader;
  for (const std::string& line : lines) book += line + "\r\n";
  return book;
}

TEST(Check, ReportsEverythingARewriteWouldNotKeep) {
  std::vector<std::string> fullGroup = {"[FAX_ADDR]=3,7,G,G,"};
  for (int m = 0; m < 81; ++m) {
    fullGroup.push_back("[FAX_ADDR_GM]=4,7,n,M" + std::to_string(m) + ",1,,,,,,0");
  }
  std::vector<std::string> manyGroups;
  for (int g = 1; g <= 3001; ++g) {
    manyGroups.push_back("[FAX_ADDR]=3," + std::to_string(g) + ",G,G" + std::to_string(g) + ",");
  }
  manyGroups.push_back("[FAX_ADDR_GM]=4,3001,n,M,1,,,,,,0");
  struct Case {
    const char* what;
    std::string book;
    int langId;
    std::vector<std::string> problems;
  } cases[] = {
      {"an editor's book", BookOf({"[FAX_ADDR]=1,1,a,A,1,,,,,,0", "", "[FAX_ADDR]=3,2,g,G,",
                                  "[FAX_ADDR_GM]=4,2,a,A,1,,,,,,0"}),
       1041, {}},
      {"lines short of fields, and needless quotes", BookOf({"[FAX_ADDR]=1,1,\"a\",A"}), 1041, {}},
      {"a member beyond 80", BookOf(fullGroup), 1041, {"line 83: member beyond the 80 of group 7"}},
      {"a group beyond the 3000 slots", BookOf(manyGroups), 1041,
       {"line 3002: entry over the limit of 3000",
        "line 3002: group beyond the 3000 slots of the group table: its members are lost",
        "line 3003: member beyond the 3000 slots of the group table"}},
      {"a member of no group, of an address and of a high key",
       BookOf({"[FAX_ADDR]=1,1,a,A,1,,,,,,0", "[FAX_ADDR_GM]=4,1,m,M,1,,,,,,0",
              "[FAX_ADDR_GM]=4,65537,m,M,1,,,,,,0", "[FAX_ADDR_GM]=4,9,,,1,,,,,,0"}),
       1041,
       {"line 3: member of no group: no group entry has RegNo 1",
        "line 4: member of no group: no group entry has RegNo 65537",
        "line 5: member without a reading is not kept"}},
      {"a line cut at a NUL byte",
       std::string(kHeader) + std::string("[FAX_ADDR]=1,1,a\0b,A,1,,,,,,0\r\n\0x\r\n", 35),
       1041, {"line 2: cut at a NUL byte: the rest is lost", "line 3: cut at a NUL byte: the rest is lost"}},
      {"Respect outside 0..3", BookOf({"[FAX_ADDR]=1,1,a,A,1,,,,,,4", "[FAX_ADDR]=1,2,b,B,1,,,,,,-1"}),
       1041, {"line 2: Respect 4 is outside 0..3", "line 3: Respect -1 is outside 0..3"}},
      {"repeated registration numbers",
       BookOf({"[FAX_ADDR]=1,5,a,A,1,,,,,,0", "[FAX_ADDR]=3,5,g,G,", "[FAX_ADDR]=1,65541,c,C,1,,,,,,0"}),
       1041, {"line 3: RegNo 5 is already used on line 2", "line 4: RegNo 5 is already used on line 2"}},
      {"a reading the load drops",
       BookOf({"[FAX_ADDR]=1,1,a,A,1,,,,,,0", "[FAX_ADDR]=1,2,b,A,2,,,,,,0", "[FAX_ADDR]=1,3,c,B,3,,,,,,0",
              "[FAX_ADDR]=1,4,d,A,4,,,,,,0"}),
       1041,
       {"line 3: dropped by the load: the same reading as line 2",
        "line 5: the same reading as line 2: once applied, the next load drops one of them"}},
      {"kinds, group fields and the header's neighbours",
       BookOf({"[FAX_ADDR]=2,1,a,A,1,,,,,,0", "[FAX_ADDR]=3,2,g,G,03-1,", "[VERSION]=2"}), 1041,
       {"line 2: kind 2 is written back as 1", "line 3: a group keeps its names only: FaxNumber is lost",
        "line 4: [VERSION] line is not written back"}},
      {"texts the reader changes",
       BookOf({"[FAX_ADDR]=1,1, a ,A,1,,,,,,0", "[FAX_ADDR]=1,2,b\x81\x40" "c,B,1,,,,,,0",
              "[FAX_ADDR]=1,3,c,C,1,,,,,,0,x", "[FAX_ADDR]=1,4x,d,D,1,,,,,,0"}),
       1041,
       {"line 2: DispName loses its leading or trailing blanks",
        "line 3: DispName has ideographic spaces, read as two spaces each",
        "line 4: fields after the last are lost: x", "line 5: RegNo is read as a number: \"x\" is lost"}},
      {"a first line other than the editor's header",
       "Our customers\r\n[FAX_ADDR]=1,1,a,A,1,,,,,,0\r\n", 1041,
       {"line 1: written back as the editor's header: \"Our customers\" is lost"}},
      {"the header without its line end", std::string(kHeader, kHeader.size() - 2), 1041, {}},
      {"other languages drop the name and the honorific",
       BookOf({"[FAX_ADDR]=1,1,Name,A,1,,,,,,2", "[FAX_ADDR]=1,2,,B,1,,,,,,0"}), 1033,
       {"line 2: DispName is not kept in this language", "line 2: Respect is not kept in this language"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const CheckReport report = CheckBook(c.book, c.langId, c.langId == 1041 ? 932 : 1252);
    EXPECT_EQ(report.problems, c.problems);
  }
}

TEST(Check, AMissingFileCannotBeRead) {
  sys::FakeFileSystem files;
  EXPECT_EQ(RunCheck(files, Options(), "missing.fdt", stdout), kExitUnreadable);
}

struct CsvRun {
  int exit;
  std::string errors;
  const std::string* out;  // OUT as written, null when it was not
};

// fdtool import-csv BOOK CSV OUT on files in memory.
CsvRun ImportCsv(sys::FakeFileSystem& files, const Options& options = Options()) {
  std::FILE* errors = std::tmpfile();
  CsvRun run{RunImportCsv(files, options, "book.fdt", "in.csv", "out.fdt", errors), "", nullptr};
  std::rewind(errors);
  char buffer[8192];
  run.errors.assign(buffer, std::fread(buffer, 1, sizeof buffer, errors));
  std::fclose(errors);
  run.out = files.File("out.fdt");
  return run;
}

std::string Lines(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& line : lines) out += line + "\r\n";
  return out;
}

const std::string kCsvHeader = "Name,Reading,Fax,Sub,Password,Company,Department,Recipient";

TEST(ImportCsv, AddsTheRowsAsTheEditorWouldAndListsTheRefusedOnes) {
  sys::FakeFileSystem files;
  files.SetFile("book.fdt", TestData("example_ja.fdt"));
  files.SetFile("in.csv", Lines({kCsvHeader,
                                 "Kita Branch,KITA,03-9,,,,,",           // both names in use
                                 "Bad,\x8A\xBF,1,,,,,",                  // line 3: kanji reading
                                 "Zulu,ZULU,04-1,1,,Zulu Co.,,Desk",
                                 "Alpha,ALPHA," + std::string(40, '5') + ",,,,,",
                                 "Worse,W,-1,x,,,,"}));                  // line 6
  const CsvRun run = ImportCsv(files);
  ASSERT_EQ(run.exit, kExitOk) << run.errors;
  ASSERT_NE(run.out, nullptr);
  // Rows in name order (Alpha, Bad, Kita Branch, Worse, Zulu) take 4, 5, 6;
  // apply writes them by reading.
  EXPECT_EQ(*run.out, kHeader +
      "\r\n[FAX_ADDR]=3,3,All Branches,ALL,\r\n"
      "[FAX_ADDR_GM]=4,3,Kita Branch,KITA,03-111-222,,,\"Kita, Ltd.\",Sales,Kita Desk,1\r\n"
      "[FAX_ADDR_GM]=4,3,Minami Shop,MINAMI,06-333-444,12,,\"The \"\"Sun\"\" Shop\",,,0\r\n"
      "[FAX_ADDR]=1,4,Alpha,ALPHA," + std::string(32, '5') + ",,,,,,0\r\n"
      "[FAX_ADDR]=1,1,Kita Branch,KITA,03-111-222,,,\"Kita, Ltd.\",Sales,Kita Desk,1\r\n"
      "[FAX_ADDR]=1,5,Kita Branch(1),KITA(1),03-9,,,,,,0\r\n"
      "[FAX_ADDR]=1,2,Minami Shop,MINAMI,06-333-444,12,,\"The \"\"Sun\"\" Shop\",,,0\r\n"
      "[FAX_ADDR]=1,6,Zulu,ZULU,04-1,1,,Zulu Co.,,Desk,0\r\n");
  EXPECT_EQ(run.errors,
            "fdtool: in.csv line 3 not added: characters its field refuses in DispNameJP\n"
            "fdtool: in.csv line 5 added with a warning: too long for its field, cut: FaxNumber\n"
            "fdtool: in.csv line 6 not added: characters its field refuses in FaxNumber, "
            "SubAddress\n");
}

TEST(ImportCsv, WithNothingToAddOutIsTheBookAsLoaded) {
  sys::FakeFileSystem files;
  files.SetFile("book.fdt", TestData("example_ja.fdt"));
  for (const std::string& csv : {std::string(), Lines({kCsvHeader}), Lines({kCsvHeader, "B,\x8A\xBF,1"})}) {
    files.SetFile("in.csv", csv);
    files.RemoveFile("out.fdt");
    const CsvRun run = ImportCsv(files);
    ASSERT_EQ(run.exit, kExitOk);
    ASSERT_NE(run.out, nullptr);
    EXPECT_EQ(*run.out, TestData("example_ja.fdt"));
    EXPECT_NE(run.errors.find("no row could be added; out.fdt is the book as loaded"),
              std::string::npos)
        << run.errors;
  }
}

TEST(ImportCsv, UnreadableFilesAndTheBooksLimitWriteNothing) {
  sys::FakeFileSystem files;
  files.SetFile("in.csv", Lines({kCsvHeader, "N,R,1"}));
  EXPECT_EQ(ImportCsv(files).exit, kExitUnreadable) << "no book";
  files.SetFile("book.fdt", TestData("example_ja.fdt"));
  files.RemoveFile("in.csv");
  EXPECT_EQ(ImportCsv(files).exit, kExitUnreadable) << "no CSV";
  std::string book = kHeader;
  for (int i = 1; i <= 2999; ++i) {
    book += "[FAX_ADDR]=1," + std::to_string(i) + ",N" + std::to_string(i) + ",R" +
            std::to_string(i) + ",1,,,,,,0\r\n";
  }
  files.SetFile("book.fdt", book);
  // Two rows, one of them refused: both count.
  files.SetFile("in.csv", Lines({kCsvHeader, "New,NEW,1", "Bad,\x8A\xBF,1"}));
  const CsvRun full = ImportCsv(files);
  EXPECT_EQ(full.exit, kExitUnreadable);
  EXPECT_EQ(full.out, nullptr);
  EXPECT_NE(full.errors.find("limit of 3000"), std::string::npos) << full.errors;
  files.SetFile("in.csv", Lines({kCsvHeader, "New,NEW,1"}));
  EXPECT_EQ(ImportCsv(files).exit, kExitOk);
}

// A file of more rows than the book takes is refused at the row that
// passes the limit: the rest of it is never read.
TEST(ImportCsv, TheRefusalComesBeforeTheRestOfTheFileIsRead) {
  sys::FakeFileSystem files;
  std::string book = kHeader;
  for (int i = 1; i <= 2998; ++i) {
    book += "[FAX_ADDR]=1," + std::to_string(i) + ",N" + std::to_string(i) + ",R" +
            std::to_string(i) + ",1,,,,,,0\r\n";
  }
  files.SetFile("book.fdt", book);
  const std::string start = Lines({kCsvHeader, "A,A,1", ",,", "Bad,\x8A\xBF,1", "C,C,1"});
  files.SetFile("in.csv", start + Lines({"D,D,1", "E,E,1"}));
  files.SetPieceSize(1);
  // The rows after the third cannot be read.
  files.FailReadAfter("in.csv", start.size());
  const CsvRun refused = ImportCsv(files);
  EXPECT_EQ(refused.exit, kExitUnreadable);
  EXPECT_EQ(refused.out, nullptr);
  EXPECT_EQ(refused.errors,
            "fdtool: 3 rows or more and 2998 entries pass the book's limit of 3000 entries\n");

  // Within the limit the whole file is read, and a failure is one.
  files.SetFile("book.fdt", kHeader);
  const CsvRun unreadable = ImportCsv(files);
  EXPECT_EQ(unreadable.exit, kExitUnreadable);
  EXPECT_EQ(unreadable.errors, "fdtool: cannot read in.csv\n");
}

TEST(ImportCsv, MapOptionChangesTheProposedMapping) {
  sys::FakeFileSystem files;
  files.SetFile("book.fdt", kHeader);
  files.SetFile("in.csv", Lines({"Fax,Reading,Name", "03-1,READ,Name"}));
  Options options;
  options.map = "DispName=2,FaxNumber=0,SubAddress=-1,Password=-1,CompanyName=-1,"
                "DepartmentName=-1,ClientName=-1";
  const CsvRun run = ImportCsv(files, options);
  ASSERT_EQ(run.exit, kExitOk) << run.errors;
  EXPECT_EQ(*run.out, kHeader + "[FAX_ADDR]=1,1,Name,READ,03-1,,,,,,0\r\n");

  // Without the option the three-column header proposes column 0 for every
  // field beyond it, and the fax number column refuses "READ".
  files.RemoveFile("out.fdt");
  EXPECT_NE(ImportCsv(files).errors.find("not added"), std::string::npos);

  csv::ColumnMapping mapping;
  std::string error;
  for (const char* bad : {"Reading=1", "DispNameJP", "DispNameJP=-2", "DispNameJP=x",
                          "DispNameJP=99999999999", "DispNameJP=1,"}) {
    EXPECT_FALSE(ApplyMapOption(bad, &mapping, &error)) << bad;
    EXPECT_FALSE(error.empty());
  }
  EXPECT_EQ(mapping.columns, csv::ColumnMapping().columns) << "unchanged after an error";
}

TEST(ImportCsv, OtherLanguagesImportNoRegistrationName) {
  sys::FakeFileSystem files;
  files.SetFile("book.fdt", kHeader + "[FAX_ADDR]=1,1,,Kita,03,,,,,,0\r\n");
  files.SetFile("in.csv", Lines({"Name,Fax,Sub,Password,Company,Department,Recipient", "KITA,04"}));
  Options options;
  options.langId = 1033;
  options.map = "DispName=0";
  const CsvRun run = ImportCsv(files, options);
  ASSERT_EQ(run.exit, kExitOk);
  EXPECT_EQ(*run.out, kHeader + "[FAX_ADDR]=1,2,,KITA(2),04,,,,,,0\r\n"
                                "[FAX_ADDR]=1,1,,Kita,03,,,,,,0\r\n");
  EXPECT_NE(run.errors.find("DispName is imported in Japanese (1041) only"), std::string::npos);
}

TEST(ImportCsv, TheUtf8AndUtf16FormsGiveTheSameBookAndRefuseWhatTheCodePageLacks) {
  const std::string sjis = Lines({kCsvHeader, "\x93\x63\x92\x86,\xC0\xC5\xB6,03,,,,,\x81\x40\x8E\x87 ",
                                  "Kita,KITA,06,,,,,"});
  const std::string utf8 = "\xEF\xBB\xBF" +
      Lines({kCsvHeader, "\xE7\x94\xB0\xE4\xB8\xAD,\xEF\xBE\x80\xEF\xBE\x85\xEF\xBD\xB6,03,,,,,"
                         "\xE3\x80\x80\xE7\xB4\xAB ",
             "Kita,KITA,06,,,,,"});
  sys::FakeFileSystem files;
  files.SetFile("book.fdt", kHeader);
  files.SetFile("in.csv", sjis);
  const CsvRun fromCodePage = ImportCsv(files);
  ASSERT_EQ(fromCodePage.exit, kExitOk);
  const std::string expected = *fromCodePage.out;
  files.SetFile("in.csv", utf8);
  Options options;
  options.charset = CsvCharset::kUtf8;
  const CsvRun fromUtf8 = ImportCsv(files, options);
  ASSERT_EQ(fromUtf8.exit, kExitOk) << fromUtf8.errors;
  EXPECT_EQ(*fromUtf8.out, expected);
  EXPECT_EQ(fromUtf8.errors, "");
  // The same text as spreadsheets' Unicode text, UTF-16 with a mark and
  // tabs: found by the mark or named, in either byte order.
  std::string tabbed = utf8.substr(3);
  std::replace(tabbed.begin(), tabbed.end(), ',', '\t');
  for (bool bigEndian : {false, true}) {
    for (CsvCharset charset : {CsvCharset::kAuto, CsvCharset::kUtf16}) {
      files.SetFile("in.csv", utf16text::Encode(tabbed, bigEndian));
      options.charset = charset;
      const CsvRun fromUtf16 = ImportCsv(files, options);
      ASSERT_EQ(fromUtf16.exit, kExitOk) << fromUtf16.errors;
      EXPECT_EQ(*fromUtf16.out, expected) << bigEndian << " " << static_cast<int>(charset);
      EXPECT_EQ(fromUtf16.errors, "");
    }
  }
  options.charset = CsvCharset::kUtf8;

  // A Korean letter has no Shift-JIS form: its row is refused and named.
  files.SetFile("in.csv", Lines({kCsvHeader, "\xED\x95\x9C,HAN,03", "Kita,KITA,06"}));
  const CsvRun lacking = ImportCsv(files, options);
  ASSERT_EQ(lacking.exit, kExitOk);
  EXPECT_EQ(lacking.errors,
            "fdtool: in.csv line 2 not added: a character code page 932 lacks in DispName: U+D55C\n");
  EXPECT_EQ(*lacking.out, kHeader + "[FAX_ADDR]=1,1,Kita,KITA,06,,,,,,0\r\n");

  // A mark before Shift-JIS bytes: they are no UTF-8, and the reason says
  // so rather than naming a character.
  files.SetFile("in.csv", "\xEF\xBB\xBF" + Lines({kCsvHeader, "\x8E\x52\x93\x63,\xD4\xCF\xC0\xDE,03",
                                                  "Kita,KITA,06,,,,,x\x8E"}));
  const CsvRun notUtf8 = ImportCsv(files);
  ASSERT_EQ(notUtf8.exit, kExitOk);
  EXPECT_EQ(notUtf8.errors,
            "fdtool: in.csv line 2 not added: not UTF-8 at byte 1 of DispName; not UTF-8 at byte 1 "
            "of DispNameJP; choose the code page (--charset cp)\n"
            "fdtool: in.csv line 3 not added: not UTF-8 at byte 2 of ClientName; choose the code "
            "page (--charset cp)\n"
            "fdtool: no row could be added; out.fdt is the book as loaded\n");
}

// Half a UTF-16 character refuses its row, and the reason says where.
TEST(ImportCsv, WhatIsNoUtf16IsNamedWithItsPlace) {
  const std::string text = Lines({"Name\tReading\tFax\tSub\tPassword\tCompany\tDepartment\tRecipient",
                                  u8"田中\tﾀﾅｶ\t03\t\t\tKita, Ltd.\t\t紫", "Kita\tKITA\t06\t\t\t\t\t"});
  sys::FakeFileSystem files;
  files.SetFile("book.fdt", kHeader);
  // A low surrogate alone, and a last byte without its pair.
  files.SetFile("in.csv", utf16text::Encode(text + "B") + utf16text::Unit(0xDFFF) +
                              utf16text::Encode("\tB\t07\r\nC\tC\t08", false, false) + "!");
  const CsvRun broken = ImportCsv(files);
  ASSERT_EQ(broken.exit, kExitOk);
  EXPECT_EQ(broken.errors,
            "fdtool: in.csv line 4 not added: not UTF-16 at byte 3 of DispName (half a character)\n"
            "fdtool: in.csv line 5 not added: not UTF-16 at byte 5 of FaxNumber (half a character)\n");
}

// Empty columns at the end of a header count as columns in UTF-8 too: the
// seven columns of this header take the department from column 6 (and the
// recipient, beyond them, from column 0).
TEST(ImportCsv, EmptyLastHeaderColumnsCountInEveryCharacterSet) {
  for (const char* mark : {"", "\xEF\xBB\xBF"}) {
    for (CsvCharset charset : {CsvCharset::kCodePage, CsvCharset::kUtf8, CsvCharset::kAuto}) {
      sys::FakeFileSystem files;
      files.SetFile("book.fdt", kHeader);
      files.SetFile("in.csv", mark + Lines({"H0,H1,H2,,H4,H5,,", "Nm,RD,0312,12,99,Co,Dept,Rcp"}));
      Options options;
      options.charset = charset;
      const CsvRun run = ImportCsv(files, options);
      ASSERT_EQ(run.exit, kExitOk) << run.errors;
      EXPECT_EQ(*run.out, kHeader + "[FAX_ADDR]=1,1,Nm,RD,0312,12,99,Co,Dept,Nm,0\r\n")
          << "mark " << (*mark ? "yes" : "no") << ", charset " << static_cast<int>(charset);
    }
  }
}

TEST(ImportCsv, CutsKeepWholeCharactersInEveryLanguage) {
  for (const cutpages::Page& page : cutpages::Pages()) {
    // fdtool takes the code page of the language's own systems.
    if (text::DefaultCodePageForLanguage(page.langId) != page.codePage) continue;
    SCOPED_TRACE(page.codePage);
    sys::FakeFileSystem files;
    std::string book = kHeader;
    int regNo = 0;
    for (const std::string& taken : cutpages::TakenReadings(page)) {
      book += "[FAX_ADDR]=1," + std::to_string(++regNo) + ",," + taken + ",03,,,,,,0\r\n";
    }
    files.SetFile("book.fdt", book);
    std::vector<std::string> csv = {"Reading,Fax,Sub,Password,Company,Department,Recipient"};
    for (const cutpages::Row& row : cutpages::Rows(page)) csv.push_back(cutpages::CsvLine(row));
    files.SetFile("in.csv", Lines(csv));
    Options options;
    options.langId = page.langId;
    const CsvRun run = ImportCsv(files, options);
    ASSERT_EQ(run.exit, kExitOk) << run.errors;
    std::vector<store::AddressRecord> records;
    store::GroupTable groups(page.codePage, nullptr);
    store::BookContext context;
    context.read.langId = page.langId;
    context.read.codePage = page.codePage;
    store::ReadBookBytes(context, *run.out, 100, &records, &groups);
    std::set<std::vector<std::string>> stored;
    for (const store::AddressRecord& r : records) {
      stored.insert({r.dispNameJP, r.companyName, r.clientName});
    }
    for (const cutpages::Row& row : cutpages::Rows(page)) {
      EXPECT_EQ(stored.count({row.storedReading, row.storedCompany, row.storedRecipient}), 1u)
          << row.storedReading;
    }
  }
}

// export-csv as it was before it streamed: the book loaded as the editor
// holds it, the file made in memory and converted whole.
std::string ExportInMemory(const std::string& book, int langId, bool utf8) {
  const int codePage = text::DefaultCodePageForLanguage(langId);
  text::PortableCollation collation(codePage);
  store::RecordingAlerts alerts;
  const std::unique_ptr<store::Book> loaded = LoadAsEditor(book, langId, collation, &alerts);
  std::string out = ExportHeader() + "\r\n";
  for (int i = 0; i < loaded->Size(); ++i) {
    const store::AddressRecord& row = loaded->RecordAt(i);
    if (store::KindForSave(row.kind) == store::kKindGroup) continue;
    for (std::size_t f = 0; f < store::kTextFieldCount; ++f) {
      if (f) out += ',';
      store::AppendQuotedField(row.*store::kTextFields[f].member, &out);
    }
    out += "\r\n";
  }
  if (!utf8) return out;
  std::string converted;
  sys::CodePageToUtf8(codePage, out, &converted);
  return "\xEF\xBB\xBF" + converted;
}

// A book of entry and member lines of every kind, with readings repeated
// next to each other and apart, texts of quotes, commas, blanks,
// ideographic spaces, double-byte characters and lone lead bytes.
std::string GeneratedBook(unsigned seed, int lines) {
  std::mt19937 rng(seed);
  const char* pieces[] = {"a", "B", ",", "\"", " ", "\x81\x40", "\x88\x9F", "\xB1", "\x88", "\xD6\xD0"};
  const auto text = [&]() {
    std::string t;
    for (int n = static_cast<int>(rng() % 6); n > 0; --n) t += pieces[rng() % 10];
    return t;
  };
  std::string book = kHeader;
  for (int i = 0; i < lines; ++i) {
    std::string fields[8];
    for (std::string& f : fields) f = text();
    fields[1] = "R" + std::to_string(rng() % (lines / 3 + 1)) + (rng() % 4 ? "" : text());
    const int kind = "11113245"[rng() % 8] - '0';
    const bool member = kind == 4 || kind == 5;
    std::string line = member ? "[FAX_ADDR_GM]=" : "[FAX_ADDR]=";
    line += std::to_string(member ? 3 : kind) + "," + std::to_string(1 + rng() % 50);
    for (const std::string& f : fields) {
      line += ",";
      if (rng() % 2) {
        store::AppendQuotedField(f, &line);
      } else {
        line += f;
      }
    }
    line += "," + std::to_string(rng() % 5);
    book += line + (rng() % 8 ? "\r\n" : "\n");
  }
  return book;
}

TEST(ExportCsv, StreamedGivesTheFileTheWholeExportGave) {
  std::vector<std::string> books = {TestData("example_ja.fdt"), kHeader, ""};
  for (unsigned seed = 1; seed <= 30; ++seed) books.push_back(GeneratedBook(seed, 5 + static_cast<int>(seed) * 7));
  // Lines enough for several pieces of the file.
  books.push_back(GeneratedBook(99, 20000));
  for (const std::string& book : books) {
    for (int langId : {1041, 1033, 2052}) {
      for (bool utf8 : {false, true}) {
        sys::FakeFileSystem files;
        files.SetFile("book.fdt", book);
        Options options;
        options.langId = langId;
        options.utf8 = utf8;
        std::FILE* errors = std::tmpfile();
        const int exit = RunExportCsv(files, options, "book.fdt", "out.csv", errors);
        std::fclose(errors);
        const std::string whole = ExportInMemory(book, langId, utf8);
        if (utf8 && whole.find("\xEF\xBF\xBD") != std::string::npos) {
          // Bytes without a UTF-8 form (lone lead bytes): nothing is written.
          EXPECT_EQ(exit, kExitProblems);
          EXPECT_EQ(files.File("out.csv"), nullptr);
          continue;
        }
        ASSERT_EQ(exit, kExitOk);
        ASSERT_NE(files.File("out.csv"), nullptr);
        ASSERT_EQ(*files.File("out.csv"), whole)
            << langId << (utf8 ? " utf8 " : " ") << book.size();
      }
    }
  }
}

TEST(ExportCsv, AnExportedBookImportsBackIntoAnEmptyBook) {
  sys::FakeFileSystem files;
  const std::string book = TestData("example_ja.fdt") +
      "[FAX_ADDR]=1,9,\"Q \"\"x\"\", y\",\xB1\xB2,1,2,3,\x89\xEF\x8E\xD0,Dept,\x93\x63\x92\x86,2\r\n";
  files.SetFile("book.fdt", book);
  std::FILE* errors = std::tmpfile();
  ASSERT_EQ(RunExportCsv(files, Options(), "book.fdt", "in.csv", errors), kExitOk);
  std::fclose(errors);
  EXPECT_EQ(*files.File("in.csv"),
            "DispName,DispNameJP,FaxNumber,SubAddress,Password,CompanyName,DepartmentName,"
            "ClientName\r\n"
            "Kita Branch,KITA,03-111-222,,,\"Kita, Ltd.\",Sales,Kita Desk\r\n"
            "Minami Shop,MINAMI,06-333-444,12,,\"The \"\"Sun\"\" Shop\",,\r\n"
            "\"Q \"\"x\"\", y\",\xB1\xB2,1,2,3,\x89\xEF\x8E\xD0,Dept,\x93\x63\x92\x86\r\n");

  files.SetFile("book.fdt", kHeader);
  const CsvRun back = ImportCsv(files);
  ASSERT_EQ(back.exit, kExitOk) << back.errors;
  std::vector<store::AddressRecord> original, imported;
  store::GroupTable groups(932, nullptr), importedGroups(932, nullptr);
  store::BookContext context;
  store::ReadBookBytes(context, book, 10, &original, &groups);
  store::ReadBookBytes(context, *back.out, 10, &imported, &importedGroups);
  std::multiset<std::vector<std::string>> want, got;
  for (const auto& r : original) {
    if (r.kind == store::kKindAddress) want.insert({r.dispName, r.dispNameJP, r.faxNumber, r.subAddress, r.password, r.companyName, r.departmentName, r.clientName});
  }
  for (const auto& r : imported) {
    got.insert({r.dispName, r.dispNameJP, r.faxNumber, r.subAddress, r.password, r.companyName, r.departmentName, r.clientName});
  }
  EXPECT_EQ(got, want);

  errors = std::tmpfile();
  files.SetFile("book.fdt", book);
  Options utf8;
  utf8.utf8 = true;
  ASSERT_EQ(RunExportCsv(files, utf8, "book.fdt", "in.csv", errors), kExitOk);
  std::fclose(errors);
  const std::string& exported = *files.File("in.csv");
  EXPECT_EQ(exported.substr(0, 3), "\xEF\xBB\xBF");
  EXPECT_NE(exported.find("\xE4\xBC\x9A\xE7\xA4\xBE"), std::string::npos) << "the company in UTF-8";
  EXPECT_EQ(RunExportCsv(files, Options(), "missing.fdt", "x.csv", stderr), kExitUnreadable);
}

// The bytes a command printed to a temporary stream.
std::string Printed(std::FILE* stream) {
  std::rewind(stream);
  std::string text;
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, stream)) > 0;) text.append(buffer, n);
  std::fclose(stream);
  return text;
}

TEST(Outputs, NoCommandWritesOverAnInputOfAnotherKind) {
  const std::string book = TestData("example_ja.fdt");
  const std::string csv = Lines({kCsvHeader, "Zulu,ZULU,04-1,,,,,"});
  // A file of one name reached under another: a link, or another spelling.
  struct Case {
    const char* what;
    std::function<int(sys::FakeFileSystem&, std::FILE*)> run;
    const char* output;
    const char* input;
    const char* said;  // on the command's error stream; import-fed has none
  } cases[] = {
      {"export-csv onto its book",
       [](sys::FakeFileSystem& f, std::FILE* e) { return RunExportCsv(f, Options(), "book.fdt", "book.fdt", e); },
       "book.fdt", "book.fdt", "fdtool: not writing book.fdt: it is the same file as the book book.fdt\n"},
      {"export-csv onto another name of its book",
       [](sys::FakeFileSystem& f, std::FILE* e) { return RunExportCsv(f, Options(), "book.fdt", "link.fdt", e); },
       "link.fdt", "book.fdt", "fdtool: not writing link.fdt: it is the same file as the book book.fdt\n"},
      {"import-csv onto its CSV file",
       [](sys::FakeFileSystem& f, std::FILE* e) { return RunImportCsv(f, Options(), "book.fdt", "in.csv", "in.csv", e); },
       "in.csv", "in.csv", "fdtool: not writing in.csv: it is the same file as the CSV file in.csv\n"},
      {"import-csv onto another name of its CSV file",
       [](sys::FakeFileSystem& f, std::FILE* e) { return RunImportCsv(f, Options(), "book.fdt", "in.csv", "link.fdt", e); },
       "link.fdt", "in.csv", "fdtool: not writing link.fdt: it is the same file as the CSV file in.csv\n"},
      {"import-fed onto its device file",
       [](sys::FakeFileSystem& f, std::FILE*) { return RunImportFed(f, Options(), "in.csv", "link.fdt"); },
       "link.fdt", "in.csv", nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    sys::FakeFileSystem files;
    files.SetFile("book.fdt", book);
    files.SetFile("in.csv", csv);
    files.SetFile("link.fdt", "the linked file");
    files.SetSameFile(c.output, c.input);
    std::FILE* errors = std::tmpfile();
    EXPECT_EQ(c.run(files, errors), kExitUsage);
    EXPECT_EQ(files.ReplaceCount(), 0) << "an input was written over";
    EXPECT_EQ(*files.File("book.fdt"), book);
    EXPECT_EQ(*files.File("in.csv"), csv);
    const std::string said = Printed(errors);
    if (c.said) EXPECT_EQ(said, c.said);
  }

  // A book brought up to date in place is no loss: the rows go into it, as
  // normalize rewrites a book onto itself.
  sys::FakeFileSystem files;
  files.SetFile("book.fdt", book);
  files.SetFile("in.csv", csv);
  ASSERT_EQ(RunImportCsv(files, Options(), "book.fdt", "in.csv", "book.fdt", stderr), kExitOk);
  EXPECT_NE(files.File("book.fdt")->find("Zulu,ZULU"), std::string::npos);
  ASSERT_EQ(RunNormalize(files, Options(), "book.fdt", "book.fdt"), kExitOk);
}

TEST(Outputs, AReportCutShortIsAFailedCommand) {
  // A book whose report passes any stream buffer, and one that fits in it
  // (the failure then comes only with the final flush).
  std::string large = kHeader;
  for (int i = 1; i <= 2000; ++i) {
    large += "[FAX_ADDR]=1," + std::to_string(i) + ",Name,R" + std::to_string(i) + ",1,,,,,,0\r\n";
  }
  for (const std::string& bytes : {large, TestData("example_ja.fdt")}) {
    for (const bool dump : {true, false}) {
      SCOPED_TRACE(std::string(dump ? "dump" : "check") + " of " + std::to_string(bytes.size()) +
                   " bytes");
      sys::FakeFileSystem files;
      files.SetFile("book.fdt", bytes);
      std::FILE* full = std::fopen("/dev/full", "w");
      ASSERT_NE(full, nullptr);
      const int exit = dump ? RunDump(files, Options(), "book.fdt", full)
                            : RunCheck(files, Options(), "book.fdt", full);
      std::fclose(full);
      EXPECT_EQ(exit, kExitWriteFailed);
      std::FILE* fine = std::tmpfile();
      EXPECT_EQ(dump ? RunDump(files, Options(), "book.fdt", fine)
                     : RunCheck(files, Options(), "book.fdt", fine),
                kExitOk);
      EXPECT_FALSE(Printed(fine).empty());
    }
  }
}

TEST(Utf8, BytesTheCodePageLeavesUndefinedFailTheCommand) {
  struct Case {
    int langId;
    std::string reading;     // in the book's code page
    std::string utf8;        // as dump shows it
    bool defined;
  } cases[] = {
      {1029, "Ji\x9A\xED", "Ji\xC5\xA1\xC3\xAD", true},                  // Czech š í
      {1029, "A\x81" "B\x98", "A\xEF\xBF\xBD" "B\xEF\xBF\xBD", false},  // 1250 leaves both out
      {1033, "Caf\xE9", "Caf\xC3\xA9", true},
      {1033, "x\x81", "x\xEF\xBF\xBD", false},                          // nor 1252 0x81
      {1041, "\xB1\xB2", "\xEF\xBD\xB1\xEF\xBD\xB2", true},
      {1041, "A\xA0", "A\xEF\xBF\xBD", false},                          // 932: no 0xA0
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.reading);
    sys::FakeFileSystem files;
    const std::string book = kHeader + "[FAX_ADDR]=1,1,,\"" + c.reading + "\",03,,,,,,0\r\n";
    files.SetFile("book.fdt", book);
    Options utf8;
    utf8.langId = c.langId;
    utf8.utf8 = true;
    std::FILE* out = std::tmpfile();
    EXPECT_EQ(RunDump(files, utf8, "book.fdt", out), c.defined ? kExitOk : kExitProblems);
    EXPECT_EQ(Printed(out), "entry\t1\t1\t\t" + c.utf8 + "\t03\t\t\t\t\t\t0\n")
        << "every line is listed all the same";

    files.SetFile("out.csv", "the previous export");
    std::FILE* errors = std::tmpfile();
    EXPECT_EQ(RunExportCsv(files, utf8, "book.fdt", "out.csv", errors),
              c.defined ? kExitOk : kExitProblems);
    const std::string said = Printed(errors);
    if (c.defined) {
      EXPECT_NE(files.File("out.csv")->find(c.utf8), std::string::npos);
      EXPECT_EQ(said, "");
    } else {
      EXPECT_EQ(*files.File("out.csv"), "the previous export") << "a lossy export was written";
      EXPECT_NE(said.find("book.fdt RegNo 1, DispNameJP, byte "), std::string::npos) << said;
    }
    // Without --utf8 the book's bytes go over as they are.
    Options plain = utf8;
    plain.utf8 = false;
    ASSERT_EQ(RunExportCsv(files, plain, "book.fdt", "out.csv", stderr), kExitOk);
    EXPECT_NE(files.File("out.csv")->find(c.reading), std::string::npos);
  }
}

TEST(BookInput, ABookAnInterruptedSaveLostIsPutBackBeforeAnyCommandReadsIt) {
  const std::string whole = kHeader + "[FAX_ADDR]=1,1,Kita,KITA,03-1,,,,,,0\r\n";
  struct Case {
    const char* what;
    int (*run)(sys::FakeFileSystem&);
  } cases[] = {
      {"normalize",
       [](sys::FakeFileSystem& f) { return RunNormalize(f, Options(), "book.fdt", "out.fdt"); }},
      {"check", [](sys::FakeFileSystem& f) { return RunCheck(f, Options(), "book.fdt", stderr); }},
      {"export-csv", [](sys::FakeFileSystem& f) {
         return RunExportCsv(f, Options(), "book.fdt", "out.csv", stderr);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    for (const char* book : {"", "missing"}) {
      sys::FakeFileSystem files;
      if (std::string(book).empty()) files.SetFile("book.fdt", "");
      files.SetFile("book.fdt.~fbk00000001.tmp", whole);
      EXPECT_EQ(c.run(files), kExitOk);
      ASSERT_NE(files.File("book.fdt"), nullptr);
      EXPECT_EQ(*files.File("book.fdt"), whole);
      EXPECT_FALSE(files.FileExists("book.fdt.~fbk00000001.tmp"));
    }
  }
}

}  // namespace
}  // namespace fdtool
