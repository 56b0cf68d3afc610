// A user's steps through the group dialog and the member selection.
#include <gtest/gtest.h>

#include "tests/support/editing_harness.h"

namespace {

using Texts = std::vector<std::string>;

class GroupCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    editor.StartWith({
        "[FAX_ADDR]=1,1,Kita,KITA,03-1,,,,,,0",
        "[FAX_ADDR]=1,2,Minami,MINAMI,06-3,,,,,,0",
        "[FAX_ADDR]=1,3,Higashi,HIGASHI,07-1,,,,,,0",
        "[FAX_ADDR]=3,4,All,ALL,",
        "[FAX_ADDR_GM]=4,4,Minami,MINAMI,06-3,,,,,,0",
        "[FAX_ADDR_GM]=4,4,Kita,KITA,03-1,,,,,,0",
    });
  }
  EditingHarness editor;
};

// Readings of a member list, top to bottom.
Texts Readings(ui::FakeDialog& d, int list) { return d.FakeList(list).ColumnTexts(1); }

TEST_F(GroupCommandsTest, ANewGroupTakesItsMembersFromTheSelection) {
  editor.dialogs.OnNextDialog(IDD_GROUP, [&](ui::FakeDialog& d) {
    EXPECT_EQ(d.Title(), Marker(IDS_NEW_GROUP_TITLE));
    d.Type(IDC_DISP_NAME, "East");
    d.Type(IDC_READING, " EAST ");
    d.Click(ui::kIdOk);  // no members yet
    EXPECT_EQ(editor.boxes.Last().text, Marker(IDS_NO_MEMBERS));
    EXPECT_EQ(editor.boxes.Last().owner, IDD_GROUP);
    EXPECT_EQ(d.Focus(), IDC_ADD_MEMBERS);
    editor.dialogs.OnNextDialog(IDD_MEMBER_SELECT, [&](ui::FakeDialog& s) {
      EXPECT_EQ(Readings(s, IDC_AVAILABLE_LIST), (Texts{"HIGASHI", "KITA", "MINAMI"}));
      EXPECT_FALSE(s.IsItemEnabled(IDC_MOVE_IN));
      s.Click(ui::kIdOk);  // nothing chosen
      EXPECT_EQ(editor.boxes.Last().text, Marker(IDS_NO_SELECTION));
      EXPECT_EQ(editor.boxes.Last().owner, IDD_MEMBER_SELECT);
      EXPECT_FALSE(s.Ended());
      s.FakeList(IDC_AVAILABLE_LIST).SelectOnly({0, 2});
      EXPECT_TRUE(s.IsItemEnabled(IDC_MOVE_IN));
      EXPECT_FALSE(s.IsItemEnabled(IDC_MOVE_OUT));
      s.Click(IDC_MOVE_IN);
      EXPECT_EQ(Readings(s, IDC_AVAILABLE_LIST), Texts{"KITA"});
      EXPECT_EQ(Readings(s, IDC_CHOSEN_LIST), (Texts{"HIGASHI", "MINAMI"}));
      s.Click(ui::kIdOk);
    });
    d.Click(IDC_ADD_MEMBERS);
    EXPECT_EQ(Readings(d, IDC_MEMBER_LIST), (Texts{"HIGASHI", "MINAMI"}));
    d.Click(ui::kIdOk);
    EXPECT_TRUE(d.Ended());
    EXPECT_EQ(d.ItemText(IDC_READING), "EAST");
  });
  editor.Command(ID_NEW_GROUP);
  ASSERT_TRUE(editor.dialogs.Problems().empty()) << editor.dialogs.Problems()[0];
  // The member selection belongs to the group dialog, which belongs to the
  // main window: each is modal to the one that opened it.
  EXPECT_EQ(editor.dialogs.Opened(), (std::vector<int>{IDD_GROUP, IDD_MEMBER_SELECT}));
  EXPECT_EQ(editor.dialogs.Owners(), (std::vector<int>{0, IDD_GROUP}));
  const int row = editor.RowOf("EAST");
  ASSERT_GE(row, 0);
  EXPECT_EQ(editor.List().ItemImage(row), 1);
  EXPECT_EQ(editor.List().Row(row), (Texts{"East", "EAST", "", "", "", ""}));
  EXPECT_EQ(editor.MemberReadings("EAST"), (Texts{"HIGASHI", "MINAMI"}));
  EXPECT_TRUE(editor.List().IsSelected(row));
  EXPECT_TRUE(editor.Document().IsModified());
}

