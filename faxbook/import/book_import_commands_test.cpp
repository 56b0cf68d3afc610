// Save-as and the imports of another book and of a device file, through the
// file dialogs, the question about unsaved work and the messages.
#include <gtest/gtest.h>

#include "tests/support/bulk_harness.h"
#include "tests/support/fed_file.h"

namespace {

using Texts = std::vector<std::string>;

const Texts kBook = {
    "[FAX_ADDR]=1,1,Kita,KITA,03-1,,,,,,0",
    "[FAX_ADDR]=1,2,Minami,MINAMI,06-3,,,,,,0",
    "[FAX_ADDR]=3,3,All,ALL,",
    "[FAX_ADDR_GM]=4,3,Kita,KITA,03-1,,,,,,0",
};
const Texts kOtherBook = {
    "[FAX_ADDR]=1,7,Nishi,NISHI,09-1,,,,,,0",
    "[FAX_ADDR]=1,8,Chuo,CHUO,09-2,,,,,,0",
};
constexpr char kOther[] = "C:\\Books\\other.fdt";
constexpr char kCopy[] = "C:\\Books\\copy.fdt";
constexpr char kDevice[] = "C:\\Books\\machine.fed";

class BookImportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    editor.StartWith(kBook);
    editor.files.SetFile(kOther, Book(kOtherBook));
  }
  // An unsaved change: the group is deleted.
  void ChangeSomething() {
    editor.Select({"ALL"});
    editor.boxes.AnswerNext(ui::kIdOk);
    editor.Command(IDC_DELETE_BUTTON);
    ASSERT_TRUE(editor.Document().IsModified());
    editor.boxes.Clear();
  }
  BulkHarness editor;
};

TEST_F(BookImportTest, SaveAsWritesACopyAndApplyStillWritesTheBooksOwnFile) {
  ChangeSomething();
  const std::string before = editor.WrittenBook();
  editor.fileDialogs.ChooseNext(kCopy);
  editor.Command(ID_FILE_SAVE_AS);
  ASSERT_EQ(editor.fileDialogs.Requests().size(), 1u);
  const ui::FileDialogRequest& request = editor.fileDialogs.Requests()[0];
  EXPECT_TRUE(request.save);
  EXPECT_EQ(request.filter, Marker(IDS_BOOK_FILTER) + "(*.fdt)|*.fdt|");
  EXPECT_EQ(request.fileName, "*.fdt");
  EXPECT_TRUE(request.hideReadOnly);
  EXPECT_TRUE(request.overwritePrompt);
  ASSERT_NE(editor.files.File(kCopy), nullptr);
  const std::string copy = *editor.files.File(kCopy);
  EXPECT_EQ(copy.find("ALL"), std::string::npos);
  EXPECT_EQ(editor.WrittenBook(), before);
  EXPECT_TRUE(editor.Document().IsModified());
  EXPECT_TRUE(editor.boxes.Shown().empty());

  ASSERT_TRUE(editor.Document().Apply());
  EXPECT_EQ(editor.WrittenBook(), copy);
  EXPECT_EQ(*editor.files.File(kCopy), copy);
}

TEST_F(BookImportTest, ACancelledSaveAsWritesNothingAndAFailedOneSaysSo) {
  const std::size_t files = editor.files.FileCount();
  editor.Command(ID_FILE_SAVE_AS);  // the dialog is cancelled
  EXPECT_EQ(editor.files.FileCount(), files);
  EXPECT_TRUE(editor.boxes.Shown().empty());

  editor.files.FailNextWriteAfter(10);
  editor.fileDialogs.ChooseNext(kCopy);
  editor.Command(ID_FILE_SAVE_AS);
  EXPECT_EQ(editor.files.File(kCopy), nullptr);
  EXPECT_EQ(editor.Messages(), Texts{"[61280] " + std::string(kCopy)});
}

