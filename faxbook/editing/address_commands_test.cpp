// A user's steps through the address dialog and the commands on single
// entries: new, edit, delete, copy and paste.
#include <gtest/gtest.h>

#include "tests/support/editing_harness.h"

namespace {

using Texts = std::vector<std::string>;

const Texts kBook = {
    "[FAX_ADDR]=1,1,Kita,KITA,03-1,,,,,Desk,1",
    "[FAX_ADDR]=1,2,Minami,MINAMI,06-3,,,,,,0",
    "[FAX_ADDR]=3,3,All,ALL,",
    "[FAX_ADDR_GM]=4,3,Kita,KITA,03-1,,,,,Desk,1",
    "[FAX_ADDR_GM]=4,3,Minami,MINAMI,06-3,,,,,,0",
    "[FAX_ADDR]=3,4,Solo,SOLO,",
    "[FAX_ADDR_GM]=4,4,Minami,MINAMI,06-3,,,,,,0",
};

class AddressCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override { editor.StartWith(kBook); }
  EditingHarness editor;
};

TEST_F(AddressCommandsTest, ANewAddressIsAddedSortedSelectedAndMarksTheBookModified) {
  editor.dialogs.OnNextDialog(IDD_ADDRESS, [](ui::FakeDialog& d) {
    EXPECT_EQ(d.Title(), Marker(IDS_NEW_ADDRESS_TITLE));
    EXPECT_EQ(d.TextLimit(IDC_COMPANY), 64);
    EXPECT_FALSE(d.IsItemEnabled(IDC_RESPECT));  // no recipient yet
    FillAddress(d, " Higashi\x81\x40", "HIGASHI", "07-1 #*");
    d.Type(IDC_RECIPIENT, "Clerk");
    EXPECT_TRUE(d.IsItemEnabled(IDC_RESPECT));
    d.Choose(IDC_RESPECT, 2);
    d.Click(ui::kIdOk);
  });
  editor.Command(ID_NEW_ADDRESS);
  ASSERT_TRUE(editor.dialogs.Problems().empty()) << editor.dialogs.Problems()[0];
  const int row = editor.RowOf("HIGASHI");
  ASSERT_EQ(row, 1);  // ALL, HIGASHI, KITA, MINAMI, SOLO
  EXPECT_EQ(editor.List().Row(row), (Texts{"Higashi", "HIGASHI", "07-1 #*", "", "", "Clerk DONO"}));
  EXPECT_EQ(editor.List().SelectedCount(), 1);
  EXPECT_TRUE(editor.List().IsSelected(row));
  EXPECT_FALSE(editor.List().SingleSelection());
  const store::AddressRecord* record = editor.Record("HIGASHI");
  EXPECT_EQ(record->regNo, 5);  // 4 rows before: candidates from 5
  EXPECT_EQ(record->respect, 2);
  EXPECT_TRUE(editor.Document().IsModified());
  EXPECT_EQ(editor.CountPane(), "5");
}

TEST_F(AddressCommandsTest, EachFieldRefusesWhatItShouldWithItsMessage) {
  struct Case {
    int field;
    std::string value;
    int message;
  } cases[] = {
      {IDC_DISP_NAME, "", 61249},
      {IDC_DISP_NAME, "Kita", 61248},
      {IDC_READING, "\x81\x40", 61233},
      {IDC_READING, "ALL", 61232},          // a group's reading
      {IDC_READING, "\x82\xA0", 61231},
      {IDC_FAX_NUMBER, "-03", 61246},
      {IDC_FAX_NUMBER, "", 61244},
      {IDC_SUB_ADDRESS, "1-2", 61252},
      {IDC_PASSWORD, " 1", 61254},
      {IDC_COMPANY, "\x82\xA0\x81", 61256},
      {IDC_DEPARTMENT, "a\tb", 61258},
      {IDC_RECIPIENT, "\x01", 61260},
  };
  for (const Case& c : cases) {
    editor.boxes.Clear();
    int focus = 0;
    editor.dialogs.OnNextDialog(IDD_ADDRESS, [&](ui::FakeDialog& d) {
      FillAddress(d, "New", "NEW", "03-9");
      d.Type(c.field, c.value);
      d.Click(ui::kIdOk);
      EXPECT_FALSE(d.Ended()) << c.value;
      focus = d.Focus();
      d.Close();
    });
    editor.Command(ID_NEW_ADDRESS);
    ASSERT_EQ(editor.Messages().size(), 1u) << c.value;
    EXPECT_EQ(editor.Messages()[0], Marker(c.message)) << c.value;
    EXPECT_EQ(editor.boxes.Last().caption, Marker(IDS_INPUT_ERROR));
    EXPECT_EQ(focus, c.field) << c.value;
    EXPECT_EQ(editor.RowOf("NEW"), -1);
  }
  EXPECT_FALSE(editor.Document().IsModified());
}

