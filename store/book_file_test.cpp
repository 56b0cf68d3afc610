#include "store/book_file.h"

#include <gtest/gtest.h>

#include <climits>

#include "platform/fake/fake_file_system.h"
#include "store/test_support.h"

namespace store {
namespace {

using sys::FileError;

const std::string kHeader = std::string(kBookHeader) + "\r\n";

const std::string kExample = kHeader +
    "\r\n"
    "[FAX_ADDR]=3,3,All Branches,ALL,\r\n"
    "[FAX_ADDR_GM]=4,3,Kita Branch,KITA,03-111-222,,,\"Kita, Ltd.\",Sales,Kita Desk,1\r\n"
    "[FAX_ADDR_GM]=4,3,Minami Shop,MINAMI,06-333-444,12,,\"The \"\"Sun\"\" Shop\",,,0\r\n"
    "[FAX_ADDR]=1,1,Kita Branch,KITA,03-111-222,,,\"Kita, Ltd.\",Sales,Kita Desk,1\r\n"
    "[FAX_ADDR]=1,2,Minami Shop,MINAMI,06-333-444,12,,\"The \"\"Sun\"\" Shop\",,,0\r\n";

class BookFileTest : public ::testing::Test {
 protected:
  BookFileTest() {
    context.files = &files;
    context.alerts = &alerts;
  }
  int Load(const std::string& path, const std::string& oldPath = "") {
    const int n = CountEntries(context, path, oldPath, &status);
    if (n <= 0) return n;
    return ReadBook(context, path, n, &records, &groups, &status);
  }