TEST_F(GroupCommandsTest, TheMemberLimitRefusesAMoveAsAWhole) {
  Texts lines;
  for (int i = 1; i <= 81; ++i) {
    lines.push_back("[FAX_ADDR]=1," + std::to_string(i) + ",N" + std::to_string(i) + ",R" +
                    (i < 10 ? "0" : "") + std::to_string(i) + ",1,,,,,,0");
  }
  lines.push_back("[FAX_ADDR]=3,100,Big,BIG,");
  for (int i = 1; i <= 78; ++i) {
    lines.push_back("[FAX_ADDR_GM]=4,100,N" + std::to_string(i) + ",R" + (i < 10 ? "0" : "") +
                    std::to_string(i) + ",1,,,,,,0");
  }
  EditingHarness big;
  big.StartWith(lines);
  big.Select({"BIG"});
  big.dialogs.OnNextDialog(IDD_GROUP, [&](ui::FakeDialog& d) {
    EXPECT_EQ(d.FakeList(IDC_MEMBER_LIST).ItemCount(), 78);
    big.dialogs.OnNextDialog(IDD_MEMBER_SELECT, [&](ui::FakeDialog& s) {
      ui::FakeListControl& available = s.FakeList(IDC_AVAILABLE_LIST);
      EXPECT_EQ(available.ItemCount(), 3);
      available.SelectOnly({0, 1, 2});
      s.Click(IDC_MOVE_IN);
      EXPECT_EQ(big.boxes.Last().text, "[61239] 80");
      EXPECT_EQ(available.ItemCount(), 3);
      available.SelectOnly({0, 1});
      s.Click(IDC_MOVE_IN);
      EXPECT_EQ(s.FakeList(IDC_CHOSEN_LIST).ItemCount(), 80);
      s.Click(ui::kIdOk);
    });
    d.Click(IDC_ADD_MEMBERS);
    d.Click(ui::kIdOk);
  });
  big.Command(IDC_EDIT_BUTTON);
  EXPECT_EQ(big.TheBook().Groups().MemberCount(100), 80);
  EXPECT_TRUE(big.Document().IsModified());
}

TEST_F(GroupCommandsTest, MembersMoveBackAndRemovingAsksOnceForAll) {
  editor.Select({"ALL"});
  editor.dialogs.OnNextDialog(IDD_GROUP, [&](ui::FakeDialog& d) {
    EXPECT_EQ(d.Title(), Marker(IDS_EDIT_GROUP_TITLE));
    EXPECT_EQ(Readings(d, IDC_MEMBER_LIST), (Texts{"KITA", "MINAMI"}));
    editor.dialogs.OnNextDialog(IDD_MEMBER_SELECT, [&](ui::FakeDialog& s) {
      EXPECT_EQ(Readings(s, IDC_AVAILABLE_LIST), Texts{"HIGASHI"});  // members are not offered
      s.FakeList(IDC_CHOSEN_LIST).SelectOnly({0});
      EXPECT_TRUE(s.IsItemEnabled(IDC_MOVE_OUT));
      s.Click(IDC_MOVE_OUT);
      EXPECT_EQ(Readings(s, IDC_AVAILABLE_LIST), (Texts{"HIGASHI", "KITA"}));
      s.FakeList(IDC_AVAILABLE_LIST).DoubleClick(0);  // acts as a move in
      EXPECT_EQ(Readings(s, IDC_CHOSEN_LIST), (Texts{"HIGASHI", "MINAMI"}));
      s.Click(ui::kIdCancel);
    });
    d.Click(IDC_ADD_MEMBERS);
    EXPECT_EQ(Readings(d, IDC_MEMBER_LIST), (Texts{"KITA", "MINAMI"}));  // cancelled

    d.FakeList(IDC_MEMBER_LIST).SelectOnly({});
    d.Click(IDC_REMOVE_MEMBERS);
    EXPECT_EQ(editor.boxes.Last().text, Marker(IDS_NO_SELECTION));
    d.FakeList(IDC_MEMBER_LIST).SelectOnly({0, 1});
    editor.boxes.AnswerNext(ui::kIdNo);
    d.Click(IDC_REMOVE_MEMBERS);
    EXPECT_EQ(d.FakeList(IDC_MEMBER_LIST).ItemCount(), 2);
    const std::size_t shown = editor.boxes.Shown().size();
    editor.boxes.AnswerNext(ui::kIdYes);
    d.Click(IDC_REMOVE_MEMBERS);
    EXPECT_EQ(editor.boxes.Shown().size(), shown + 1);
    EXPECT_EQ(d.FakeList(IDC_MEMBER_LIST).ItemCount(), 0);
    d.Close();
  });
  editor.Command(IDC_EDIT_BUTTON);
  EXPECT_EQ(editor.MemberReadings("ALL"), (Texts{"MINAMI", "KITA"}));
  EXPECT_FALSE(editor.Document().IsModified());
}

TEST_F(GroupCommandsTest, RenamingAGroupIsAChangeAndNamesStayUnique) {
  editor.Select({"ALL"});
  editor.dialogs.OnNextDialog(IDD_GROUP, [&](ui::FakeDialog& d) {
    d.Type(IDC_READING, "KITA");
    d.Click(ui::kIdOk);
    EXPECT_EQ(editor.boxes.Last().text, Marker(61232));
    EXPECT_EQ(d.Focus(), IDC_READING);
    d.Type(IDC_READING, "all ");  // its own name in another case, with a blank
    d.Type(IDC_DISP_NAME, "Everyone");
    d.Click(ui::kIdOk);
    EXPECT_TRUE(d.Ended());
  });
  editor.Command(IDC_EDIT_BUTTON);
  EXPECT_EQ(editor.List().Row(editor.RowOf("all")), (Texts{"Everyone", "all", "", "", "", ""}));
  EXPECT_EQ(editor.MemberReadings("all"), (Texts{"MINAMI", "KITA"}));
  EXPECT_TRUE(editor.Document().IsModified());
}

