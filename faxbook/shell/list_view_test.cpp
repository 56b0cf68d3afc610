// The address list: what a load shows, sorting by header clicks, the count
// pane, the columns and the edit dispatch.
#include <gtest/gtest.h>

#include "faxbook/res/resource.h"
#include "tests/support/editor_harness.h"

namespace {

using Texts = std::vector<std::string>;

class ListViewTest : public ::testing::Test {
 protected:
  // Starts the editor on a book already in the data folder.
  void StartWith(const std::vector<std::string>& lines) {
    editor.files.SetFile(editor.DataFile(), Book(lines));
    ASSERT_TRUE(editor.Start());
  }
  EditorHarness editor;
};

TEST_F(ListViewTest, AJapaneseLoadShowsSixColumnsWithHonorificsAndGroupsWithEmptyCells) {
  StartWith({
      "[FAX_ADDR]=1,1,Kita Branch,KITA,03-111,9,pw,\"Kita, Ltd.\",Sales,Desk,1",
      "[FAX_ADDR]=1,2,Minami,MINAMI,06-333,,,Shop,,Clerk,2",
      "[FAX_ADDR]=1,4,Higashi,HIGASHI,07-1,,,,,Office,3",
      "[FAX_ADDR]=1,5,Nishi,NISHI,08-1,,,,,Nobody,0",
      "[FAX_ADDR]=1,6,Odd,ODD,09-1,,,,,Someone,7",
      "[FAX_ADDR]=3,3,All,ALL,",
  });
  ui::FakeListControl& list = editor.List();
  ASSERT_EQ(list.ColumnCount(), 6);
  EXPECT_EQ(list.Header(0), "[61217]");
  EXPECT_EQ(list.Header(5), "[61223]");
  EXPECT_EQ(list.Row(0), (Texts{"All", "ALL", "", "", "", ""}));
  EXPECT_EQ(list.ItemImage(0), 1);
  EXPECT_EQ(list.Row(2), (Texts{"Kita Branch", "KITA", "03-111", "Kita, Ltd.", "Sales", "Desk SAMA"}));
  EXPECT_EQ(editor.Column(5),
            (Texts{"", "Office ONCHU", "Desk SAMA", "Clerk DONO", "Nobody", "Someone"}));
  EXPECT_EQ(list.SmallIcons(), (std::vector<int>{IDI_ADDRESS, IDI_GROUP}));
  EXPECT_TRUE(list.FullRowSelect());
  EXPECT_FALSE(list.SingleSelection());
}

// The header arrows follow the sort: the reading ascending after a load,
// the clicked column and direction afterwards, and the viewer's sort again
// after an apply (which writes in reading order).
TEST_F(ListViewTest, HeaderArrowsShowTheSortColumnAndDirection) {
  StartWith({"[FAX_ADDR]=1,1,Xa,BB,03-3,,,,,,0", "[FAX_ADDR]=1,2,Ya,AA,03-1,,,,,,0"});
  EXPECT_EQ(editor.List().SortArrows(), (Texts{"-", "up", "-", "-", "-", "-"}));
  editor.List().ClickHeader(1);
  EXPECT_EQ(editor.List().SortArrows(), (Texts{"-", "down", "-", "-", "-", "-"}));
  editor.List().ClickHeader(2);
  EXPECT_EQ(editor.List().SortArrows(), (Texts{"-", "-", "up", "-", "-", "-"}));
  editor.List().ClickHeader(2);
  editor.View().OnCommand(ID_FILE_APPLY);
  EXPECT_EQ(editor.List().SortArrows(), (Texts{"-", "-", "down", "-", "-", "-"}));

  EditorHarness english;
  english.SetLanguage("English");
  english.system.codePage = 1252;
  english.files.SetFile(english.DataFile(), Book({"[FAX_ADDR]=1,1,,BB,03-3,,,,,,0"}));
  ASSERT_TRUE(english.Start());
  EXPECT_EQ(english.List().SortArrows(), (Texts{"up", "-", "-", "-", "-"}));
}

TEST_F(ListViewTest, OtherLanguagesShowTheReadingFirstAndKeepNameAndHonorificUnseen) {
  editor.SetLanguage("German");
  editor.system.codePage = 1252;
  StartWith({"[FAX_ADDR]=1,1,Name,Zeller,040-1,,,Firma,Abt,Herr Z,1",
             "[FAX_ADDR]=3,2,Gruppe,Alle,"});
  EXPECT_EQ(editor.List().Header(0), "[61217]");
  EXPECT_EQ(editor.List().Header(1), "[61219]");
  EXPECT_EQ(editor.List().Row(0), (Texts{"Alle", "", "", "", ""}));
  EXPECT_EQ(editor.List().Row(1), (Texts{"Zeller", "040-1", "Firma", "Abt", "Herr Z"}));
  const store::AddressRecord* record = &editor.TheBook().RecordAt(1);
  ASSERT_NE(record, nullptr);
  EXPECT_EQ(record->dispName, "Name");
  EXPECT_EQ(record->respect, 1);
}

TEST_F(ListViewTest, OnlyAReadingRepeatedByTheNextLineIsDropped) {
  StartWith({
      "[FAX_ADDR]=1,1,A1,AAA,1,,,,,,0",
      "[FAX_ADDR]=1,2,A2,AAA,2,,,,,,0",  // same reading as the line before: dropped
      "[FAX_ADDR]=1,3,B,BBB,3,,,,,,0",
      "[FAX_ADDR]=1,4,A3,AAA,4,,,,,,0",  // same reading, another line between: kept
      "[FAX_ADDR]=1,5,b,bbb,5,,,,,,0",   // differs in case only: kept
  });
  // Equal readings (AAA twice, BBB and bbb) keep the list's order, and each
  // row was inserted at the top.
  EXPECT_EQ(editor.Column(2), (Texts{"4", "1", "5", "3"}));
  EXPECT_EQ(editor.CountPane(), "4");
}

TEST_F(ListViewTest, EntriesOfUnknownKindShowAsAddressesAndAreWrittenAsAddresses) {
  StartWith({"[FAX_ADDR]=2,1,Two,TWO,1,,,,,,0", "[FAX_ADDR]=7,2,Seven,SEVEN,2,,,,,,0",
             "[FAX_ADDR]=3,3,Grp,GRP,"});
  EXPECT_EQ(editor.List().ItemImage(0), 1);
  EXPECT_EQ(editor.List().ItemImage(1), 0);
  EXPECT_EQ(editor.List().ItemImage(2), 0);
  ASSERT_TRUE(editor.Document().SaveBook("copy.fdt"));
  EXPECT_EQ(*editor.files.File("copy.fdt"),
            Book({"", "[FAX_ADDR]=3,3,Grp,GRP,", "[FAX_ADDR]=1,2,Seven,SEVEN,2,,,,,,0",
                  "[FAX_ADDR]=1,1,Two,TWO,1,,,,,,0"}));
}

TEST_F(ListViewTest, HeaderClicksSortAscendingThenDescending) {
  StartWith({"[FAX_ADDR]=1,1,Xa,BB,03-3,,,,,,0", "[FAX_ADDR]=1,2,Ya,AA,03-1,,,,,,0",
             "[FAX_ADDR]=1,3,Za,CC,03-2,,,,,,0"});
  struct Step {
    int click;
    int sortColumn;
    bool ascending;
    Texts readings;
  };
  const Step steps[] = {
      {1, 1, false, {"CC", "BB", "AA"}},  // the load sorted column 1 ascending
      {1, 1, true, {"AA", "BB", "CC"}},   // descending turns ascending again
      {2, 2, true, {"AA", "CC", "BB"}},   // another column: ascending
      {2, 2, false, {"BB", "CC", "AA"}},
      {0, 0, true, {"BB", "AA", "CC"}},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.click);
    editor.List().ClickHeader(s.click);
    EXPECT_EQ(editor.View().SortColumn(), s.sortColumn);
    EXPECT_EQ(editor.View().SortAscending(), s.ascending);
    EXPECT_EQ(editor.Column(1), s.readings);
  }
  EXPECT_FALSE(editor.Document().IsModified());
}

