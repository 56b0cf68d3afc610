#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "platform/fake/fake_file_system.h"
#include "platform/text/portable_collation.h"
#include "store/test_support.h"
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
            "entries: 1\naddresses: 1\ngroups: 0\nmembers: 1\nignored_lines: 3\n"
            "line 2: DispName too long\nline 3: FaxNumber too long\n");
}

TEST(Check, AMissingFileCannotBeRead) {
  sys::FakeFileSystem files;
  EXPECT_EQ(RunCheck(files, Options(), "missing.fdt", stdout), kExitUnreadable);
}

}  // namespace
}  // namespace fdtool