// The typing limit of an edit control is no bound: texts from a book can be
// longer, and OK refuses them.
TEST(AddressLimits, OverLongStoredTextsAreRefusedOnOK) {
  struct Case {
    std::string line;
    int message;
  } cases[] = {
      {"[FAX_ADDR]=1,1," + std::string(18, 'n') + ",R,1,,,,,,0", 61250},
      {"[FAX_ADDR]=1,1,N," + std::string(17, 'r') + ",1,,,,,,0", 61234},
      {"[FAX_ADDR]=1,1,N,R," + std::string(33, '1') + ",,,,,,0", 61245},
      {"[FAX_ADDR]=1,1,N,R,1," + std::string(21, '1') + ",,,,,0", 61251},
      {"[FAX_ADDR]=1,1,N,R,1,," + std::string(21, '1') + ",,,,0", 61253},
      {"[FAX_ADDR]=1,1,N,R,1,,," + std::string(65, 'c') + ",,,0", 61255},
      {"[FAX_ADDR]=1,1,N,R,1,,,," + std::string(65, 'd') + ",,0", 61257},
      {"[FAX_ADDR]=1,1,N,R,1,,,,," + std::string(21, 'r') + ",1", 61259},
  };
  for (const Case& c : cases) {
    EditingHarness editor;
    editor.StartWith({c.line});
    editor.List().SelectOnly({0});
    editor.dialogs.OnNextDialog(IDD_ADDRESS, [](ui::FakeDialog& d) {
      d.Click(ui::kIdOk);
      EXPECT_FALSE(d.Ended());
      d.Close();
    });
    editor.Command(IDC_EDIT_BUTTON);
    EXPECT_EQ(editor.Messages(), Texts{Marker(c.message)}) << c.line;
  }
}

TEST_F(AddressCommandsTest, ARefusedDialogShowsTheNormalisedText) {
  editor.dialogs.OnNextDialog(IDD_ADDRESS, [](ui::FakeDialog& d) {
    FillAddress(d, "New", "  NEW  ", "-1");
    d.Click(ui::kIdOk);
    EXPECT_EQ(d.ItemText(IDC_READING), "NEW");
    EXPECT_EQ(d.ItemText(IDC_FAX_NUMBER), "-1");  // not a normalised field
  });
  editor.Command(ID_NEW_ADDRESS);
}

TEST_F(AddressCommandsTest, EditingKeepsOwnNamesAndUpdatesTheCopiesInGroups) {
  editor.Select({"MINAMI"});
  editor.dialogs.OnNextDialog(IDD_ADDRESS, [](ui::FakeDialog& d) {
    EXPECT_EQ(d.Title(), Marker(IDS_EDIT_ADDRESS_TITLE));
    d.Type(IDC_DISP_NAME, "Minami ");   // a trailing blank on its own name
    d.Type(IDC_READING, "minami");      // a change of case only
    d.Type(IDC_FAX_NUMBER, "06-9");
    d.Click(ui::kIdOk);
    EXPECT_TRUE(d.Ended());
  });
  editor.Command(IDC_EDIT_BUTTON);
  EXPECT_TRUE(editor.Messages().empty());
  EXPECT_EQ(editor.MemberReadings("ALL"), (Texts{"KITA", "minami"}));
  EXPECT_EQ(editor.MemberReadings("SOLO"), (Texts{"minami"}));
  EXPECT_EQ(editor.Record("minami")->faxNumber, "06-9");
  EXPECT_EQ(editor.Record("minami")->regNo, 2);
  EXPECT_TRUE(editor.Document().IsModified());
}

