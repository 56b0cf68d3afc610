// The frame's commands: apply and the save routine, the hidden write
// button, closing, help, the bars, the list font and the about box.
#include <gtest/gtest.h>

#include "faxbook/res/resource.h"
#include "tests/support/editor_harness.h"

namespace {

using Texts = std::vector<std::string>;

const Texts kBook = {
    "[FAX_ADDR]=1,1,Kita,KITA,03-2,,,\"Kita, Ltd.\",,,1",
    "[FAX_ADDR]=3,2,All,ALL,",
    "[FAX_ADDR_GM]=4,2,Kita,KITA,03-2,,,\"Kita, Ltd.\",,,1",
    "[FAX_ADDR]=1,3,Abe,ABE,03-1,,,,,,0",
};
// What apply writes for kBook: ascending readings, members after their group.
const std::string kApplied = Book({
    "[FAX_ADDR]=1,3,Abe,ABE,03-1,,,,,,0",
    "",
    "[FAX_ADDR]=3,2,All,ALL,",
    "[FAX_ADDR_GM]=4,2,Kita,KITA,03-2,,,\"Kita, Ltd.\",,,1",
    "[FAX_ADDR]=1,1,Kita,KITA,03-2,,,\"Kita, Ltd.\",,,1",
});

class MainFrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    editor.files.SetFile(editor.DataFile(), Book(kBook));
    ASSERT_TRUE(editor.Start());
  }
  const std::string& DataFile() { return *editor.files.File(editor.DataFile()); }
  EditorHarness editor;
};

TEST_F(MainFrameTest, ApplyIsGreyUntilTheBookIsModifiedAndFollowsTheFlag) {
  EXPECT_FALSE(editor.host.State(ID_FILE_APPLY).enabled);
  EXPECT_FALSE(editor.host.Choose(ID_FILE_APPLY));  // Ctrl+S does nothing
  EXPECT_EQ(editor.files.ReplaceCount(), 0);
  EXPECT_FALSE(editor.host.State(ID_EDIT_UNDO).enabled);
  editor.TouchFirstGroup();
  EXPECT_TRUE(editor.host.IsMenuItemEnabled(ID_FILE_APPLY));
  EXPECT_TRUE(editor.host.State(ID_FILE_APPLY).enabled);
  EXPECT_TRUE(editor.host.State(ID_EDIT_UNDO).enabled);
  // Undone, the book is what the file holds again.
  ASSERT_TRUE(editor.host.Choose(ID_EDIT_UNDO));
  EXPECT_FALSE(editor.host.State(ID_FILE_APPLY).enabled);
  EXPECT_FALSE(editor.host.State(ID_EDIT_UNDO).enabled);
  EXPECT_TRUE(editor.host.State(ID_EDIT_REDO).enabled);
  // Cut has no handler and stays disabled.
  EXPECT_FALSE(editor.host.State(ID_EDIT_CUT).enabled);
}

TEST_F(MainFrameTest, ApplyWritesAscendingReadingsAndKeepsTheViewersOrder) {
  editor.List().ClickHeader(2);
  editor.List().ClickHeader(2);
  const Texts shown = editor.Column(1);
  editor.TouchFirstGroup();
  ASSERT_TRUE(editor.host.Choose(ID_FILE_APPLY));
  EXPECT_EQ(DataFile(), kApplied);
  EXPECT_FALSE(editor.Document().IsModified());
  EXPECT_FALSE(editor.host.IsMenuItemEnabled(ID_FILE_APPLY));
  EXPECT_EQ(editor.View().SortColumn(), 2);
  EXPECT_FALSE(editor.View().SortAscending());
  EXPECT_EQ(editor.Column(1), shown);
  EXPECT_EQ(editor.cursor.Depth(), 0);
  EXPECT_GT(editor.cursor.TimesShown(), 1);
  EXPECT_TRUE(editor.boxes.Shown().empty());
}

TEST_F(MainFrameTest, ApplyingAnEmptyListWritesTheHeaderOnly) {
  editor.ClearBook();
  ASSERT_TRUE(editor.host.Choose(ID_FILE_APPLY));
  EXPECT_EQ(DataFile(), BookHeader());
  EXPECT_EQ(editor.CountPane(), "0");
}

TEST_F(MainFrameTest, AFailedApplyIsReportedAndTheBookStaysModified) {
  const std::string before = DataFile();
  editor.TouchFirstGroup();
  editor.files.FailNextWriteAfter(10);
  ASSERT_TRUE(editor.host.Choose(ID_FILE_APPLY));
  ASSERT_EQ(editor.boxes.Shown().size(), 1u);
  EXPECT_EQ(editor.boxes.Last().text, "[61280] " + editor.DataFile());
  EXPECT_EQ(editor.boxes.Last().caption, Marker(IDS_CAPTION));
  EXPECT_EQ(editor.boxes.Last().icon, ui::Icon::kStop);
  EXPECT_TRUE(editor.Document().IsModified());
  EXPECT_TRUE(editor.host.IsMenuItemEnabled(ID_FILE_APPLY));
  EXPECT_EQ(DataFile(), before);
  // Closing still asks; Yes tries again, fails again, and the editor stays.
  // A book that cannot even be read is not written over: apply says it
  // cannot be read.
  editor.files.Deny(editor.DataFile());
  editor.boxes.AnswerNext(ui::kIdYes);
  editor.host.CloseBox();
  EXPECT_FALSE(editor.host.Destroyed());
  EXPECT_EQ(editor.Messages(), (Texts{"[61280] " + editor.DataFile(), Marker(IDS_SAVE_QUESTION),
                                      "[61296] " + editor.DataFile()}));
}

