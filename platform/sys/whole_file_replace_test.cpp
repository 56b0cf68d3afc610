#include "platform/sys/whole_file_replace.h"

#include <gtest/gtest.h>

#include <set>

#include "platform/fake/fake_file_system.h"

namespace sys {
namespace {

constexpr char kBook[] = "C:\\data\\address.fdt";
constexpr char kOther[] = "C:\\data\\other.fdt";

FileError Replace(FakeFileSystem& files, const std::string& contents,
                  const std::string& path = kBook) {
  return files.ReplaceWith(path, [&](ByteSink& sink) {
    // In two pieces, as a streaming writer hands them on.
    return sink.Write(contents.substr(0, contents.size() / 2)) &&
           sink.Write(contents.substr(contents.size() / 2));
  });
}

std::set<std::string> Names(FakeFileSystem& files, const std::string& path) {
  std::set<std::string> names;
  for (const FoundFile& f : files.FilesNamedLike(path)) names.insert(f.path);
  return names;
}

TEST(WholeFileReplace, EveryFailureLeavesTheOldFileWithItsRightsAndNothingBeside) {
  struct Case {
    const char* what;
    void (*arrange)(FakeFileSystem&);
    FileError error;
  } cases[] = {
      {"temporary file cannot be created",
       [](FakeFileSystem& f) { f.FailNextStep(ReplaceStep::kCreate, FileError::kAccessDenied); },
       FileError::kAccessDenied},
      {"disk full part way", [](FakeFileSystem& f) { f.FailNextWriteAfter(5); },
       FileError::kDiskFull},
      {"flush fails",
       [](FakeFileSystem& f) { f.FailNextStep(ReplaceStep::kFlush, FileError::kIoError); },
       FileError::kIoError},
      {"the old file's rights cannot be read or given",
       [](FakeFileSystem& f) { f.FailNextStep(ReplaceStep::kTakeOver, FileError::kAccessDenied); },
       FileError::kAccessDenied},
      {"the rename is refused",
       [](FakeFileSystem& f) { f.FailNextStep(ReplaceStep::kRename, FileError::kAccessDenied); },
       FileError::kAccessDenied},
      {"another program holds the old file",
       [](FakeFileSystem& f) { f.HoldOpen(kBook); }, FileError::kSharingViolation},
      {"the old file is read-only", [](FakeFileSystem& f) { f.MakeReadOnly(kBook); },
       FileError::kReadOnly},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    FakeFileSystem files;
    files.SetFile(kBook, "old book");
    files.GiveOpenAccess(kBook);
    files.SetFile(kOther, "another book");
    c.arrange(files);
    EXPECT_EQ(Replace(files, "the new book"), c.error);
    ASSERT_NE(files.File(kBook), nullptr);
    EXPECT_EQ(*files.File(kBook), "old book");
    EXPECT_TRUE(files.HasOpenAccess(kBook));
    EXPECT_EQ(files.FileCount(), 2u) << "a temporary file was left";
  }
  FakeFileSystem files;
  files.SetFile(kBook, "old book");
  EXPECT_EQ(files.ReplaceWith(kBook, [](ByteSink& sink) { return sink.Write("par") && false; }),
            FileError::kIoError);
  EXPECT_EQ(*files.File(kBook), "old book");
  EXPECT_EQ(files.FileCount(), 1u);
}

TEST(WholeFileReplace, AWholeFileIsUnderTheNameAtEveryStepAndAfterAKillAtAnyOfThem) {
  FakeFileSystem files;
  files.SetFile(kBook, "old book");
  files.GiveOpenAccess(kBook);
  int watched = 0;
  files.WatchSteps([&] {
    ++watched;
    const std::string* book = files.File(kBook);
    ASSERT_NE(book, nullptr) << "no file under the name";
    EXPECT_TRUE(*book == "old book" || *book == "the new book") << *book;
    EXPECT_TRUE(files.HasOpenAccess(kBook));
  });
  ASSERT_EQ(Replace(files, "the new book"), FileError::kNone);
  const int steps = files.StepsTaken();
  EXPECT_GT(watched, 3);
  EXPECT_TRUE(files.HasOpenAccess(kBook)) << "the new book lost the old one's rights";

  // Killed after each step in turn: the old book or the new one, and the
  // next save puts things right.
  for (int kill = 0; kill < steps; ++kill) {
    SCOPED_TRACE(kill);
    FakeFileSystem crashed;
    crashed.SetFile(kBook, "old book");
    crashed.GiveOpenAccess(kBook);
    crashed.KillAfterSteps(kill);
    EXPECT_NE(Replace(crashed, "the new book"), FileError::kNone);
    crashed.Revive();
    ASSERT_NE(crashed.File(kBook), nullptr);
    EXPECT_EQ(*crashed.File(kBook), "old book");
    ASSERT_EQ(Replace(crashed, "a later book"), FileError::kNone);
    EXPECT_EQ(Names(crashed, kBook), std::set<std::string>{kBook});
    EXPECT_TRUE(crashed.HasOpenAccess(kBook));
  }
}

TEST(WholeFileReplace, ANewFileIsRenamedIntoPlaceOrKeptAsTheOnlyCopy) {
  FakeFileSystem files;
  ASSERT_EQ(Replace(files, "first"), FileError::kNone);
  EXPECT_EQ(*files.File(kBook), "first");
  EXPECT_EQ(files.FileCount(), 1u);

  // Nothing is under the name when the rename fails: the temporary file is
  // the only whole copy and stays.
  FakeFileSystem refused;
  refused.FailNextStep(ReplaceStep::kRename, FileError::kIoError);
  EXPECT_EQ(Replace(refused, "first"), FileError::kIoError);
  EXPECT_FALSE(refused.FileExists(kBook));
  const std::set<std::string> left = Names(refused, kBook);
  ASSERT_EQ(left.size(), 1u);
  EXPECT_TRUE(IsLeftoverOf(932, kBook, *left.begin()));
  EXPECT_EQ(*refused.File(*left.begin()), "first");
}

TEST(WholeFileReplace, LeftoversGoOnlyOnceAWholeFileIsInPlace) {
  struct Case {
    const char* what;
    int codePage;
    std::string book;
    std::string neighbour;  // another book in the folder, whose leftovers stay
  } cases[] = {
      {"plain names", 1252, kBook, "C:\\data\\other.fdt"},
      // 表 and ソ end in 0x5C, the backslash's byte, in code page 932.
      {"names ending in a trail byte 0x5C", 932, "C:\\data\\\x95\x5C.fdt",
       "C:\\data\\\x83\x5C.fdt"},
      {"a folder ending in a trail byte 0x5C", 932, "C:\\\x95\x5C\\address.fdt",
       "C:\\\x95\x5C\\\x83\x5C.fdt"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    FakeFileSystem files;
    files.SetCodePage(c.codePage);
    files.SetFile(c.book, "old book");
    const std::string tmp = c.book + ".~fbk00000001.tmp";
    const std::string bak = c.book + ".~fbk00000002.bak";
    const std::string held = c.book + ".~fbk00000003.tmp";
    const std::string users = c.book + ".bak";
    const std::string theirs = c.neighbour + ".~fbk00000004.tmp";
    for (const std::string& f : {tmp, bak, held, users, theirs}) files.SetFile(f, "a book");
    files.HoldOpen(held, false);

    // A failed save is no whole file under the name: everything stays.
    files.FailNextStep(ReplaceStep::kRename, FileError::kAccessDenied);
    EXPECT_NE(Replace(files, "new book", c.book), FileError::kNone);
    EXPECT_EQ(files.FileCount(), 6u);

    ASSERT_EQ(Replace(files, "new book", c.book), FileError::kNone);
    EXPECT_EQ(*files.File(c.book), "new book");
    EXPECT_FALSE(files.FileExists(tmp));
    EXPECT_FALSE(files.FileExists(bak));
    EXPECT_TRUE(files.FileExists(held)) << "a file another writer holds";
    EXPECT_TRUE(files.FileExists(users)) << "the user's own copy";
    EXPECT_TRUE(files.FileExists(theirs)) << "another book's leftover";
    EXPECT_EQ(files.FileCount(), 4u);
  }
}

TEST(WholeFileReplace, ALeftoverPutInPlaceTakesTheRightsOfTheFileItReplaces) {
  const std::string leftover = std::string(kBook) + ".~fbk00000001.tmp";
  struct Case {
    const char* what;
    bool bookThere;
    bool bookOpen;       // the book has the open access rights
    bool leftoverOpen;   // the leftover has them
    bool held;           // another program holds the book
    bool expectOpen;
  } cases[] = {
      {"over a book with open rights", true, true, false, false, true},
      {"over a book without them", true, false, true, false, false},
      {"with no book: the leftover's own rights", false, false, true, false, true},
      {"over a book another program holds", true, true, false, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    FakeFileSystem files;
    if (c.bookThere) files.SetFile(kBook, "cut boo");
    if (c.bookOpen) files.GiveOpenAccess(kBook);
    files.SetFile(leftover, "whole book");
    if (c.leftoverOpen) files.GiveOpenAccess(leftover);
    if (c.held) files.HoldOpen(kBook);
    const FileError error = files.PutInPlace(leftover, kBook);
    EXPECT_EQ(error == FileError::kNone, !c.held);
    EXPECT_EQ(*files.File(kBook), c.held ? "cut boo" : "whole book");
    EXPECT_EQ(files.FileExists(leftover), c.held);
    EXPECT_EQ(files.HasOpenAccess(kBook), c.expectOpen);
  }
}

TEST(WholeFileReplace, FilesNamedLikeTheBookAreFoundInItsFolderOnly) {
  FakeFileSystem files;
  const std::string book = "C:\\data\\\x95\x5C.fdt";
  for (const char* f : {"C:\\data\\\x95\x5C.fdt", "C:\\data\\\x95\x5C.fdt.~fbk1.tmp",
                        "C:\\data\\\x83\x5C.fdt.~fbk2.tmp", "C:\\data\\sub\\\x95\x5C.fdt",
                        "C:\\data\\\x95\\.fdt"}) {
    files.SetFile(f, "x");
  }
  EXPECT_EQ(Names(files, book), (std::set<std::string>{book, book + ".~fbk1.tmp"}));
  struct Leftover {
    const char* name;
    bool is;
  } leftovers[] = {
      {"C:\\data\\\x95\x5C.fdt.~fbk00000001.tmp", true},
      {"C:\\data\\\x95\x5C.fdt.~fbkAbC123.bak", true},
      {"C:\\data\\\x95\x5C.fdt.~fbk.tmp", false},
      {"C:\\data\\\x95\x5C.fdt.~fbk1.txt", false},
      {"C:\\data\\\x95\x5C.fdt.bak", false},
      {"C:\\data\\\x83\x5C.fdt.~fbk1.tmp", false},
  };
  for (const Leftover& l : leftovers) EXPECT_EQ(IsLeftoverOf(932, book, l.name), l.is) << l.name;
}

}  // namespace
}  // namespace sys
