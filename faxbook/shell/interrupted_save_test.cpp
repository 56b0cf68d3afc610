// A start after an apply that was killed part way: the user gets back the
// book as it was or as it was being saved, never an empty one.
#include <gtest/gtest.h>

#include "faxbook/res/resource.h"
#include "tests/support/editor_harness.h"

namespace {

// The old book is not in reading order: apply writes a different file.
const std::string kOld = Book({"[FAX_ADDR]=1,2,Minami,MINAMI,06-1,,,,,,0",
                               "[FAX_ADDR]=1,1,Kita,KITA,03-1,,,,,,0"});
const std::string kNew = Book({"[FAX_ADDR]=1,1,Kita,KITA,03-1,,,,,,0",
                               "[FAX_ADDR]=1,2,Minami,MINAMI,06-1,,,,,,0"});
const std::vector<std::string> kReadings = {"KITA", "MINAMI"};

// A second start on the files the first one left.
void Restart(EditorHarness& next, const sys::FakeFileSystem& left) {
  next.files = left;
  next.files.Revive();
  ASSERT_TRUE(next.Start());
}

TEST(InterruptedSave, AKillAtAnyStepOfApplyLeavesTheOldOrTheNewBookForTheNextStart) {
  int steps = 0;
  {
    EditorHarness editor;
    editor.files.SetFile(editor.DataFile(), kOld);
    ASSERT_TRUE(editor.Start());
    const int before = editor.files.StepsTaken();
    editor.files.WatchSteps([&] {
      const std::string* book = editor.files.File(editor.DataFile());
      ASSERT_NE(book, nullptr) << "no book under its name";
      EXPECT_TRUE(*book == kOld || *book == kNew);
    });
    ASSERT_TRUE(editor.Document().Apply());
    EXPECT_EQ(*editor.files.File(editor.DataFile()), kNew);
    steps = editor.files.StepsTaken() - before;
  }
  ASSERT_GT(steps, 3);
  for (int kill = 0; kill <= steps; ++kill) {
    SCOPED_TRACE(kill);
    EditorHarness editor;
    editor.files.SetFile(editor.DataFile(), kOld);
    editor.files.GiveOpenAccess(editor.DataFile());
    ASSERT_TRUE(editor.Start());
    editor.files.KillAfterSteps(kill);
    editor.Document().Apply();

    EditorHarness next;
    Restart(next, editor.files);
    const std::string book = *next.files.File(next.DataFile());
    EXPECT_TRUE(book == (kill < steps ? kOld : kNew)) << book;
    EXPECT_EQ(next.Column(1), kReadings);
    EXPECT_TRUE(next.Messages().empty());
    EXPECT_TRUE(next.files.HasOpenAccess(next.DataFile()));
    // The next apply clears away what the killed one left.
    ASSERT_TRUE(next.Document().Apply());
    EXPECT_EQ(next.files.FilesNamedLike(next.DataFile()).size(), 1u);
  }
}

TEST(InterruptedSave, AStartAfterTheOldSwapWasCutPutsTheBookBackAndSaysFromWhere) {
  struct Case {
    const char* what;
    bool book;             // a file under the name
    std::string bookBytes;
    bool temporaryWhole;   // the new book in the temporary file is whole
    const char* restored;  // which leftover comes back: "tmp" or "bak"
    std::vector<std::string> readings;
  } cases[] = {
      {"killed between the two renames", false, "", true, "tmp", kReadings},
      {"killed while the new book was written", false, "", false, "bak", {"KITA", "MINAMI"}},
      {"another start made an empty book in the gap", true, "", true, "tmp", kReadings},
      {"another start wrote the header in the gap", true, BookHeader(), true, "tmp", kReadings},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EditorHarness editor;
    const std::string backup = editor.DataFile() + ".~fbk0a000001.bak";
    const std::string temporary = editor.DataFile() + ".~fbk0a000002.tmp";
    editor.files.SetFile(backup, kOld);
    editor.files.GiveOpenAccess(backup);
    editor.files.SetFile(temporary, c.temporaryWhole ? kNew : kNew.substr(0, 60));
    if (c.book) editor.files.SetFile(editor.DataFile(), c.bookBytes);
    ASSERT_TRUE(editor.Start());

    const std::string from = std::string(c.restored) == "tmp" ? temporary : backup;
    const std::string other = from == temporary ? backup : temporary;
    EXPECT_EQ(editor.Column(1), c.readings);
    const std::vector<std::string> named = {editor.DataFile(), from};
    EXPECT_EQ(editor.Messages(),
              (std::vector<std::string>{ui::FormatText(Marker(IDS_BOOK_RESTORED), named)}));
    EXPECT_EQ(editor.boxes.Last().icon, ui::Icon::kInformation);
    EXPECT_FALSE(editor.files.FileExists(from));
    EXPECT_TRUE(editor.files.FileExists(other)) << "the other leftover stays until a save";
    EXPECT_FALSE(editor.Document().IsModified());

    // The book is the user's again: apply writes it and the leftovers go.
    ASSERT_TRUE(editor.Document().Apply());
    EXPECT_EQ(*editor.files.File(editor.DataFile()), kNew);
    EXPECT_EQ(editor.files.FilesNamedLike(editor.DataFile()).size(), 1u);
  }
}

TEST(InterruptedSave, ABookThatCannotBePutBackIsNotShownEmptyNorWrittenOver) {
  EditorHarness editor;
  const std::string temporary = editor.DataFile() + ".~fbk0a000002.tmp";
  editor.files.SetFile(temporary, kNew);
  editor.files.FailNextStep(sys::ReplaceStep::kRename, sys::FileError::kAccessDenied);
  ASSERT_TRUE(editor.Start());
  EXPECT_EQ(editor.List().ItemCount(), 0);
  const std::string unreadable = ui::FormatText(Marker(IDS_BOOK_UNREADABLE), editor.DataFile());
  EXPECT_EQ(editor.Messages(), std::vector<std::string>{unreadable});
  EXPECT_FALSE(editor.Document().Apply());
  EXPECT_EQ(*editor.files.File(temporary), kNew);
  EXPECT_FALSE(editor.files.FileExists(editor.DataFile())) << "a new book was made";
}

}  // namespace