TEST_F(MainFrameTest, AReadOnlyBookIsNotSavedOverAndTheUserIsToldWhy) {
  const std::string before = DataFile();
  editor.files.MakeReadOnly(editor.DataFile());
  editor.TouchFirstGroup();
  ASSERT_TRUE(editor.host.Choose(ID_FILE_APPLY));
  EXPECT_EQ(editor.Messages(),
            (Texts{ui::FormatText(Marker(IDS_BOOK_READ_ONLY), editor.DataFile())}));
  EXPECT_TRUE(editor.Document().IsModified());
  EXPECT_EQ(DataFile(), before);
  EXPECT_EQ(editor.files.FileCount(), 1u) << "nothing was written beside it";
}

TEST_F(MainFrameTest, TheHiddenWriteButtonSavesWithoutTouchingTheFlag) {
  for (bool modified : {false, true}) {
    editor.files.SetFile(editor.DataFile(), BookHeader());
    if (modified) editor.TouchFirstGroup();
    editor.host.Choose(IDC_WRITE_BUTTON);
    EXPECT_EQ(DataFile(), kApplied);
    EXPECT_EQ(editor.Document().IsModified(), modified);
  }
  editor.files.Deny(editor.DataFile());
  editor.host.Choose(IDC_WRITE_BUTTON);
  EXPECT_TRUE(editor.boxes.Shown().empty());
}