// A path the code page cannot write (a folder of another script's name):
// every command refuses it with a message of its own and changes nothing.
TEST_F(BookImportTest, APathTheCodePageCannotWriteIsRefusedByEveryCommand) {
  const std::string lossy = "C:\\????\\other.fdt";
  editor.files.SetFile(lossy, Book(kOtherBook));
  for (int command : {ID_FILE_SAVE_AS, ID_FILE_IMPORT_BOOK, ID_IMPORT_QUORVEX}) {
    editor.boxes.Clear();
    const std::size_t files = editor.files.FileCount();
    editor.fileDialogs.ChooseNextNotInCodePage(lossy);
    editor.Command(command);
    EXPECT_EQ(editor.Messages(), Texts{"[61347] " + lossy}) << command;
    EXPECT_EQ(editor.files.FileCount(), files) << command;
    EXPECT_EQ(editor.Column(1), (Texts{"ALL", "KITA", "MINAMI"})) << command;
  }
  // Asked to save unsaved work first, a copy that cannot be written there
  // stops the import: the work is kept.
  ChangeSomething();
  editor.boxes.AnswerNext(ui::kIdYes);
  editor.fileDialogs.ChooseNextNotInCodePage("C:\\????\\copy.fdt");
  editor.fileDialogs.ChooseNext(kOther);
  editor.Command(ID_FILE_IMPORT_BOOK);
  EXPECT_EQ(editor.Messages(), (Texts{Marker(IDS_SAVE_AS_QUESTION), "[61347] C:\\????\\copy.fdt"}));
  EXPECT_EQ(editor.fileDialogs.PendingAnswers(), 1u) << "no book was asked for";
  EXPECT_EQ(editor.Column(1), (Texts{"KITA", "MINAMI"}));
}

TEST_F(BookImportTest, ImportReplacesTheEntriesAndMarksTheBookModified) {
  const std::string before = editor.WrittenBook();
  editor.fileDialogs.ChooseNext(kOther);
  editor.Command(ID_FILE_IMPORT_BOOK);
  ASSERT_EQ(editor.fileDialogs.Requests().size(), 1u);
  const ui::FileDialogRequest& request = editor.fileDialogs.Requests()[0];
  EXPECT_FALSE(request.save);
  EXPECT_EQ(request.filter, Marker(IDS_BOOK_FILTER) + "(*.fdt)|*.fdt|");
  EXPECT_EQ(request.fileName, "*.fdt");
  EXPECT_TRUE(request.fileMustExist);
  EXPECT_TRUE(editor.boxes.Shown().empty());  // nothing was unsaved
  EXPECT_EQ(editor.Column(1), (Texts{"CHUO", "NISHI"}));
  EXPECT_EQ(editor.TheBook().Groups().UsedSlots(), 0);
  EXPECT_TRUE(editor.Document().IsModified());
  EXPECT_EQ(editor.WrittenBook(), before);
  EXPECT_EQ(editor.Document().PrimaryPath(), editor.DataFile());
  ASSERT_TRUE(editor.Document().Apply());
  EXPECT_EQ(editor.WrittenBook(), Book({"[FAX_ADDR]=1,8,Chuo,CHUO,09-2,,,,,,0",
                                        "[FAX_ADDR]=1,7,Nishi,NISHI,09-1,,,,,,0"}));
}

TEST(BookImportQuestion, UnsavedWorkIsOfferedASaveUnderAnotherNameFirst) {
  enum Save { kNoSave, kSaved, kSaveCancelled, kSaveFailed };
  const struct {
    const char* what;
    int answer;
    Save save;
    bool imported;
  } cases[] = {
      {"cancel", ui::kIdCancel, kNoSave, false},
      {"no", ui::kIdNo, kNoSave, true},
      {"yes, saved", ui::kIdYes, kSaved, true},
      {"yes, save dialog cancelled", ui::kIdYes, kSaveCancelled, true},
      {"yes, save failed", ui::kIdYes, kSaveFailed, false},
  };
  for (const auto& c : cases) {
    BulkHarness editor;
    editor.StartWith(kBook);
    editor.files.SetFile(kOther, Book(kOtherBook));
    editor.Select({"ALL"});
    editor.boxes.AnswerNext(ui::kIdOk);
    editor.Command(IDC_DELETE_BUTTON);
    editor.boxes.Clear();

    editor.boxes.AnswerNext(c.answer);
    if (c.save == kSaved || c.save == kSaveFailed) editor.fileDialogs.ChooseNext(kCopy);
    if (c.save == kSaveCancelled) editor.fileDialogs.CancelNext();
    if (c.save == kSaveFailed) editor.files.Deny(kCopy);
    editor.fileDialogs.ChooseNext(kOther);
    editor.Command(ID_FILE_IMPORT_BOOK);

    ASSERT_GE(editor.boxes.Shown().size(), 1u) << c.what;
    const ui::ShownMessage& question = editor.boxes.Shown()[0];
    EXPECT_EQ(question.text, Marker(IDS_SAVE_AS_QUESTION)) << c.what;
    EXPECT_EQ(question.caption, Marker(IDS_CAPTION)) << c.what;
    EXPECT_EQ(question.buttons, ui::Buttons::kYesNoCancel) << c.what;
    EXPECT_EQ(editor.files.File(kCopy) != nullptr, c.save == kSaved) << c.what;
    if (c.save == kSaved) {
      EXPECT_EQ(editor.files.File(kCopy)->find("ALL"), std::string::npos);
    }
    EXPECT_EQ(editor.RowOf("NISHI") >= 0, c.imported) << c.what;
    EXPECT_EQ(editor.RowOf("KITA") >= 0, !c.imported) << c.what;
    EXPECT_TRUE(editor.Document().IsModified()) << c.what;
  }
}

