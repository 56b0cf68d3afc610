// How the editor's dialogs behave as windows: who owns each dialog and
// each message box, and what F1 opens in each of them.
#include <gtest/gtest.h>

#include "tests/support/editing_harness.h"

namespace {

using Texts = std::vector<std::string>;

class DialogMannersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    editor.StartWith({
        "[FAX_ADDR]=1,1,Kita,KITA,03-1,,,,,,0",
        "[FAX_ADDR]=1,2,Minami,MINAMI,06-3,,,,,,0",
        "[FAX_ADDR]=3,4,All,ALL,",
        "[FAX_ADDR_GM]=4,4,Kita,KITA,03-1,,,,,,0",
    });
  }
  EditingHarness editor;
};

// Every message box a dialog shows comes from that dialog (its owner is
// the dialog running innermost), and so do the dialogs it opens.
TEST_F(DialogMannersTest, EachDialogOwnsItsMessagesAndTheDialogsItOpens) {
  editor.dialogs.OnNextDialog(IDD_GROUP, [&](ui::FakeDialog& d) {
    d.Type(IDC_READING, "KITA");
    d.Click(ui::kIdOk);  // the reading is taken
    d.Click(IDC_REMOVE_MEMBERS);  // nothing selected
    editor.dialogs.OnNextDialog(IDD_MEMBER_SELECT, [&](ui::FakeDialog& s) {
      s.Click(ui::kIdOk);  // nothing chosen
      s.Close();
    });
    d.Click(IDC_ADD_MEMBERS);
    d.Close();
  });
  editor.Command(ID_NEW_GROUP);
  editor.dialogs.OnNextDialog(IDD_ADDRESS, [&](ui::FakeDialog& d) {
    FillAddress(d, "North", "NORTH", "-1");  // a refused fax number
    d.Click(ui::kIdOk);
    d.Close();
  });
  editor.Command(ID_NEW_ADDRESS);
  editor.dialogs.OnNextDialog(IDD_ABOUTBOX, [](ui::FakeDialog& d) { d.Click(ui::kIdOk); });
  editor.Frame().OnCommand(ID_APP_ABOUT);

  EXPECT_TRUE(editor.dialogs.Problems().empty()) << editor.dialogs.Problems()[0];
  EXPECT_EQ(editor.dialogs.Opened(),
            (std::vector<int>{IDD_GROUP, IDD_MEMBER_SELECT, IDD_ADDRESS, IDD_ABOUTBOX}));
  EXPECT_EQ(editor.dialogs.Owners(), (std::vector<int>{0, IDD_GROUP, 0, 0}));
  std::vector<int> owners;
  for (const ui::ShownMessage& m : editor.boxes.Shown()) owners.push_back(m.owner);
  EXPECT_EQ(owners, (std::vector<int>{IDD_GROUP, IDD_GROUP, IDD_MEMBER_SELECT, IDD_ADDRESS}));
}

// A message box of the main window while a dialog runs would leave the
// dialog usable under it: the fake reports it as a problem.
TEST(DialogOwnership, AMainWindowBoxWhileADialogRunsIsReported) {
  ui::FakeMessageBoxes boxes;
  ui::FakeDialogRunner runner(&boxes);
  struct Dialog : ui::Dialog {
    Dialog(ui::MessageBoxes& main) : ui::Dialog(130), main_(main) {}
    void OnInit() override { main_.Show("wrong owner", "", ui::Buttons::kOk, ui::Icon::kNone); }
    ui::MessageBoxes& main_;
  } dialog(boxes);
  runner.OnNextDialog(130, [](ui::FakeDialog& d) { d.Close(); });
  runner.RunModal(dialog);
  ASSERT_EQ(runner.Problems().size(), 1u);
  EXPECT_NE(runner.Problems()[0].find("owned by the main window while dialog 130 runs"),
            std::string::npos);
  EXPECT_EQ(boxes.Last().over, 130);
}

// F1 opens the help topic of the dialog the user is in (0x20000 + its
// template), nested dialogs included, and the main window's otherwise.
TEST_F(DialogMannersTest, F1OpensTheTopicOfTheDialogTheUserIsIn) {
  editor.dialogs.OnNextDialog(IDD_GROUP, [&](ui::FakeDialog& d) {
    d.PressF1();
    editor.dialogs.OnNextDialog(IDD_MEMBER_SELECT, [&](ui::FakeDialog& s) {
      s.PressF1();
      s.Close();
    });
    d.Click(IDC_ADD_MEMBERS);
    d.Close();
  });
  editor.Command(ID_NEW_GROUP);
  editor.dialogs.OnNextDialog(IDD_ADDRESS, [](ui::FakeDialog& d) {
    d.PressF1();
    d.Close();
  });
  editor.Command(ID_NEW_ADDRESS);
  editor.dialogs.OnNextDialog(IDD_ABOUTBOX, [](ui::FakeDialog& d) {
    d.PressF1();
    d.Click(ui::kIdOk);
  });
  editor.Frame().OnCommand(ID_APP_ABOUT);
  editor.host.HelpOnFrame();

  std::vector<unsigned long> topics;
  for (const ui::HelpCall& call : editor.help.calls) {
    EXPECT_EQ(call.path, editor.Frame().HelpPath());
    EXPECT_FALSE(call.finder);
    topics.push_back(call.topic);
  }
  EXPECT_EQ(topics, (std::vector<unsigned long>{0x20083, 0x20084, 0x20082, 0x20064, 0x20080}));
  EXPECT_TRUE(editor.dialogs.Problems().empty());
}

}  // namespace