TEST_F(GroupCommandsTest, MemberListsSortByTheClickedColumn) {
  editor.Select({"ALL"});
  editor.dialogs.OnNextDialog(IDD_GROUP, [&](ui::FakeDialog& d) {
    ui::FakeListControl& list = d.FakeList(IDC_MEMBER_LIST);
    EXPECT_EQ(list.ColumnCount(), 3);
    EXPECT_EQ(list.SortArrows(), (Texts{"-", "up", "-"}));
    list.ClickHeader(1);  // the reading, already ascending: now descending
    EXPECT_EQ(list.ColumnTexts(1), (Texts{"MINAMI", "KITA"}));
    EXPECT_EQ(list.SortArrows(), (Texts{"-", "down", "-"}));
    list.ClickHeader(2);  // the fax number ascending
    EXPECT_EQ(list.ColumnTexts(2), (Texts{"03-1", "06-3"}));
    EXPECT_EQ(list.SortArrows(), (Texts{"-", "-", "up"}));
    editor.dialogs.OnNextDialog(IDD_MEMBER_SELECT, [&](ui::FakeDialog& s) {
      EXPECT_EQ(s.FakeList(IDC_AVAILABLE_LIST).SortArrows(), (Texts{"-", "up", "-"}));
      s.FakeList(IDC_CHOSEN_LIST).ClickHeader(0);
      EXPECT_EQ(s.FakeList(IDC_CHOSEN_LIST).SortArrows(), (Texts{"up", "-", "-"}));
      EXPECT_EQ(s.FakeList(IDC_AVAILABLE_LIST).SortArrows(), (Texts{"-", "up", "-"}));
      s.Close();
    });
    d.Click(IDC_ADD_MEMBERS);
    d.Close();
  });
  editor.Command(IDC_EDIT_BUTTON);
}

TEST_F(GroupCommandsTest, APastedGroupOffersTheRemainingMembers) {
  editor.Select({"ALL"});
  editor.Command(ID_EDIT_COPY);
  editor.Select({"KITA"});
  editor.boxes.AnswerNext(ui::kIdOk);
  editor.Command(IDC_DELETE_BUTTON);
  editor.dialogs.OnNextDialog(IDD_GROUP, [&](ui::FakeDialog& d) {
    EXPECT_EQ(d.Title(), Marker(IDS_NEW_GROUP_TITLE));
    EXPECT_EQ(d.ItemText(IDC_READING), "ALL(1)");
    EXPECT_EQ(d.ItemText(IDC_DISP_NAME), "All(1)");
    EXPECT_EQ(Readings(d, IDC_MEMBER_LIST), Texts{"MINAMI"});
    d.Click(ui::kIdOk);
  });
  editor.Command(ID_EDIT_PASTE);
  EXPECT_EQ(editor.MemberReadings("ALL(1)"), Texts{"MINAMI"});
  EXPECT_NE(editor.Record("ALL(1)")->regNo, editor.Record("ALL")->regNo);
}

}  // namespace

namespace {

TEST(EditingLayouts, OtherLanguagesListMembersByReadingAndFaxNumber) {
  EditingHarness editor;
  editor.SetLanguage("Czech");
  editor.system.codePage = 1250;  // the Central European font goes on the fields and lists
  editor.StartWith({"[FAX_ADDR]=1,1,,\x8Aimek,1,,,,,,0", "[FAX_ADDR]=1,2,,Adam,2,,,,,,0"});
  editor.dialogs.OnNextDialog(IDD_GROUP, [&](ui::FakeDialog& d) {
    EXPECT_FALSE(d.IsItemEnabled(IDC_DISP_NAME));  // used by Japanese only
    EXPECT_NE(d.Font(IDC_READING), 0);
    EXPECT_NE(d.Font(IDC_MEMBER_LIST), 0);
    editor.dialogs.OnNextDialog(IDD_MEMBER_SELECT, [&](ui::FakeDialog& s) {
      ui::FakeListControl& available = s.FakeList(IDC_AVAILABLE_LIST);
      ASSERT_EQ(available.ColumnCount(), 2);
      EXPECT_EQ(available.Header(0), Marker(IDS_COLUMN_NAME));
      EXPECT_EQ(available.Header(1), Marker(IDS_COLUMN_FAX));
      // S caron sorts with S, after A.
      EXPECT_EQ(available.ColumnTexts(0), (std::vector<std::string>{"Adam", "\x8Aimek"}));
      s.Close();
    });
    d.Click(IDC_ADD_MEMBERS);
    d.Close();
  });
  editor.Command(ID_NEW_GROUP);
  EXPECT_TRUE(editor.dialogs.Problems().empty());
}

}  // namespace