TEST_F(BookImportTest, ImportingWhatTheBooksFileHoldsLeavesItUnmodifiedWhereverItComesFrom) {
  ChangeSomething();
  editor.fileDialogs.ChooseNext(editor.DataFile());
  editor.boxes.AnswerNext(ui::kIdNo);
  editor.Command(ID_FILE_IMPORT_BOOK);
  EXPECT_EQ(editor.Column(1), (Texts{"ALL", "KITA", "MINAMI"}));
  EXPECT_FALSE(editor.Document().IsModified());

  // A copy of the same book under another name: the book is still what its
  // file holds, and undoing the import does not change that.
  std::string upper = editor.DataFile();
  upper.replace(upper.size() - 11, 11, "ADDRESS.FDT");
  editor.files.SetFile(upper, *editor.files.File(editor.DataFile()));
  editor.fileDialogs.ChooseNext(upper);
  editor.Command(ID_FILE_IMPORT_BOOK);
  EXPECT_EQ(editor.Column(1), (Texts{"ALL", "KITA", "MINAMI"}));
  EXPECT_FALSE(editor.Document().IsModified());
  editor.Command(ID_EDIT_UNDO);
  EXPECT_FALSE(editor.Document().IsModified());
  // Undone once more, the change made before the first import is back.
  editor.Command(ID_EDIT_UNDO);
  EXPECT_TRUE(editor.Document().IsModified());
}

TEST_F(BookImportTest, AFileThatCannotBeReadLeavesTheEntriesAsTheyWere) {
  editor.files.Deny(kOther);
  for (const char* path : {kOther, "C:\\Books\\missing.fdt"}) {
    editor.boxes.Clear();
    editor.fileDialogs.ChooseNext(path);
    editor.Command(ID_FILE_IMPORT_BOOK);
    EXPECT_EQ(editor.Messages(), Texts{Marker(IDS_BAD_FILE)}) << path;
    EXPECT_EQ(editor.boxes.Last().caption, Marker(IDS_CAPTION));
    EXPECT_EQ(editor.Column(1), (Texts{"ALL", "KITA", "MINAMI"})) << path;
    EXPECT_FALSE(editor.Document().IsModified()) << path;
  }
  EXPECT_EQ(editor.files.File("C:\\Books\\missing.fdt"), nullptr);
  // An empty file is an empty book; it gets its header line.
  editor.files.SetFile("C:\\Books\\empty.fdt", "");
  editor.fileDialogs.ChooseNext("C:\\Books\\empty.fdt");
  editor.Command(ID_FILE_IMPORT_BOOK);
  EXPECT_EQ(editor.List().ItemCount(), 0);
  EXPECT_EQ(*editor.files.File("C:\\Books\\empty.fdt"), BookHeader());
  EXPECT_TRUE(editor.Document().IsModified());
}

TEST_F(BookImportTest, ADeviceFileReplacesTheEntriesByItsDestinations) {
  fedfile::Record kita;
  kita.index = 2;
  kita.name = "Kita";
  kita.fax = "03-1";
  fedfile::Record nameless;
  nameless.index = 1;
  nameless.fax = "06-2";
  nameless.dataKind = 2;
  nameless.subAddress = "12";
  editor.files.SetFile(kDevice, fedfile::File({fedfile::DestinationList(
                                    {fedfile::Item(0x41, fedfile::Encode(kita) + fedfile::Encode(nameless))})}));
  editor.fileDialogs.ChooseNext(kDevice);
  editor.Command(ID_IMPORT_QUORVEX);
  const ui::FileDialogRequest& request = editor.fileDialogs.Requests().at(0);
  EXPECT_FALSE(request.save);
  EXPECT_EQ(request.filter, Marker(IDS_BOOK_FILTER) + "(*.fed)|*.fed|");
  EXPECT_EQ(request.fileName, "*.fed");
  EXPECT_TRUE(editor.boxes.Shown().empty());
  // In Japanese the reading is the destination's key.
  EXPECT_EQ(editor.Column(1), (Texts{"#0001", "#0002"}));
  EXPECT_EQ(editor.List().Row(0), (Texts{"#0001", "#0001", "06-2", "", "", ""}));
  EXPECT_EQ(editor.Record("#0002")->dispName, "Kita");
  EXPECT_EQ(editor.Record("#0001")->subAddress, "12");
  EXPECT_EQ(editor.Record("#0002")->regNo, 1);
  EXPECT_EQ(editor.TheBook().Groups().UsedSlots(), 0);
  // The last destination inserted is the one selected.
  EXPECT_EQ(editor.List().SelectedCount(), 1);
  EXPECT_TRUE(editor.List().IsSelected(editor.RowOf("#0001")));
  EXPECT_EQ(editor.CountPane(), "2");
  EXPECT_TRUE(editor.Document().IsModified());
  ASSERT_TRUE(editor.Document().Apply());
  EXPECT_EQ(editor.WrittenBook(), Book({"[FAX_ADDR]=1,2,#0001,#0001,06-2,12,,,,,0",
                                        "[FAX_ADDR]=1,1,Kita,#0002,03-1,,,,,,0"}));
}