TEST_F(AddressCommandsTest, ClearingTheRecipientDropsTheHonorific) {
  editor.Select({"KITA"});
  editor.dialogs.OnNextDialog(IDD_ADDRESS, [](ui::FakeDialog& d) {
    EXPECT_TRUE(d.IsItemEnabled(IDC_RESPECT));
    EXPECT_EQ(d.SelectedChoice(IDC_RESPECT), 1);
    d.Type(IDC_RECIPIENT, "");
    EXPECT_FALSE(d.IsItemEnabled(IDC_RESPECT_LABEL));
    d.Click(ui::kIdOk);
  });
  editor.Command(IDC_EDIT_BUTTON);
  EXPECT_EQ(editor.Record("KITA")->respect, 0);
  EXPECT_EQ(editor.List().ItemText(editor.RowOf("KITA"), 5), "");
}

TEST_F(AddressCommandsTest, BadStoredTextIsRedAndFocusedWhenTheDialogOpens) {
  EditingHarness other;
  other.StartWith({"[FAX_ADDR]=1,1,Ok,\x82\xA0,03,,," + std::string(70, 'c') + ",,,0"});
  other.Select({"\x82\xA0"});
  other.dialogs.OnNextDialog(IDD_ADDRESS, [](ui::FakeDialog& d) {
    EXPECT_EQ(d.TextColour(IDC_READING), ui::Rgb(255, 0, 0));
    EXPECT_EQ(d.TextColour(IDC_COMPANY), ui::Rgb(0, 0, 255));
    EXPECT_EQ(d.TextColour(IDC_FAX_NUMBER), ui::Rgb(0, 0, 0));
    EXPECT_EQ(d.Focus(), IDC_READING);
    EXPECT_EQ(d.SelectedAllText(), IDC_READING);
    d.Type(IDC_READING, "OK");
    EXPECT_EQ(d.TextColour(IDC_READING), ui::Rgb(0, 0, 0));
    d.Close();
  });
  other.Command(IDC_EDIT_BUTTON);
  EXPECT_FALSE(other.Document().IsModified());
}

TEST_F(AddressCommandsTest, DeleteAsksAndCarriesTheConsequencesToGroups) {
  struct Case {
    Texts selected;
    int answer;
    std::string message;
  } refusals[] = {
      {{}, ui::kIdOk, Marker(IDS_NO_SELECTION)},
      {{"KITA", "MINAMI"}, ui::kIdOk, Marker(IDS_DELETE_SEVERAL)},
      {{"KITA"}, ui::kIdCancel, Marker(IDS_DELETE_ADDRESS)},
      {{"ALL"}, ui::kIdCancel, Marker(IDS_DELETE_GROUP)},
  };
  for (const Case& c : refusals) {
    editor.boxes.Clear();
    editor.Select(c.selected);
    editor.boxes.AnswerNext(c.answer);
    editor.Command(IDC_DELETE_BUTTON);
    EXPECT_EQ(editor.Messages(), Texts{c.message});
    EXPECT_EQ(editor.List().ItemCount(), 4);
  }
  EXPECT_FALSE(editor.Document().IsModified());

  // MINAMI is the only member of SOLO: both go; ALL keeps KITA.
  editor.Select({"MINAMI"});
  editor.boxes.AnswerNext(ui::kIdOk);
  editor.Command(IDC_DELETE_BUTTON);
  EXPECT_EQ(editor.Column(1), (Texts{"ALL", "KITA"}));
  EXPECT_EQ(editor.MemberReadings("ALL"), Texts{"KITA"});
  EXPECT_EQ(editor.CountPane(), "2");
  EXPECT_TRUE(editor.Document().IsModified());

  editor.Select({"ALL"});
  editor.boxes.AnswerNext(ui::kIdOk);
  editor.Command(IDC_DELETE_BUTTON);
  EXPECT_EQ(editor.Column(1), Texts{"KITA"});
  EXPECT_EQ(editor.TheBook().Groups().MemberCount(3), 0);
}

