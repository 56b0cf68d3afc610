// A user's steps through the replace dialog: the ticks, the checks of the
// search and replacement texts, and what the replace does to each field.
#include <gtest/gtest.h>

#include "tests/support/bulk_harness.h"

namespace {

using Texts = std::vector<std::string>;

// Half-width katakana in code page 932.
const std::string kYamada = "\xD4\xCF\xC0\xDE";  // ﾔﾏﾀﾞ
const std::string kA = "\xB1";                    // ｱ

const Texts kBook = {
    "[FAX_ADDR]=1,1,Kita,KITA,0312340301,11,22,ABA,Sales,Desk,2",
    "[FAX_ADDR]=1,2,Minami," + kYamada + ",1203,,,\"" + kYamada + "\",Sales,Clerk,1",
    "[FAX_ADDR]=1,3,Higashi,HIGASHI,03-1,,,Other,,,0",
    "[FAX_ADDR]=3,4,All,ALL,",
    "[FAX_ADDR_GM]=4,4,Kita,KITA,0312340301,11,22,ABA,Sales,Desk,2",
    "[FAX_ADDR_GM]=4,4,Minami," + kYamada + ",1203,,,\"" + kYamada + "\",Sales,Clerk,1",
    "[FAX_ADDR]=3,5,Solo,SOLO,",
};

struct Change {
  int tick;
  int search;
  std::string searchText;
  int replacement;
  std::string replacementText;
};

class ReplaceTest : public ::testing::Test {
 protected:
  void SetUp() override { editor.StartWith(kBook); }
  // Selects the rows of these readings and replaces in the ticked fields.
  void Replace(const Texts& readings, const std::vector<Change>& changes) {
    editor.Select(readings);
    editor.dialogs.OnNextDialog(IDD_REPLACE, [&](ui::FakeDialog& d) {
      for (const Change& c : changes) {
        Tick(d, c.tick);
        d.Type(c.search, c.searchText);
        d.Type(c.replacement, c.replacementText);
      }
      d.Click(ui::kIdOk);
      EXPECT_TRUE(d.Ended());
    });
    editor.Command(ID_EDIT_REPLACE);
    ASSERT_TRUE(editor.dialogs.Problems().empty()) << editor.dialogs.Problems()[0];
  }
  BulkHarness editor;
};

TEST_F(ReplaceTest, WithoutASelectionItSaysSo) {
  editor.Select({});
  editor.Command(ID_EDIT_REPLACE);
  EXPECT_EQ(editor.Messages(), Texts{Marker(IDS_NO_SELECTION)});
  EXPECT_EQ(editor.boxes.Last().caption, Marker(IDS_CAPTION));
  EXPECT_TRUE(editor.dialogs.Opened().empty());
}

TEST_F(ReplaceTest, OpensWithEveryTickClearAndATickEnablesBothTexts) {
  editor.Select({"KITA"});
  editor.dialogs.OnNextDialog(IDD_REPLACE, [](ui::FakeDialog& d) {
    for (int tick = IDC_TICK_DISP_NAME; tick <= IDC_TICK_RECIPIENT; ++tick) {
      EXPECT_FALSE(d.IsItemChecked(tick));
      EXPECT_TRUE(d.IsItemEnabled(tick));
    }
    for (int id : {IDC_DISP_NAME, IDC_NEW_DISP_NAME, IDC_COMPANY, IDC_NEW_COMPANY}) {
      EXPECT_FALSE(d.IsItemEnabled(id)) << id;
    }
    EXPECT_EQ(d.TextLimit(IDC_NEW_COMPANY), 64);
    EXPECT_EQ(d.TextLimit(IDC_NEW_SUB_ADDRESS), 20);
    Tick(d, IDC_TICK_COMPANY);
    EXPECT_TRUE(d.IsItemEnabled(IDC_COMPANY));
    EXPECT_TRUE(d.IsItemEnabled(IDC_NEW_COMPANY));
    EXPECT_EQ(d.Focus(), IDC_COMPANY);
    d.Type(IDC_NEW_COMPANY, "\x01");
    EXPECT_EQ(d.TextColour(IDC_NEW_COMPANY), ui::Rgb(255, 0, 0));
    Tick(d, IDC_TICK_COMPANY);
    EXPECT_FALSE(d.IsItemEnabled(IDC_NEW_COMPANY));
    d.Close();
  });
  editor.Command(ID_EDIT_REPLACE);
  EXPECT_FALSE(editor.Document().IsModified());
}

TEST_F(ReplaceTest, TheFaxNumberChangesOnlyAtItsStart) {
  Replace({"KITA", kYamada, "HIGASHI"}, {{IDC_TICK_FAX_NUMBER, IDC_FAX_NUMBER, "03",
                                          IDC_NEW_FAX_NUMBER, "06"}});
  EXPECT_EQ(editor.Record("KITA")->faxNumber, "0612340301");
  EXPECT_EQ(editor.Record(kYamada)->faxNumber, "1203");
  EXPECT_EQ(editor.Record("HIGASHI")->faxNumber, "06-1");
  EXPECT_EQ(editor.List().ItemText(editor.RowOf("KITA"), 2), "0612340301");
  // The group's copy follows.
  ASSERT_TRUE(editor.Document().Apply());
  EXPECT_NE(editor.WrittenBook().find("[FAX_ADDR_GM]=4,4,Kita,KITA,0612340301,"), std::string::npos);
  // A replacement that would leave the number empty keeps it.
  Replace({"HIGASHI"}, {{IDC_TICK_FAX_NUMBER, IDC_FAX_NUMBER, "06-1", IDC_NEW_FAX_NUMBER, ""}});
  EXPECT_EQ(editor.Record("HIGASHI")->faxNumber, "06-1");
}

TEST_F(ReplaceTest, TextFieldsGetEveryOccurrenceAndMayBecomeEmptyButNamesMayNot) {
  Replace({"KITA", kYamada},
          {{IDC_TICK_READING, IDC_READING, kYamada, IDC_NEW_READING, ""},
           {IDC_TICK_COMPANY, IDC_COMPANY, "A", IDC_NEW_COMPANY, "AA"}});
  EXPECT_EQ(editor.Record("KITA")->companyName, "AABAA");
  ASSERT_NE(editor.Record(kYamada), nullptr);  // an empty reading is not stored
  Replace({kYamada}, {{IDC_TICK_COMPANY, IDC_COMPANY, kYamada, IDC_NEW_COMPANY, ""},
                      {IDC_TICK_RECIPIENT, IDC_RECIPIENT, "Clerk", IDC_NEW_RECIPIENT, ""}});
  const store::AddressRecord* minami = editor.Record(kYamada);
  EXPECT_EQ(minami->companyName, "");
  EXPECT_EQ(minami->clientName, "");
  EXPECT_EQ(minami->respect, 0);  // no recipient, no honorific
  EXPECT_EQ(minami->departmentName, "Sales");
  EXPECT_EQ(editor.MemberReadings("ALL"), (Texts{"KITA", kYamada}));
}

TEST_F(ReplaceTest, ChangedNamesAreCutAndMadeUnique) {
  Replace({"HIGASHI"}, {{IDC_TICK_READING, IDC_READING, "HIGASHI", IDC_NEW_READING, "KITA"}});
  EXPECT_EQ(editor.Record("KITA(1)")->regNo, 3);
  EXPECT_EQ(editor.MemberReadings("ALL"), (Texts{"KITA", kYamada}));

  // A 16-byte reading whose ｱ become ｱｱ is cut back to 16 bytes before the
  // in-use test: another entry already has the cut value.
  BulkHarness longer;
  std::string sixteen, cut;
  for (int i = 0; i < 8; ++i) sixteen += kA + "B";
  for (int i = 0; i < 5; ++i) cut += kA + kA + "B";
  cut += kA;
  longer.StartWith({"[FAX_ADDR]=1,1,N," + sixteen + ",1,,,,,,0", "[FAX_ADDR]=1,2,M," + cut + ",1,,,,,,0"});
  longer.Select({sixteen});
  longer.dialogs.OnNextDialog(IDD_REPLACE, [&](ui::FakeDialog& d) {
    Tick(d, IDC_TICK_READING);
    d.Type(IDC_READING, kA);
    d.Type(IDC_NEW_READING, kA + kA);
    d.Click(ui::kIdOk);
  });
  longer.Command(ID_EDIT_REPLACE);
  ASSERT_EQ(cut.size(), 16u);
  EXPECT_EQ(longer.Record(cut)->regNo, 2);
  EXPECT_EQ(longer.Record(cut.substr(0, 13) + "(1)")->regNo, 1);
}

TEST(ReplaceBlanks, ABlankLeftAtTheEndOfANameCostsNoEntryOnTheNextLoad) {
  BulkHarness editor;
  editor.StartWith({"[FAX_ADDR]=1,1,Kita,KITA,1,,,,,,0", "[FAX_ADDR]=1,2,KitaX,KITA X,2,,,,,,0"});
  editor.Select({"KITA X"});
  editor.dialogs.OnNextDialog(IDD_REPLACE, [](ui::FakeDialog& d) {
    Tick(d, IDC_TICK_READING);
    d.Type(IDC_READING, "X");
    d.Click(ui::kIdOk);
  });
  editor.Command(ID_EDIT_REPLACE);
  EXPECT_EQ(editor.Column(1), (Texts{"KITA", "KITA(1)"}));
  ASSERT_TRUE(editor.Document().Apply());
  editor.fileDialogs.ChooseNext(editor.DataFile());
  editor.Command(ID_FILE_IMPORT_BOOK);
  EXPECT_EQ(editor.Column(1), (Texts{"KITA", "KITA(1)"}));
}

TEST_F(ReplaceTest, EverySearchTextMustBeSetAndEveryTextPassItsField) {
  const struct {
    int tick, search, replacement;
    std::string searchText, replacementText;
    int message;
  } cases[] = {
      {IDC_TICK_DISP_NAME, IDC_DISP_NAME, IDC_NEW_DISP_NAME, "", "x", 61249},
      {IDC_TICK_READING, IDC_READING, IDC_NEW_READING, "\x81\x40", "x", 61233},
      {IDC_TICK_FAX_NUMBER, IDC_FAX_NUMBER, IDC_NEW_FAX_NUMBER, "", "1", 61244},
      {IDC_TICK_SUB_ADDRESS, IDC_SUB_ADDRESS, IDC_NEW_SUB_ADDRESS, "", "1", 61265},
      {IDC_TICK_PASSWORD, IDC_PASSWORD, IDC_NEW_PASSWORD, "", "1", 61266},
      {IDC_TICK_COMPANY, IDC_COMPANY, IDC_NEW_COMPANY, " ", "1", 61267},
      {IDC_TICK_DEPARTMENT, IDC_DEPARTMENT, IDC_NEW_DEPARTMENT, "", "1", 61268},
      {IDC_TICK_RECIPIENT, IDC_RECIPIENT, IDC_NEW_RECIPIENT, "", "1", 61269},
      {IDC_TICK_FAX_NUMBER, IDC_FAX_NUMBER, IDC_NEW_FAX_NUMBER, "-", "1", 61246},
      {IDC_TICK_FAX_NUMBER, IDC_FAX_NUMBER, IDC_NEW_FAX_NUMBER, "1", "-", 61246},
      {IDC_TICK_SUB_ADDRESS, IDC_SUB_ADDRESS, IDC_NEW_SUB_ADDRESS, "1", "1-", 61252},
      {IDC_TICK_READING, IDC_READING, IDC_NEW_READING, "A", "\x82\xA0", 61231},
      {IDC_TICK_COMPANY, IDC_COMPANY, IDC_NEW_COMPANY, "A", "a\tb", 61256},
  };
  for (const auto& c : cases) {
    editor.boxes.Clear();
    int failing = c.replacementText == "1" || c.replacementText == "x" ? c.search : c.replacement;
    editor.Select({"KITA"});
    editor.dialogs.OnNextDialog(IDD_REPLACE, [&](ui::FakeDialog& d) {
      Tick(d, c.tick);
      d.Type(c.search, c.searchText);
      d.Type(c.replacement, c.replacementText);
      d.Click(ui::kIdOk);
      EXPECT_FALSE(d.Ended()) << c.searchText;
      EXPECT_EQ(d.Focus(), failing) << c.searchText;
      d.Close();
    });
    editor.Command(ID_EDIT_REPLACE);
    ASSERT_EQ(editor.boxes.Shown().size(), 1u) << c.searchText;
    EXPECT_EQ(editor.boxes.Last().text, Marker(c.message)) << c.searchText;
    EXPECT_EQ(editor.boxes.Last().caption, Marker(IDS_INPUT_ERROR));
  }
  EXPECT_FALSE(editor.Document().IsModified());
}

TEST_F(ReplaceTest, GroupsOnlyOfferTheirNamesAndMixedSelectionsKeepTheGroupsOtherwiseUntouched) {
  editor.Select({"ALL", "SOLO"});
  editor.dialogs.OnNextDialog(IDD_REPLACE, [](ui::FakeDialog& d) {
    for (int tick = IDC_TICK_DISP_NAME; tick <= IDC_TICK_RECIPIENT; ++tick) {
      EXPECT_EQ(d.IsItemEnabled(tick), tick <= IDC_TICK_READING) << tick;
    }
    d.Close();
  });
  editor.Command(ID_EDIT_REPLACE);

  Replace({"ALL", "KITA"}, {{IDC_TICK_DISP_NAME, IDC_DISP_NAME, "l", IDC_NEW_DISP_NAME, "L"},
                            {IDC_TICK_COMPANY, IDC_COMPANY, "A", IDC_NEW_COMPANY, "E"}});
  EXPECT_EQ(editor.Record("ALL")->dispName, "ALL");
  EXPECT_EQ(editor.Record("ALL")->companyName, "");
  EXPECT_EQ(editor.Record("KITA")->companyName, "EBE");
  EXPECT_EQ(editor.Record("KITA")->dispName, "Kita");  // no "l" in it
  EXPECT_EQ(editor.Record("KITA")->departmentName, "Sales");
  EXPECT_EQ(editor.List().Row(editor.RowOf("ALL")), (Texts{"ALL", "ALL", "", "", "", ""}));
  EXPECT_TRUE(editor.Document().IsModified());
}

TEST(ReplaceOtherLanguages, TheUnseenNameAndHonorificStayUnlessTheRecipientGoes) {
  BulkHarness editor;
  editor.SetLanguage("English");
  editor.StartWith(kBook);
  editor.Select({"KITA", kYamada});
  editor.dialogs.OnNextDialog(IDD_REPLACE, [](ui::FakeDialog& d) {
    Tick(d, IDC_TICK_READING);
    d.Type(IDC_READING, "KITA");
    d.Type(IDC_NEW_READING, "NORTH");
    Tick(d, IDC_TICK_RECIPIENT);
    d.Type(IDC_RECIPIENT, "Clerk");
    d.Type(IDC_NEW_RECIPIENT, "");
    d.Click(ui::kIdOk);
  });
  editor.Command(ID_EDIT_REPLACE);
  ASSERT_TRUE(editor.dialogs.Problems().empty()) << editor.dialogs.Problems()[0];
  ASSERT_TRUE(editor.Document().Apply());
  const std::string book = editor.WrittenBook();
  EXPECT_NE(book.find("[FAX_ADDR]=1,1,Kita,NORTH,0312340301,11,22,ABA,Sales,Desk,2\r\n"),
            std::string::npos);
  EXPECT_NE(book.find("[FAX_ADDR]=1,2,Minami," + kYamada + ",1203,,," + kYamada + ",Sales,,0\r\n"),
            std::string::npos);
  EXPECT_NE(book.find("[FAX_ADDR_GM]=4,4,Kita,NORTH,0312340301,11,22,ABA,Sales,Desk,2\r\n"),
            std::string::npos);
}

}  // namespace
