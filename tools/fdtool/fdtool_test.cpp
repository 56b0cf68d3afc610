#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>
#include <vector>

#include "platform/fake/fake_file_system.h"
#include "platform/text/portable_collation.h"
#include "store/book_file.h"
#include "store/test_support.h"
#include "tools/fdtool/book_check.h"
#include "tools/fdtool/csv_options.h"
#include "tools/fdtool/commands.h"
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

  importing::ColumnMapping mapping;
  std::string error;
  for (const char* bad : {"Reading=1", "DispNameJP", "DispNameJP=-2", "DispNameJP=x",
                          "DispNameJP=99999999999", "DispNameJP=1,"}) {
    EXPECT_FALSE(ApplyMapOption(bad, &mapping, &error)) << bad;
    EXPECT_FALSE(error.empty());
  }
  EXPECT_EQ(mapping.columns, importing::ColumnMapping().columns) << "unchanged after an error";
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

TEST(ImportCsv, TheUtf8FormGivesTheSameBookAndRefusesWhatTheCodePageLacks) {
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
  options.fromUtf8 = true;
  const CsvRun fromUtf8 = ImportCsv(files, options);
  ASSERT_EQ(fromUtf8.exit, kExitOk) << fromUtf8.errors;
  EXPECT_EQ(*fromUtf8.out, expected);
  EXPECT_EQ(fromUtf8.errors, "");

  // A Korean letter has no Shift-JIS form: its row is refused and named.
  files.SetFile("in.csv", Lines({kCsvHeader, "\xED\x95\x9C,HAN,03", "Kita,KITA,06"}));
  const CsvRun lacking = ImportCsv(files, options);
  ASSERT_EQ(lacking.exit, kExitOk);
  EXPECT_EQ(lacking.errors, "fdtool: in.csv line 2 not added: a character code page 932 lacks\n");
  EXPECT_EQ(*lacking.out, kHeader + "[FAX_ADDR]=1,1,Kita,KITA,06,,,,,,0\r\n");
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