TEST_F(BookImportTest, ADeviceFileThatIsBrokenOrHoldsNothingLeavesTheBookAlone) {
  const struct {
    std::string bytes;
    int message;
  } cases[] = {
      {fedfile::FileCounted(2, {fedfile::DestinationList({})}), IDS_BAD_FILE},
      {fedfile::File({}), IDS_NOTHING_TO_IMPORT},
      {"not a device file", IDS_NOTHING_TO_IMPORT},
  };
  for (const auto& c : cases) {
    editor.boxes.Clear();
    editor.files.SetFile(kDevice, c.bytes);
    editor.fileDialogs.ChooseNext(kDevice);
    editor.Command(ID_IMPORT_QUORVEX);
    EXPECT_EQ(editor.Messages(), Texts{Marker(c.message)});
    EXPECT_EQ(editor.boxes.Last().caption, Marker(IDS_CAPTION));
    EXPECT_EQ(editor.Column(1), (Texts{"ALL", "KITA", "MINAMI"}));
    EXPECT_FALSE(editor.Document().IsModified());
  }
}

TEST_F(BookImportTest, ADeviceFileBeyondTheBooksLimitFillsItAndSaysSo) {
  editor.files.SetFile(kDevice, fedfile::Destinations(3001));
  ChangeSomething();
  editor.boxes.AnswerNext(ui::kIdNo);
  editor.fileDialogs.ChooseNext(kDevice);
  editor.Command(ID_IMPORT_QUORVEX);
  EXPECT_EQ(editor.Messages(), (Texts{Marker(IDS_SAVE_AS_QUESTION), "[61238] 3000"}));
  EXPECT_EQ(editor.List().ItemCount(), 3000);
  EXPECT_EQ(editor.CountPane(), "3000");
  EXPECT_EQ(editor.Record("#3000"), nullptr);
  EXPECT_EQ(editor.Record("#2999")->dispName, "Dest 3000");
}

TEST(BookImportOverAnUnreadBook, OnlyAWholeBookTheUserChoseMayBeAppliedOverIt) {
  // The book is held open by another program at the start: the editor shows
  // it empty and refuses to write the empty rows over it.
  const std::string held = Book(kBook);
  fedfile::Record kita;
  kita.index = 1;
  kita.name = "Kita";
  kita.fax = "03-1";
  const struct {
    const char* what;
    int command;
    bool applies;
  } cases[] = {
      {"an address added by hand", ID_NEW_ADDRESS, false},
      {"a device file's destinations in place of every entry", ID_IMPORT_QUORVEX, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    BulkHarness editor;
    editor.files.SetFile(editor.DataFile(), held);
    editor.files.HoldOpen(editor.DataFile(), false);
    editor.Start();
    editor.files.Release(editor.DataFile());
    editor.boxes.Clear();
    if (c.command == ID_IMPORT_QUORVEX) {
      editor.files.SetFile(kDevice, fedfile::File({fedfile::DestinationList(
                                        {fedfile::Item(0x41, fedfile::Encode(kita))})}));
      editor.fileDialogs.ChooseNext(kDevice);
    } else {
      editor.dialogs.OnNextDialog(IDD_ADDRESS, [](ui::FakeDialog& d) {
        FillAddress(d, "Nishi", "NISHI", "09-1");
        d.Click(ui::kIdOk);
      });
    }
    editor.Command(c.command);
    ASSERT_EQ(editor.List().ItemCount(), 1);
    editor.boxes.Clear();
    EXPECT_EQ(editor.Document().Apply(), c.applies);
    if (c.applies) {
      EXPECT_EQ(editor.WrittenBook(), Book({"[FAX_ADDR]=1,1,Kita,#0001,03-1,,,,,,0"}));
    } else {
      EXPECT_EQ(editor.Messages(), (Texts{ui::FormatText(Marker(IDS_BOOK_PROTECTED),
                                                        editor.DataFile())}));
      EXPECT_EQ(editor.WrittenBook(), held);
    }
  }
}

}  // namespace
