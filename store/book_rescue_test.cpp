#include "store/book_rescue.h"

#include <gtest/gtest.h>

#include <set>

#include "platform/fake/fake_file_system.h"
#include "store/test_support.h"

namespace store {
namespace {

using sys::FileError;

const std::string kHeader = std::string(kBookHeader) + "\r\n";
const std::string kOld = kHeader + "[FAX_ADDR]=1,1,Kita,KITA,03-1,,,,,,0\r\n";
const std::string kNew = kOld + "[FAX_ADDR]=1,2,Minami,MINAMI,06-1,,,,,,0\r\n";
const std::string kCut = kNew.substr(0, kNew.size() - 9);
constexpr char kBook[] = "C:\\data\\address.fdt";

std::string Leftover(const char* tail) { return std::string(kBook) + ".~fbk" + tail; }

// A file an interrupted save can leave; a case's files are written in
// their order, later ones newer.
struct File {
  std::string path;
  std::string bytes;
};

class BookRescueTest : public ::testing::Test {
 protected:
  BookRescueTest() {
    context.files = &files;
    context.alerts = &alerts;
    context.systemClass = 1;
    context.defaultDataFile = kBook;
  }
  BookStatus Load(const std::string& path = kBook) {
    records.clear();
    return LoadBook(context, path, "C:\\old\\address.fdt", &records, &groups);
  }
  std::set<std::string> Left() {
    std::set<std::string> names;
    for (const sys::FoundFile& f : files.FilesNamedLike(kBook)) names.insert(f.path);
    return names;
  }

  sys::FakeFileSystem files;
  RecordingAlerts alerts;
  BookContext context;
  GroupTable groups{932, &alerts};
  std::vector<AddressRecord> records;
};

TEST_F(BookRescueTest, ABookLostByAnInterruptedSaveIsPutBackBeforeTheLoad) {
  struct Case {
    const char* what;
    std::vector<File> files;
    std::string restoredFrom;  // empty: nothing put back
    std::size_t entries;
    bool othersStay = true;  // false where the load made a new book (a save)
  } cases[] = {
      {"the old swap's gap: the old book in the backup, the new one in the temporary file",
       {{Leftover("00000001.bak"), kOld}, {Leftover("00000002.tmp"), kNew}},
       Leftover("00000002.tmp"), 2},
      {"the new book cut short: the backup",
       {{Leftover("00000001.bak"), kOld}, {Leftover("00000002.tmp"), kCut}},
       Leftover("00000001.bak"), 1},
      {"an empty book that a start made in the gap",
       {{Leftover("00000001.bak"), kOld}, {Leftover("00000002.tmp"), kNew}, {kBook, ""}},
       Leftover("00000002.tmp"), 2},
      {"a book of the header alone made in the gap",
       {{Leftover("00000001.bak"), kOld}, {kBook, kHeader}},
       Leftover("00000001.bak"), 1},
      {"a book cut short before a later save",
       {{kBook, kCut}, {Leftover("00000002.tmp"), kNew}},
       Leftover("00000002.tmp"), 2},
      {"a book cut short after an older save's leftover: the book stays",
       {{Leftover("00000001.bak"), kOld}, {kBook, kCut}}, "", 2},
      {"a whole book beside a newer leftover: the book stays",
       {{kBook, kOld}, {Leftover("00000002.tmp"), kNew}}, "", 1},
      {"a leftover of the header alone is no better than a new book",
       {{Leftover("00000002.tmp"), kHeader}}, "", 0, false},
      {"a leftover of another form", {{Leftover("00000002.tmp"), "a\r\n[FAX_ADDR]=1,1,,X,1\r\n"}},
       "", 0, false},
      {"the user's own copy is no leftover", {{std::string(kBook) + ".bak", kOld}}, "", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    files = sys::FakeFileSystem();
    for (const File& f : c.files) files.SetFile(f.path, f.bytes);
    const BookStatus status = Load();
    ASSERT_TRUE(status.ok()) << sys::FileErrorText(status.error);
    EXPECT_EQ(status.restoredFrom, c.restoredFrom);
    EXPECT_EQ(records.size(), c.entries);
    // The other leftovers stay until a save has put a whole book in place.
    for (const File& f : c.files) {
      if (f.path != kBook && f.path != c.restoredFrom) {
        EXPECT_EQ(files.FileExists(f.path), c.othersStay) << f.path;
      }
    }
    EXPECT_FALSE(files.FileExists(c.restoredFrom));
  }
}

TEST_F(BookRescueTest, ABookThatCannotBePutBackOrReadIsNeverMadeAnew) {
  struct Case {
    const char* what;
    void (*arrange)(sys::FakeFileSystem&);
    FileError error;
  } cases[] = {
      {"the leftover cannot be renamed into place",
       [](sys::FakeFileSystem& f) {
         f.FailNextStep(sys::ReplaceStep::kRename, FileError::kAccessDenied);
       },
       FileError::kAccessDenied},
      {"another program holds the empty book",
       [](sys::FakeFileSystem& f) {
         f.SetFile(kBook, "");
         f.HoldOpen(kBook, true);
       },
       FileError::kSharingViolation},
      {"the book cannot be read: it is not known to be lost",
       [](sys::FakeFileSystem& f) {
         f.SetFile(kBook, kOld);
         f.HoldOpen(kBook, false);
       },
       FileError::kSharingViolation},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    files = sys::FakeFileSystem();
    files.SetFile(Leftover("00000002.tmp"), kNew);
    c.arrange(files);
    const BookStatus status = Load();
    EXPECT_EQ(status.error, c.error);
    EXPECT_EQ(status.path, kBook);
    EXPECT_TRUE(records.empty());
    EXPECT_EQ(*files.File(Leftover("00000002.tmp")), kNew);
    const std::string* book = files.File(kBook);
    EXPECT_TRUE(book == nullptr || *book == "" || *book == kOld) << "a new book was made";
  }
}

TEST_F(BookRescueTest, APutBackBookTakesTheRightsOfTheOneItReplacesAndNamesMayEndIn0x5C) {
  // 表 is 0x95 0x5C: the leftover is found beside the book, not in "C:\data\\x95".
  const std::string book = "C:\\data\\\x95\x5C.fdt";
  files.SetFile(book, "");
  files.GiveOpenAccess(book);
  files.SetFile(book + ".~fbk00000001.tmp", kNew);
  context.defaultDataFile.clear();
  const BookStatus status = Load(book);
  ASSERT_TRUE(status.ok());
  EXPECT_EQ(status.restoredFrom, book + ".~fbk00000001.tmp");
  EXPECT_EQ(*files.File(book), kNew);
  EXPECT_TRUE(files.HasOpenAccess(book));
}

TEST(WholeBook, TheHeaderFirstAndALineEndLast) {
  struct Case {
    std::string bytes;
    bool whole;
  } cases[] = {
      {kHeader, true},
      {kNew, true},
      {std::string(kBookHeader) + "\n[FAX_ADDR]=1,1,,A,1\n", true},
      {kCut, false},
      {std::string(kBookHeader), false},
      {"", false},
      {"// another header\r\n[FAX_ADDR]=1,1,,A,1\r\n", false},
      {std::string(kBookHeader) + " \r\n", false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsWholeBook(c.bytes), c.whole) << c.bytes;
}

}  // namespace
}  // namespace store
