#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "platform/fake/fake_file_system.h"
#include "platform/text/portable_collation.h"
#include "store/test_support.h"
#include "tools/fdtool/book_check.h"
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
            "line 2: DispName too long\n"
            "line 3: FaxNumber too long\n"
            "line 3: member of no group: no group entry has RegNo 1\n"
            "line 4: member repeats a reading of group 1\n"
            "line 5: member of a kind other than 4 is dropped\n"
            "line 6: line of key \"[OTHER]\" is not written back\n"
            "line 7: comment is not written back\n");
}

// A book whose lines come after the header, each ended with CR LF.
std::string Lines(const std::vector<std::string>& lines) {
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
      {"an editor's book", Lines({"[FAX_ADDR]=1,1,a,A,1,,,,,,0", "", "[FAX_ADDR]=3,2,g,G,",
                                  "[FAX_ADDR_GM]=4,2,a,A,1,,,,,,0"}),
       1041, {}},
      {"lines short of fields, and needless quotes", Lines({"[FAX_ADDR]=1,1,\"a\",A"}), 1041, {}},
      {"a member beyond 80", Lines(fullGroup), 1041, {"line 83: member beyond the 80 of group 7"}},
      {"a group beyond the 3000 slots", Lines(manyGroups), 1041,
       {"line 3002: entry over the limit of 3000",
        "line 3002: group beyond the 3000 slots of the group table: its members are lost",
        "line 3003: member beyond the 3000 slots of the group table"}},
      {"a member of no group, of an address and of a high key",
       Lines({"[FAX_ADDR]=1,1,a,A,1,,,,,,0", "[FAX_ADDR_GM]=4,1,m,M,1,,,,,,0",
              "[FAX_ADDR_GM]=4,65537,m,M,1,,,,,,0", "[FAX_ADDR_GM]=4,9,,,1,,,,,,0"}),
       1041,
       {"line 3: member of no group: no group entry has RegNo 1",
        "line 4: member of no group: no group entry has RegNo 65537",
        "line 5: member without a reading is not kept"}},
      {"a line cut at a NUL byte",
       std::string(kHeader) + std::string("[FAX_ADDR]=1,1,a\0b,A,1,,,,,,0\r\n\0x\r\n", 35),
       1041, {"line 2: cut at a NUL byte: the rest is lost", "line 3: cut at a NUL byte: the rest is lost"}},
      {"Respect outside 0..3", Lines({"[FAX_ADDR]=1,1,a,A,1,,,,,,4", "[FAX_ADDR]=1,2,b,B,1,,,,,,-1"}),
       1041, {"line 2: Respect 4 is outside 0..3", "line 3: Respect -1 is outside 0..3"}},
      {"repeated registration numbers",
       Lines({"[FAX_ADDR]=1,5,a,A,1,,,,,,0", "[FAX_ADDR]=3,5,g,G,", "[FAX_ADDR]=1,65541,c,C,1,,,,,,0"}),
       1041, {"line 3: RegNo 5 is already used on line 2", "line 4: RegNo 5 is already used on line 2"}},
      {"a reading the load drops",
       Lines({"[FAX_ADDR]=1,1,a,A,1,,,,,,0", "[FAX_ADDR]=1,2,b,A,2,,,,,,0", "[FAX_ADDR]=1,3,c,B,3,,,,,,0",
              "[FAX_ADDR]=1,4,d,A,4,,,,,,0"}),
       1041,
       {"line 3: dropped by the load: the same reading as line 2",
        "line 5: the same reading as line 2: once applied, the next load drops one of them"}},
      {"kinds, group fields and the header's neighbours",
       Lines({"[FAX_ADDR]=2,1,a,A,1,,,,,,0", "[FAX_ADDR]=3,2,g,G,03-1,", "[VERSION]=2"}), 1041,
       {"line 2: kind 2 is written back as 1", "line 3: a group keeps its names only: FaxNumber is lost",
        "line 4: [VERSION] line is not written back"}},
      {"texts the reader changes",
       Lines({"[FAX_ADDR]=1,1, a ,A,1,,,,,,0", "[FAX_ADDR]=1,2,b\x81\x40" "c,B,1,,,,,,0",
              "[FAX_ADDR]=1,3,c,C,1,,,,,,0,x", "[FAX_ADDR]=1,4x,d,D,1,,,,,,0"}),
       1041,
       {"line 2: DispName loses its leading or trailing blanks",
        "line 3: DispName has ideographic spaces, read as two spaces each",
        "line 4: fields after the last are lost: x", "line 5: RegNo is read as a number: \"x\" is lost"}},
      {"other languages drop the name and the honorific",
       Lines({"[FAX_ADDR]=1,1,Name,A,1,,,,,,2", "[FAX_ADDR]=1,2,,B,1,,,,,,0"}), 1033,
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

}  // namespace
}  // namespace fdtool