TEST_F(ListViewTest, ASortKeepsTheSelectedRowInView) {
  StartWith({"[FAX_ADDR]=1,1,A,AA,1,,,,,,0", "[FAX_ADDR]=1,2,B,BB,2,,,,,,0",
             "[FAX_ADDR]=1,3,C,CC,3,,,,,,0"});
  editor.List().SelectOnly({0});
  editor.List().ClickHeader(1);
  EXPECT_EQ(editor.Column(1)[2], "AA");
  EXPECT_TRUE(editor.List().IsSelected(2));
  EXPECT_EQ(editor.List().LastMadeVisible(), 2);
}

TEST_F(ListViewTest, JapaneseSortingFollowsTheLocaleCollationWithoutCase) {
  // Shift-JIS: hiragana "a", katakana "ka", half-width katakana "ka", "B", "a".
  StartWith({"[FAX_ADDR]=1,1,n1,\xB6,1,,,,,,0", "[FAX_ADDR]=1,2,n2,B,2,,,,,,0",
             "[FAX_ADDR]=1,3,n3,\x83\x4A\x83\x4E,3,,,,,,0", "[FAX_ADDR]=1,4,n4,a,4,,,,,,0",
             "[FAX_ADDR]=1,5,n5,\x82\xA0,5,,,,,,0"});
  EXPECT_EQ(editor.Column(0), (Texts{"n4", "n2", "n5", "n1", "n3"}));
}