TEST_F(MainFrameTest, ClosingAsksOnlyWhenModifiedAndHonoursTheAnswer) {
  struct Case {
    const char* name;
    bool modified;
    int answer;  // 0: no question expected
    bool closes;
    bool written;
  };
  const Case cases[] = {
      {"unmodified", false, 0, true, false},
      {"yes", true, ui::kIdYes, true, true},
      {"no", true, ui::kIdNo, true, false},
      {"cancel", true, ui::kIdCancel, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EditorHarness e;
    e.files.SetFile(e.DataFile(), Book(kBook));
    e.instance.windows.insert("Address Book for Relay FAX");
    ASSERT_TRUE(e.Start());
    if (c.modified) e.TouchFirstGroup();
    if (c.answer) e.boxes.AnswerNext(c.answer);
    e.host.Choose(ID_APP_EXIT);
    EXPECT_EQ(e.host.Destroyed(), c.closes);
    EXPECT_EQ(e.boxes.Shown().size(), c.answer ? 1u : 0u);
    if (c.answer) {
      EXPECT_EQ(e.boxes.Last().text, Marker(IDS_SAVE_QUESTION));
      EXPECT_EQ(e.boxes.Last().caption, Marker(IDS_CAPTION));
      EXPECT_EQ(e.boxes.Last().buttons, ui::Buttons::kYesNoCancel);
    }
    EXPECT_EQ(*e.files.File(e.DataFile()), c.written ? kApplied : Book(kBook));
    EXPECT_EQ(e.Document().IsModified(), c.modified && !c.written);
    // 0x403 goes out exactly when the editor closes.
    ASSERT_EQ(e.instance.sent.size(), c.closes ? 1u : 0u);
    if (c.closes) {
      EXPECT_EQ(e.instance.sent[0].title, "Address Book for Relay FAX");
      EXPECT_EQ(e.instance.sent[0].message, 0x403u);
      EXPECT_EQ(e.instance.sent[0].wParam, 0u);
      EXPECT_EQ(e.instance.sent[0].lParam, 0);
    }
  }
}

TEST_F(MainFrameTest, TheCloseBoxTakesTheSameRoad) {
  editor.TouchFirstGroup();
  editor.boxes.AnswerNext(ui::kIdCancel);
  editor.host.CloseBox();
  EXPECT_FALSE(editor.host.Destroyed());
  EXPECT_TRUE(editor.Document().IsModified());
  editor.boxes.AnswerNext(ui::kIdNo);
  editor.host.CloseBox();
  EXPECT_TRUE(editor.host.Destroyed());
  EXPECT_EQ(DataFile(), Book(kBook));
}

TEST_F(MainFrameTest, NewFileReadsTheBookAgainAfterOfferingToSave) {
  editor.ClearBook();
  editor.boxes.AnswerNext(ui::kIdCancel);
  editor.host.Choose(ID_FILE_NEW);
  EXPECT_EQ(editor.List().ItemCount(), 0);
  EXPECT_TRUE(editor.Document().IsModified());
  editor.boxes.AnswerNext(ui::kIdNo);
  editor.host.Choose(ID_FILE_NEW);
  EXPECT_EQ(editor.Column(1), (Texts{"ABE", "ALL", "KITA"}));
  EXPECT_FALSE(editor.Document().IsModified());
  EXPECT_EQ(DataFile(), Book(kBook));
}

TEST_F(MainFrameTest, HelpRequestsOpenTheMainTopicTheirOwnTopicOrTheContents) {
  const std::string path = "C:\\Program Files\\Faxbook\\FAXBOOK.HLP>ABookM";
  EXPECT_EQ(editor.Frame().HelpPath(), path);
  struct Case {
    const char* name;
    std::function<void()> ask;
    bool finder;
    unsigned long topic;
  };
  const Case cases[] = {
      {"F1 on apply", [&] { editor.host.HelpOnCommand(ID_FILE_APPLY); }, false, 0x20080},
      {"F1 on about", [&] { editor.host.HelpOnCommand(ID_APP_ABOUT); }, false, 0x20080},
      {"F1 on the frame", [&] { editor.host.HelpOnFrame(); }, false, 0x20080},
      {"F1 on new file", [&] { editor.host.HelpOnCommand(ID_FILE_NEW); }, false, 0x10000 + 57600},
      {"topic search", [&] { editor.host.Choose(ID_HELP_FINDER); }, true, 0},
      {"help command", [&] { editor.host.Choose(ID_HELP); }, false, 0x20080},
      {"context help on a button",
       [&] {
         editor.host.Choose(ID_CONTEXT_HELP);
         editor.host.ContextHelpOnButton(ID_NEW_GROUP);
       },
       false, 0x20080},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    editor.help.calls.clear();
    c.ask();
    ASSERT_EQ(editor.help.calls.size(), 1u);
    EXPECT_EQ(editor.help.calls[0].path, path);
    EXPECT_EQ(editor.help.calls[0].finder, c.finder);
    EXPECT_EQ(editor.help.calls[0].topic, c.topic);
  }
  // A command id below 0x8000 that is not on the menu opens nothing.
  editor.help.calls.clear();
  editor.host.HelpOnCommand(1001);
  EXPECT_TRUE(editor.help.calls.empty());
}

TEST_F(MainFrameTest, TheBarsAreBuiltInOrderAndToggleFromTheViewMenu) {
  EXPECT_EQ(editor.host.ToolBarId(), IDR_MAINFRAME);
  EXPECT_TRUE(editor.host.Docking());
  EXPECT_EQ(editor.host.PaneIds(), (std::vector<int>{0, 59142, 59137, 59138, 59139, 101}));
  EXPECT_TRUE(editor.host.State(ID_VIEW_TOOLBAR).checked);
  editor.host.Choose(ID_VIEW_TOOLBAR);
  EXPECT_FALSE(editor.host.IsToolBarShown());
  EXPECT_FALSE(editor.host.State(ID_VIEW_TOOLBAR).checked);
  editor.host.Choose(ID_VIEW_STATUS_BAR);
  EXPECT_FALSE(editor.host.IsStatusBarShown());
  editor.host.Choose(ID_VIEW_STATUS_BAR);
  EXPECT_TRUE(editor.host.State(ID_VIEW_STATUS_BAR).checked);
}

TEST_F(MainFrameTest, TheAboutBoxIsDialog100) {
  editor.dialogs.OnNextDialog(IDD_ABOUTBOX, [](ui::FakeDialog& d) { d.Click(ui::kIdOk); });
  editor.host.Choose(ID_APP_ABOUT);
  EXPECT_EQ(editor.dialogs.Opened(), std::vector<int>{IDD_ABOUTBOX});
  EXPECT_TRUE(editor.dialogs.Problems().empty());
}

TEST(ListFont, OnlyCodePage1250GetsTheArialEasternEuropeanFont) {
  for (int codePage : {1250, 1252, 932}) {
    SCOPED_TRACE(codePage);
    EditorHarness editor;
    editor.system.codePage = codePage;
    editor.SetLanguage(codePage == 932 ? "Japanese" : "German");
    ASSERT_TRUE(editor.Start());
    if (codePage == 1250) {
      ASSERT_EQ(editor.host.Fonts().size(), 1u);
      EXPECT_EQ(editor.host.Fonts()[0].height, -11);
      EXPECT_EQ(editor.host.Fonts()[0].charset, 238);
      EXPECT_EQ(editor.host.Fonts()[0].face, "Arial");
      EXPECT_NE(editor.List().Font(), 0);
      EXPECT_EQ(editor.List().Font(), editor.app->Settings().listFont);
    } else {
      EXPECT_TRUE(editor.host.Fonts().empty());
      EXPECT_EQ(editor.List().Font(), 0);
    }
  }
}

}  // namespace