TEST_F(AddressCommandsTest, PastingProposesTheNextFreeSuffix) {
  editor.Select({"KITA"});
  editor.Command(ID_EDIT_COPY);
  for (const char* expected : {"KITA(1)", "KITA(2)"}) {
    editor.dialogs.OnNextDialog(IDD_ADDRESS, [&](ui::FakeDialog& d) {
      EXPECT_EQ(d.Title(), Marker(IDS_NEW_ADDRESS_TITLE));
      EXPECT_EQ(d.ItemText(IDC_READING), expected);
      EXPECT_EQ(d.ItemText(IDC_FAX_NUMBER), "03-1");
      d.Click(ui::kIdOk);
    });
    editor.Command(ID_EDIT_PASTE);
  }
  EXPECT_EQ(editor.Record("KITA(2)")->dispName, "Kita(2)");
  EXPECT_EQ(editor.Record("KITA(2)")->respect, 1);
  EXPECT_TRUE(editor.dialogs.Problems().empty());
}

TEST_F(AddressCommandsTest, NothingSelectedCopiesNothingAndPasteThenDoesNothing) {
  editor.Select({});
  editor.Command(ID_EDIT_COPY);
  editor.Command(ID_EDIT_PASTE);
  EXPECT_TRUE(editor.dialogs.Opened().empty());
}

TEST(AddressLimits, AFullBookRefusesBeforeAnyDialogOpens) {
  Texts lines;
  for (int i = 1; i <= store::kMaxEntries; ++i) {
    lines.push_back("[FAX_ADDR]=1," + std::to_string(i) + ",N" + std::to_string(i) + ",R" +
                    std::to_string(i) + ",1,,,,,,0");
  }
  EditingHarness editor;
  editor.StartWith(lines);
  for (int command : {ID_NEW_ADDRESS, ID_NEW_GROUP}) {
    editor.boxes.Clear();
    editor.Command(command);
    EXPECT_EQ(editor.Messages(), Texts{"[61238] 3000"});
  }
  editor.Select({"R1"});
  editor.Command(ID_EDIT_COPY);
  editor.Command(ID_EDIT_PASTE);
  EXPECT_TRUE(editor.dialogs.Opened().empty());
  EXPECT_FALSE(editor.Document().IsModified());
}

TEST(AddressLanguages, JapaneseOffersBothNames) {
  EditingHarness editor;
  editor.StartWith({});
  editor.dialogs.OnNextDialog(IDD_ADDRESS, [](ui::FakeDialog& d) {
    EXPECT_TRUE(d.IsItemEnabled(IDC_DISP_NAME));
    EXPECT_TRUE(d.IsItemEnabled(IDC_READING));
    d.Close();
  });
  editor.Command(ID_NEW_ADDRESS);
  editor.dialogs.OnNextDialog(IDD_GROUP, [](ui::FakeDialog& d) {
    EXPECT_TRUE(d.IsItemEnabled(IDC_DISP_NAME));
    d.Close();
  });
  editor.Command(ID_NEW_GROUP);
}

TEST(AddressLanguages, OtherLanguagesNeitherCheckTheNameNorOfferHonorifics) {
  EditingHarness editor;
  editor.SetLanguage("English");
  editor.system.codePage = 1252;
  editor.StartWith({"[FAX_ADDR]=1,1,,M\xFCller,040,,,,,Herr,0"});
  editor.dialogs.OnNextDialog(IDD_ADDRESS, [](ui::FakeDialog& d) {
    EXPECT_FALSE(d.IsItemEnabled(IDC_RESPECT));
    // The registration name is neither checked nor kept: it is greyed.
    EXPECT_FALSE(d.IsItemEnabled(IDC_DISP_NAME));
    EXPECT_TRUE(d.IsItemEnabled(IDC_READING));
    d.Type(IDC_READING, "\xC9mile");
    d.Type(IDC_FAX_NUMBER, "1");
    d.Type(IDC_RECIPIENT, "Madame");
    d.Click(ui::kIdOk);
    EXPECT_TRUE(d.Ended());
  });
  editor.Command(ID_NEW_ADDRESS);
  EXPECT_EQ(editor.List().Row(editor.RowOf("\xC9mile")), (Texts{"\xC9mile", "1", "", "", "Madame"}));
}

}  // namespace