TEST_F(ListViewTest, OtherLanguagesSortPunctuationAndHighBytesBeforeLetters) {
  editor.SetLanguage("English");
  editor.system.codePage = 1252;
  StartWith({"[FAX_ADDR]=1,1,,beta,1,,,,,,0", "[FAX_ADDR]=1,2,,#hash,2,,,,,,0",
             "[FAX_ADDR]=1,3,,Alpha,3,,,,,,0", "[FAX_ADDR]=1,4,,\xC6gir,4,,,,,,0",
             "[FAX_ADDR]=1,5,,alpha,5,,,,,,0", "[FAX_ADDR]=1,6,,9lives,6,,,,,,0",
             "[FAX_ADDR]=1,7,,\xC9mile,7,,,,,,0"});
  EXPECT_EQ(editor.Column(0),
            (Texts{"#hash", "\xC6gir", "9lives", "Alpha", "alpha", "beta", "\xC9mile"}));
  editor.List().ClickHeader(0);
  EXPECT_EQ(editor.Column(0).front(), "\xC9mile");
  EXPECT_EQ(editor.Column(0).back(), "#hash");
}

TEST_F(ListViewTest, ColumnsShareTheWidthAndTheLastOneMakesRoomForTheScrollBar) {
  editor.List().SetSize(601, 3);
  StartWith({"[FAX_ADDR]=1,1,A,AA,1,,,,,,0", "[FAX_ADDR]=1,2,B,BB,2,,,,,,0"});
  EXPECT_EQ(editor.List().ColumnWidth(0), 99);
  EXPECT_EQ(editor.List().ColumnWidth(5), 99);

  editor.files.SetFile("big.fdt", Book({"[FAX_ADDR]=1,1,A,AA,1,,,,,,0",
                                        "[FAX_ADDR]=1,2,B,BB,2,,,,,,0",
                                        "[FAX_ADDR]=1,3,C,CC,3,,,,,,0",
                                        "[FAX_ADDR]=1,4,D,DD,4,,,,,,0"}));
  editor.Document().Load("big.fdt", "");
  EXPECT_EQ(editor.List().ColumnWidth(5), 83);
  editor.Document().Load("big.fdt", "");
  EXPECT_EQ(editor.List().ColumnWidth(5), 83);
  editor.ClearBook();
  EXPECT_EQ(editor.List().ColumnWidth(5), 99);
  EXPECT_EQ(editor.List().ColumnWidth(4), 99);
}

TEST_F(ListViewTest, TheListFillsTheViewWithASmallMargin) {
  StartWith({});
  editor.host.ResizeView(500, 300);
  const ui::FakeFrameHost::Rect r = editor.host.ItemRect(IDC_ADDRESS_LIST);
  EXPECT_GT(r.x, 0);
  EXPECT_LE(r.x, 8);
  EXPECT_EQ(r.x * 2 + r.width, 500);
  EXPECT_EQ(r.y * 2 + r.height, 300);
  EXPECT_EQ(editor.host.ResizedToFit(), 1);
}