  sys::FakeFileSystem files;
  RecordingAlerts alerts;
  BookContext context;
  GroupTable groups{932, &alerts};
  std::vector<AddressRecord> records;
  BookStatus status;
};

TEST_F(BookFileTest, ReadsTheExampleBookInPiecesOfAnySize) {
  files.SetFile("book.fdt", kExample);
  for (std::size_t piece : {std::size_t(1), std::size_t(2), std::size_t(3), std::size_t(7),
                            std::size_t(64), kExample.size()}) {
    SCOPED_TRACE(piece);
    files.SetPieceSize(piece);
    records.clear();
    groups.ClearGroups();
    ASSERT_EQ(Load("book.fdt"), 3);
    EXPECT_EQ(records[0].kind, kKindGroup);
    EXPECT_EQ(records[0].dispName, "All Branches");
    EXPECT_EQ(records[2].companyName, "The \"Sun\" Shop");
    std::vector<MemberEntry> members;
    ASSERT_EQ(groups.CopyMembers(3, kMaxMembers, &members), 2);
    EXPECT_EQ(members[0].companyName, "Kita, Ltd.");
    EXPECT_EQ(members[0].respect, 1);
    EXPECT_EQ(members[1].subAddress, "12");
  }
  EXPECT_TRUE(alerts.shown.empty());
}

TEST_F(BookFileTest, ALoneCarriageReturnIsPartOfItsText) {
  // As text mode reads it: only LF ends a line, so the reading, the fax
  // number and the company stay where they are.
  files.SetFile("book.fdt", kHeader + "[FAX_ADDR]=1,1,ab\rcd,EF,03-1,,,Co,,,1\r\n");
  ASSERT_EQ(Load("book.fdt"), 1);
  EXPECT_EQ(records[0].dispName, "ab\rcd");
  EXPECT_EQ(records[0].dispNameJP, "EF");
  EXPECT_EQ(records[0].faxNumber, "03-1");
  EXPECT_EQ(records[0].companyName, "Co");
  EXPECT_EQ(records[0].respect, 1);
}

TEST_F(BookFileTest, ANewBookIsSeededFromTheOldLocationOnNewerSystems) {
  context.systemClass = 2;
  context.defaultDataFile = "C:\\data\\address.fdt";
  files.SetFile("C:\\old\\address.fdt",
                "any first line\n[FAX_ADDR]=1,1,a\rb,A,1\n// note\r\n");
  EXPECT_EQ(CountEntries(context, context.defaultDataFile, "C:\\old\\address.fdt"), 2);
  EXPECT_EQ(*files.File(context.defaultDataFile),
            kHeader + "[FAX_ADDR]=1,1,a\rb,A,1\r\n// note\r\n");
  EXPECT_TRUE(files.HasOpenAccess(context.defaultDataFile));
  // Once it holds lines the old book is not looked at again.
  files.SetFile("C:\\old\\address.fdt", "x\n[FAX_ADDR]=1,9,b,B,1\n");
  EXPECT_EQ(CountEntries(context, context.defaultDataFile, "C:\\old\\address.fdt"), 1);
}

TEST_F(BookFileTest, AnOldBookThatCannotBeReadIsNotLeftBehind) {
  context.systemClass = 1;
  context.defaultDataFile = "C:\\data\\address.fdt";
  files.SetFile("C:\\old\\address.fdt", "h\n[FAX_ADDR]=1,1,a,A,1\n");
  files.SetError("C:\\old\\address.fdt", FileError::kSharingViolation);
  EXPECT_EQ(CountEntries(context, context.defaultDataFile, "C:\\old\\address.fdt", &status), -1);
  EXPECT_EQ(status.error, FileError::kSharingViolation);
  EXPECT_EQ(status.path, "C:\\old\\address.fdt");
  // The new book stays empty, so that the next start copies the old one.
  EXPECT_EQ(*files.File(context.defaultDataFile), "");
  files.SetError("C:\\old\\address.fdt", FileError::kNone);
  EXPECT_EQ(CountEntries(context, context.defaultDataFile, "C:\\old\\address.fdt"), 1);
}

TEST_F(BookFileTest, OlderSystemsNeitherSeedNorCreateTheDataFile) {
  context.systemClass = 0;
  context.defaultDataFile = "C:\\data\\address.fdt";
  files.SetFile("old.fdt", "h\n[FAX_ADDR]=1,1,a,A,1\n");
  EXPECT_EQ(CountEntries(context, "book.fdt", "old.fdt"), 0);
  EXPECT_EQ(*files.File("book.fdt"), kHeader);
  EXPECT_FALSE(files.FileExists(context.defaultDataFile));
}

TEST_F(BookFileTest, ABookThatCannotBeReadWholeIsAnErrorAndNothingOfItIsKept) {
  struct Case {
    const char* what;
    void (*arrange)(sys::FakeFileSystem&);
    FileError error;
  } cases[] = {
      {"denied", [](sys::FakeFileSystem& f) { f.Deny("book.fdt"); }, FileError::kAccessDenied},
      {"held open without sharing",
       [](sys::FakeFileSystem& f) { f.HoldOpen("book.fdt", false); }, FileError::kSharingViolation},
      {"larger than the limit",
       [](sys::FakeFileSystem& f) { f.SetError("book.fdt", FileError::kTooLarge); },
       FileError::kTooLarge},
      {"device error part way",
       [](sys::FakeFileSystem& f) { f.FailReadAfter("book.fdt", kHeader.size() + 50); },
       FileError::kIoError},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    sys::FakeFileSystem fresh;
    files = fresh;
    files.SetFile("book.fdt", kExample);
    files.SetPieceSize(16);
    c.arrange(files);
    records = {AddressRecord()};
    groups.ClearGroups();
    BookStatus counted, read;
    EXPECT_EQ(CountEntries(context, "book.fdt", "", &counted), -1);
    EXPECT_EQ(counted.error, c.error);
    EXPECT_EQ(counted.path, "book.fdt");
    EXPECT_EQ(ReadBook(context, "book.fdt", 10, &records, &groups, &read), -1);
    EXPECT_EQ(read.error, c.error);
    EXPECT_EQ(records.size(), 1u);
    EXPECT_EQ(groups.UsedSlots(), 0);
    EXPECT_EQ(LoadBook(context, "book.fdt", "", &records, &groups).error, c.error);
    EXPECT_EQ(records.size(), 1u);
    EXPECT_EQ(groups.UsedSlots(), 0);
    EXPECT_EQ(*files.File("book.fdt"), kExample);
    EXPECT_EQ(DescribeReadFailure(read).find("cannot read book.fdt: "), 0u);
  }
}

TEST_F(BookFileTest, TheBookIsOpenedWithSharingAndTheDefaultFileWithout) {
  context.systemClass = 1;
  context.defaultDataFile = "C:\\data\\address.fdt";
  files.SetFile("C:\\data\\address.fdt", kExample);
  // Another program reads the book, letting others read and write it too.
  files.HoldOpen("C:\\data\\address.fdt", true);
  EXPECT_EQ(CountEntries(context, "C:\\data\\address.fdt", "", &status), 3);
  EXPECT_TRUE(LoadBook(context, "C:\\data\\address.fdt", "", &records, &groups).ok());
  EXPECT_EQ(records.size(), 3u);
  EXPECT_EQ(files.OpenOrCreate("C:\\data\\address.fdt", true, false),
            FileError::kSharingViolation);
}

TEST_F(BookFileTest, NeverStoresMoreThanTheCapacity) {
  // The file grew after it was counted: the reader stops at the capacity.
  files.SetFile("book.fdt", kHeader + "[FAX_ADDR]=1,1,a,A,1\r\n[FAX_ADDR]=1,2,b,B,1\r\n"
                                      "[FAX_ADDR]=3,3,g,G,\r\n[FAX_ADDR_GM]=4,3,a,A,1\r\n");
  EXPECT_EQ(ReadBook(context, "book.fdt", 2, &records, &groups), 2);
  EXPECT_EQ(records.size(), 2u);
  EXPECT_EQ(ReadBook(context, "book.fdt", 0, &records, &groups), 0);
  EXPECT_EQ(records.size(), 2u);
}

TEST_F(BookFileTest, BadLinesAreReportedOrSkippedAndTheRestLoads) {
  std::string bytes = kHeader;
  bytes += "[FAX_ADDR_GM]=2,5,x,X,1\r\n";                          // wrong member kind
  bytes += "[FAX_ADDR]=1,1,a," + std::string(300, 'r') + ",1\r\n";  // an over-long field
  bytes += std::string("[FAX_ADDR]=1,2,b\0,B,1\r\n", 23);          // a NUL cuts its line
  bytes += "[FAX_ADDR]=2,4,k,K,1,\x81\n";                          // kind 2, a lone lead byte, LF only
  bytes += "[UNKNOWN]=1\r[FAX_ADDR]=1,3,c,C,1\r\n";                  // a lone CR ends no line
  bytes += "[FAX_ADDR]=1,5,d,D,1";                                  // no final end
  files.SetFile("book.fdt", bytes);
  ASSERT_EQ(Load("book.fdt"), 4);
  EXPECT_EQ(alerts.shown, std::vector<std::string>({kUnsupportedAddrType}));
  EXPECT_EQ(records[0].dispNameJP.size(), 300u);
  EXPECT_EQ(records[1].dispName, "b");
  EXPECT_EQ(records[1].dispNameJP, "");
  EXPECT_EQ(records[2].kind, 2);
  EXPECT_EQ(records[2].subAddress, "\x81");
  EXPECT_EQ(records[3].regNo, 5);
}

// NUL bytes cut their lines wherever the pieces of the file end: a file read
// in pieces of any size gives what its bytes give read whole.
TEST_F(BookFileTest, NulBytesCutTheirLinesInPiecesOfAnySize) {
  using namespace std::string_literals;
  std::string bytes = kHeader;
  bytes += "[FAX_ADDR]=3,9,g\0x,G,\r\n"s;
  bytes += "[FAX_ADDR_GM]=4,9,m,M\0,03,,,Co,,,1\r\n"s;
  bytes += "[FAX_ADDR_GM]=4,9,n,N,04,,,\"Kita, Ltd.\",,,2\r\n";
  bytes += "[FAX_ADDR_GM]\0=4,9,o,O,05,,,,,,3\r\n"s;
  bytes += "[FAX_ADDR]=1,2,b,B,1,,,,,,\0\r\n"s;
  bytes += "[FAX_ADDR]=1,3,c,C,2\r\n";
  bytes += "[FAX_ADDR]=1,4,d,D\0\0,3"s;
  BookContext whole = context;
  GroupTable expectedGroups(932, &alerts);
  std::vector<AddressRecord> expected;
  ASSERT_EQ(ReadBookBytes(whole, bytes, INT_MAX, &expected, &expectedGroups), 4);
  std::vector<MemberEntry> expectedMembers;
  expectedGroups.CopyMembers(9, kMaxMembers, &expectedMembers);
  ASSERT_EQ(expectedMembers.size(), 2u);
  EXPECT_EQ(expectedMembers[0].faxNumber, "");  // cut after its reading
  EXPECT_EQ(expectedMembers[1].companyName, "Kita, Ltd.");
  files.SetFile("book.fdt", bytes);
  for (std::size_t piece = 1; piece <= bytes.size(); piece += piece < 40 ? 1 : 37) {
    SCOPED_TRACE(piece);
    files.SetPieceSize(piece);
    records.clear();
    groups.ClearGroups();
    ASSERT_EQ(Load("book.fdt"), 4);
    ASSERT_EQ(records.size(), expected.size());
    for (std::size_t i = 0; i < records.size(); ++i) {
      EXPECT_EQ(records[i].dispName, expected[i].dispName);
      EXPECT_EQ(records[i].dispNameJP, expected[i].dispNameJP);
      EXPECT_EQ(records[i].faxNumber, expected[i].faxNumber);
      EXPECT_EQ(records[i].respect, expected[i].respect);
    }
    std::vector<MemberEntry> members;
    groups.CopyMembers(9, kMaxMembers, &members);
    ASSERT_EQ(members.size(), expectedMembers.size());
    for (std::size_t i = 0; i < members.size(); ++i) {
      EXPECT_EQ(members[i].dispNameJP, expectedMembers[i].dispNameJP);
      EXPECT_EQ(members[i].faxNumber, expectedMembers[i].faxNumber);
      EXPECT_EQ(members[i].respect, expectedMembers[i].respect);
    }
    BookStatus loaded = LoadBook(context, "book.fdt", "", &records, &groups);
    EXPECT_TRUE(loaded.ok());
  }
}

TEST_F(BookFileTest, AFailedSaveLeavesThePreviousBookIntact) {
  files.SetFile("book.fdt", kExample);
  ASSERT_EQ(Load("book.fdt"), 3);
  records.pop_back();
  const std::size_t before = files.FileCount();
  files.FailNextWriteAfter(40);
  EXPECT_EQ(WriteBook(context, "book.fdt", records, groups), FileError::kDiskFull);
  EXPECT_EQ(*files.File("book.fdt"), kExample);
  EXPECT_EQ(files.FileCount(), before);
  EXPECT_EQ(WriteBook(context, "book.fdt", records, groups), FileError::kNone);
  EXPECT_NE(*files.File("book.fdt"), kExample);
}

TEST_F(BookFileTest, SavingElsewhereStillMakesSureOfTheDataFile) {
  context.systemClass = 1;
  context.defaultDataFile = "C:\\docs\\address.fdt";
  EXPECT_EQ(WriteBook(context, "D:\\copy.fdt", {}, groups), FileError::kNone);
  EXPECT_EQ(*files.File("D:\\copy.fdt"), kHeader);
  EXPECT_TRUE(files.FileExists(context.defaultDataFile));
}

}  // namespace
}  // namespace store
