#include "store/book_file.h"

#include <gtest/gtest.h>

#include "platform/fake/fake_file_system.h"
#include "store/test_support.h"

namespace store {
namespace {

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
    const int n = CountEntries(context, path, oldPath);
    if (n <= 0) return n;
    return ReadBook(context, path, n, &records, &groups);
  }

  sys::FakeFileSystem files;
  RecordingAlerts alerts;
  BookContext context;
  GroupTable groups{932, &alerts};
  std::vector<AddressRecord> records;
};

TEST_F(BookFileTest, ReadsTheExampleBook) {
  files.SetFile("book.fdt", kExample);
  ASSERT_EQ(Load("book.fdt"), 3);
  EXPECT_EQ(records[0].kind, kKindGroup);
  EXPECT_EQ(records[0].dispName, "All Branches");
  EXPECT_EQ(records[2].companyName, "The \"Sun\" Shop");
  std::vector<MemberEntry> members;
  ASSERT_EQ(groups.CopyMembers(3, kMaxMembers, &members), 2);
  EXPECT_EQ(members[0].companyName, "Kita, Ltd.");
  EXPECT_EQ(members[0].respect, 1);
  EXPECT_EQ(members[1].subAddress, "12");
  EXPECT_TRUE(alerts.shown.empty());
}

TEST_F(BookFileTest, ANewBookIsSeededFromTheOldLocationOnNewerSystems) {
  context.systemClass = 2;
  context.defaultDataFile = "C:\\data\\address.fdt";
  files.SetFile("C:\\old\\address.fdt", "any first line\n[FAX_ADDR]=1,1,a,A,1\n// note\n");
  EXPECT_EQ(CountEntries(context, context.defaultDataFile, "C:\\old\\address.fdt"), 2);
  EXPECT_EQ(*files.File(context.defaultDataFile), kHeader + "[FAX_ADDR]=1,1,a,A,1\r\n// note\r\n");
  EXPECT_TRUE(files.HasOpenAccess(context.defaultDataFile));
  // Once it holds lines the old book is not looked at again.
  files.SetFile("C:\\old\\address.fdt", "x\n[FAX_ADDR]=1,9,b,B,1\n");
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

TEST_F(BookFileTest, AnUnopenableBookCountsAsMissing) {
  files.Deny("locked.fdt");
  EXPECT_EQ(CountEntries(context, "locked.fdt", ""), -1);
  EXPECT_EQ(ReadBook(context, "locked.fdt", 10, &records, &groups), 0);
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
  bytes += "[UNKNOWN]=1\r[FAX_ADDR]=1,3,c,C,1";                      // a lone CR, no final end
  files.SetFile("book.fdt", bytes);
  ASSERT_EQ(Load("book.fdt"), 4);
  EXPECT_EQ(alerts.shown, std::vector<std::string>({kUnsupportedAddrType}));
  EXPECT_EQ(records[0].dispNameJP.size(), 300u);
  EXPECT_EQ(records[1].dispName, "b");
  EXPECT_EQ(records[1].dispNameJP, "");
  EXPECT_EQ(records[2].kind, 2);
  EXPECT_EQ(records[2].subAddress, "\x81");
  EXPECT_EQ(records[3].regNo, 3);
}

TEST_F(BookFileTest, AFailedSaveLeavesThePreviousBookIntact) {
  files.SetFile("book.fdt", kExample);
  ASSERT_EQ(Load("book.fdt"), 3);
  records.pop_back();
  const std::size_t before = files.FileCount();
  files.FailNextWriteAfter(40);
  EXPECT_FALSE(WriteBook(context, "book.fdt", records, groups));
  EXPECT_EQ(*files.File("book.fdt"), kExample);
  EXPECT_EQ(files.FileCount(), before);
  EXPECT_TRUE(WriteBook(context, "book.fdt", records, groups));
  EXPECT_NE(*files.File("book.fdt"), kExample);
}

TEST_F(BookFileTest, SavingElsewhereStillMakesSureOfTheDataFile) {
  context.systemClass = 1;
  context.defaultDataFile = "C:\\docs\\address.fdt";
  EXPECT_TRUE(WriteBook(context, "D:\\copy.fdt", {}, groups));
  EXPECT_EQ(*files.File("D:\\copy.fdt"), kHeader);
  EXPECT_TRUE(files.FileExists(context.defaultDataFile));
}

}  // namespace
}  // namespace store