TEST_F(ListViewTest, EditWithoutSelectionSaysSoAndOtherwiseOpensTheEntrysDialog) {
  StartWith({"[FAX_ADDR]=1,1,A,AA,1,,,,,,0", "[FAX_ADDR]=3,2,G,GG,"});
  struct Case {
    std::vector<int> selected;
    std::size_t messages;
    std::vector<int> dialogs;  // templates opened so far
  };
  // Several rows go to the multi-address edit.
  const Case cases[] = {
      {{}, 1, {}}, {{0}, 0, {130}}, {{1}, 0, {130, 131}}, {{0, 1}, 0, {130, 131, 147}}};
  for (const Case& c : cases) {
    editor.boxes.Clear();
    editor.List().SelectOnly(c.selected);
    if (!c.selected.empty()) {
      editor.dialogs.OnNextDialog(c.dialogs.back(), [](ui::FakeDialog& d) { d.Close(); });
    }
    editor.host.Choose(IDC_EDIT_BUTTON);
    EXPECT_EQ(editor.dialogs.Opened(), c.dialogs);
    ASSERT_EQ(editor.boxes.Shown().size(), c.messages);
    if (c.messages) {
      EXPECT_EQ(editor.boxes.Last().text, Marker(IDS_NO_SELECTION));
      EXPECT_EQ(editor.boxes.Last().caption, Marker(IDS_CAPTION));
    }
  }
  editor.boxes.Clear();
  editor.List().SelectOnly({});
  editor.List().DoubleClick(-1);
  EXPECT_EQ(editor.Messages(), Texts{Marker(IDS_NO_SELECTION)});
  EXPECT_EQ(editor.dialogs.Opened().size(), 3u);
  EXPECT_FALSE(editor.Document().IsModified());
}

TEST_F(ListViewTest, CommandsOfTheImportDialogsChangeNothingYet) {
  StartWith({"[FAX_ADDR]=1,1,A,AA,1,,,,,,0"});
  const std::string before = *editor.files.File(editor.DataFile());
  editor.List().SelectOnly({0});
  for (int id : {ID_IMPORT_CSV}) {
    editor.View().OnCommand(id);
  }
  EXPECT_EQ(editor.List().ItemCount(), 1);
  EXPECT_FALSE(editor.Document().IsModified());
  EXPECT_TRUE(editor.boxes.Shown().empty());
  EXPECT_TRUE(editor.dialogs.Opened().empty());
  EXPECT_EQ(*editor.files.File(editor.DataFile()), before);
}

// The rows are the book's entries: a change to the book shows at once,
// sorted, and the entries the user selected stay selected wherever the sort
// puts them.
TEST_F(ListViewTest, TheRowsFollowTheBookAndTheSelectionFollowsItsEntries) {
  StartWith({"[FAX_ADDR]=1,7,A,AA,1,,,,,,0", "[FAX_ADDR]=1,8,C,CC,2,,,,,,0",
             "[FAX_ADDR]=3,9,G,GG,"});
  store::Book& book = editor.TheBook();
  editor.List().SelectOnly({1});  // CC
  editor.List().SetFocusedRow(1);
  store::AddressRecord record;
  record.regNo = 10;
  record.dispName = "B";
  record.dispNameJP = "BB";
  {
    store::BookStep step(book);
    book.Add(record);
  }
  EXPECT_EQ(editor.Column(1), (Texts{"AA", "BB", "CC", "GG"}));
  EXPECT_EQ(editor.CountPane(), "4");
  EXPECT_EQ(editor.List().NextSelected(-1), 2);
  EXPECT_EQ(editor.List().SelectedCount(), 1);
  EXPECT_EQ(editor.List().FocusedRow(), 2);
  EXPECT_EQ(editor.List().ItemImage(3), 1);  // the group's icon
  EXPECT_EQ(editor.List().ItemImage(0), 0);
  EXPECT_TRUE(editor.host.IsMenuItemEnabled(ID_FILE_APPLY));

  editor.List().ClickHeader(1);  // descending
  EXPECT_EQ(editor.Column(1), (Texts{"GG", "CC", "BB", "AA"}));
  EXPECT_EQ(editor.View().Selected(), std::vector<store::EntryId>{book.IdAt(1)});
  {
    store::BookStep step(book);
    book.Remove(book.IdAt(1));  // the selected CC
  }
  EXPECT_EQ(editor.Column(1), (Texts{"GG", "BB", "AA"}));
  EXPECT_EQ(editor.List().SelectedCount(), 0);
  editor.View().SelectOnly(book.IdAt(2));
  EXPECT_TRUE(editor.List().IsSelected(2));
  EXPECT_EQ(editor.List().FocusedRow(), 2);
  EXPECT_EQ(editor.List().LastMadeVisible(), 2);
  EXPECT_GT(editor.List().FocusTaken(), 0);
}

}  // namespace
