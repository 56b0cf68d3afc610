// A user's steps through the multi-address edit: the proposals, the ticks,
// the checks on OK and what reaches the entries, their rows and the group
// members.
#include <gtest/gtest.h>

#include "tests/support/bulk_harness.h"

namespace {

// Half-width katakana in code page 932.
const std::string kTanaka = "\xC0\xC5\xB6";      // ﾀﾅｶ

using Texts = std::vector<std::string>;

const Texts kBook = {
    "[FAX_ADDR]=1,1,Kita,KITA,03-1,11,22,Acme,Sales,Desk,2",
    "[FAX_ADDR]=1,2,Minami,MINAMI,06-3,,,acme,Sales,Clerk,2",
    "[FAX_ADDR]=1,3,Higashi,HIGASHI,07-1,,,Other,,,0",
    "[FAX_ADDR]=3,4,All,ALL,",
    "[FAX_ADDR_GM]=4,4,Kita,KITA,03-1,11,22,Acme,Sales,Desk,2",
    "[FAX_ADDR_GM]=4,4,Minami,MINAMI,06-3,,,acme,Sales,Clerk,2",
    "[FAX_ADDR]=3,5,Solo,SOLO,",
    "[FAX_ADDR_GM]=4,5,Higashi,HIGASHI,07-1,,,Other,,,0",
};

const int kTicks[] = {IDC_TICK_DISP_NAME, IDC_TICK_READING,    IDC_TICK_FAX_NUMBER,
                      IDC_TICK_SUB_ADDRESS, IDC_TICK_PASSWORD, IDC_TICK_COMPANY,
                      IDC_TICK_DEPARTMENT, IDC_TICK_RECIPIENT, IDC_TICK_RESPECT};
const int kValues[] = {IDC_DISP_NAME, IDC_READING,    IDC_FAX_NUMBER, IDC_SUB_ADDRESS, IDC_PASSWORD,
                       IDC_COMPANY,   IDC_DEPARTMENT, IDC_RECIPIENT,  IDC_RESPECT};

class MultiEditTest : public ::testing::Test {
 protected:
  void SetUp() override { editor.StartWith(kBook); }
  // Selects the rows of these readings and runs the edit with the script.
  void Edit(const Texts& readings, ui::FakeDialogRunner::Script script) {
    editor.Select(readings);
    editor.dialogs.OnNextDialog(IDD_MULTI_EDIT, std::move(script));
    editor.Command(IDC_EDIT_BUTTON);
    ASSERT_TRUE(editor.dialogs.Problems().empty()) << editor.dialogs.Problems()[0];
  }
  BulkHarness editor;
};

TEST_F(MultiEditTest, OpensWithSharedValuesProposedEveryTickClearAndEveryValueDisabled) {
  Edit({"KITA", "MINAMI"}, [](ui::FakeDialog& d) {
    const Texts expected = {"", "", "", "", "", "Acme", "Sales", ""};
    for (std::size_t i = 0; i < 8; ++i) EXPECT_EQ(d.ItemText(kValues[i]), expected[i]) << i;
    for (std::size_t i = 0; i < 9; ++i) {
      EXPECT_FALSE(d.IsItemChecked(kTicks[i])) << i;
      EXPECT_TRUE(d.IsItemEnabled(kTicks[i])) << i;
      EXPECT_FALSE(d.IsItemEnabled(kValues[i])) << i;
    }
    EXPECT_EQ(d.SelectedChoice(IDC_RESPECT), 2);  // both 殿
    EXPECT_EQ(d.Choices(IDC_RESPECT).size(), 4u);
    EXPECT_EQ(d.TextLimit(IDC_COMPANY), 64);
    EXPECT_EQ(d.TextLimit(IDC_READING), 16);
    Tick(d, IDC_TICK_COMPANY);
    EXPECT_TRUE(d.IsItemChecked(IDC_TICK_COMPANY));
    EXPECT_TRUE(d.IsItemEnabled(IDC_COMPANY));
    EXPECT_EQ(d.Focus(), IDC_COMPANY);
    Tick(d, IDC_TICK_COMPANY);
    EXPECT_FALSE(d.IsItemEnabled(IDC_COMPANY));
    Tick(d, IDC_TICK_RESPECT);
    EXPECT_TRUE(d.IsItemEnabled(IDC_RESPECT));
    d.Close();
  });
  // Honorifics that differ propose none.
  Edit({"HIGASHI", "KITA"}, [](ui::FakeDialog& d) {
    EXPECT_EQ(d.SelectedChoice(IDC_RESPECT), 0);
    EXPECT_EQ(d.ItemText(IDC_COMPANY), "");
    d.Close();
  });
  EXPECT_FALSE(editor.Document().IsModified());
}

TEST_F(MultiEditTest, ValuesAreColouredAsTheyAreTyped) {
  Edit({"KITA", "MINAMI"}, [](ui::FakeDialog& d) {
    Tick(d, IDC_TICK_READING);
    d.Type(IDC_READING, "\x82\xA0");
    EXPECT_EQ(d.TextColour(IDC_READING), ui::Rgb(255, 0, 0));
    d.Type(IDC_READING, kTanaka);
    EXPECT_EQ(d.TextColour(IDC_READING), ui::Rgb(0, 0, 0));
    d.Close();
  });
  // A stored value over its limit shows blue from the start.
  BulkHarness longer;
  longer.StartWith({"[FAX_ADDR]=1,1,A,A,1,,," + std::string(70, 'x') + ",,,0",
                    "[FAX_ADDR]=1,2,B,B,1,,," + std::string(70, 'x') + ",,,0"});
  longer.Select({"A", "B"});
  longer.dialogs.OnNextDialog(IDD_MULTI_EDIT, [](ui::FakeDialog& d) {
    EXPECT_EQ(d.TextColour(IDC_COMPANY), ui::Rgb(0, 0, 255));
    d.Close();
  });
  longer.Command(IDC_EDIT_BUTTON);
}

TEST_F(MultiEditTest, ATickedFieldReachesEverySelectedAddressAndTheGroupsCopies) {
  Edit({"KITA", "MINAMI"}, [](ui::FakeDialog& d) {
    Tick(d, IDC_TICK_COMPANY);
    d.Type(IDC_COMPANY, "");
    // Edited but not ticked: never stored.
    d.Type(IDC_DEPARTMENT, "Changed");
    d.Click(ui::kIdOk);
    EXPECT_TRUE(d.Ended());
  });
  for (const char* reading : {"KITA", "MINAMI"}) {
    const store::AddressRecord* r = editor.Record(reading);
    EXPECT_EQ(r->companyName, "") << reading;
    EXPECT_EQ(r->departmentName, "Sales") << reading;
    EXPECT_EQ(r->respect, 2) << reading;
    EXPECT_EQ(editor.List().ItemText(editor.RowOf(reading), 3), "") << reading;
  }
  EXPECT_EQ(editor.Record("HIGASHI")->companyName, "Other");
  EXPECT_TRUE(editor.Document().IsModified());
  ASSERT_TRUE(editor.Document().Apply());
  const std::string book = editor.WrittenBook();
  EXPECT_NE(book.find("[FAX_ADDR_GM]=4,4,Kita,KITA,03-1,11,22,,Sales,Desk,2\r\n"), std::string::npos);
  EXPECT_NE(book.find("[FAX_ADDR]=1,2,Minami,MINAMI,06-3,,,,Sales,Clerk,2\r\n"), std::string::npos);
}

TEST_F(MultiEditTest, TickedNamesAreMadeUniqueEntryByEntryAndMembersFollowTheirReading) {
  Edit({"HIGASHI", "KITA", "MINAMI"}, [](ui::FakeDialog& d) {
    Tick(d, IDC_TICK_READING);
    d.Type(IDC_READING, kTanaka);
    Tick(d, IDC_TICK_DISP_NAME);
    d.Type(IDC_DISP_NAME, "Kita");  // the second entry's own name counts as taken
    d.Click(ui::kIdOk);
  });
  // Rows were visited from the top: HIGASHI, KITA, MINAMI.
  EXPECT_EQ(editor.Record(kTanaka)->regNo, 3);
  EXPECT_EQ(editor.Record(kTanaka + "(1)")->regNo, 1);
  EXPECT_EQ(editor.Record(kTanaka + "(2)")->regNo, 2);
  EXPECT_EQ(editor.Record(kTanaka)->dispName, "Kita(1)");
  EXPECT_EQ(editor.Record(kTanaka + "(1)")->dispName, "Kita(2)");
  // Kita's own name was freed when it took Kita(2).
  EXPECT_EQ(editor.Record(kTanaka + "(2)")->dispName, "Kita");
  EXPECT_EQ(editor.MemberReadings("ALL"), (Texts{kTanaka + "(1)", kTanaka + "(2)"}));
  EXPECT_EQ(editor.MemberReadings("SOLO"), (Texts{kTanaka}));
  EXPECT_EQ(editor.Column(1), (Texts{"ALL", "SOLO", kTanaka, kTanaka + "(1)", kTanaka + "(2)"}));
}

TEST_F(MultiEditTest, GroupsOnlyOfferTheirTwoNamesAndMixedSelectionsKeepGroupsToTheirNames) {
  Edit({"ALL", "SOLO"}, [](ui::FakeDialog& d) {
    for (std::size_t i = 0; i < 9; ++i) EXPECT_EQ(d.IsItemEnabled(kTicks[i]), i < 2) << i;
    Tick(d, IDC_TICK_FAX_NUMBER);  // disabled: nothing happens
    EXPECT_FALSE(d.IsItemChecked(IDC_TICK_FAX_NUMBER));
    Tick(d, IDC_TICK_READING);
    d.Type(IDC_READING, "GRP");
    d.Click(ui::kIdOk);
  });
  EXPECT_EQ(editor.Column(1), (Texts{"GRP", "GRP(1)", "HIGASHI", "KITA", "MINAMI"}));
  EXPECT_EQ(editor.MemberReadings("GRP"), (Texts{"KITA", "MINAMI"}));

  Edit({"GRP", "KITA"}, [](ui::FakeDialog& d) {
    EXPECT_TRUE(d.IsItemEnabled(IDC_TICK_FAX_NUMBER));
    Tick(d, IDC_TICK_FAX_NUMBER);
    d.Type(IDC_FAX_NUMBER, "09-9");
    d.Click(ui::kIdOk);
  });
  EXPECT_EQ(editor.Record("KITA")->faxNumber, "09-9");
  EXPECT_EQ(editor.Record("GRP")->faxNumber, "");
  EXPECT_EQ(editor.List().Row(editor.RowOf("GRP")), (Texts{"All", "GRP", "", "", "", ""}));
}

TEST_F(MultiEditTest, TheFirstFailingTickedFieldIsRefusedWithItsMessageAndTakesTheFocus) {
  const struct {
    int tick;
    int field;
    std::string value;
    int message;  // 0: accepted
  } cases[] = {
      {IDC_TICK_DISP_NAME, IDC_DISP_NAME, "\x81\x40", 61249},
      {IDC_TICK_READING, IDC_READING, "", 61233},
      {IDC_TICK_READING, IDC_READING, "\x82\xA0", 61231},
      {IDC_TICK_FAX_NUMBER, IDC_FAX_NUMBER, "", 61244},
      {IDC_TICK_FAX_NUMBER, IDC_FAX_NUMBER, "-1", 61246},
      {IDC_TICK_SUB_ADDRESS, IDC_SUB_ADDRESS, "1-2", 61252},
      {IDC_TICK_SUB_ADDRESS, IDC_SUB_ADDRESS, "", 0},
      {IDC_TICK_PASSWORD, IDC_PASSWORD, " 1", 61254},
      {IDC_TICK_COMPANY, IDC_COMPANY, "\x82\xA0\x81", 61256},
      {IDC_TICK_DEPARTMENT, IDC_DEPARTMENT, "a\tb", 61258},
      {IDC_TICK_RECIPIENT, IDC_RECIPIENT, "\x01", 61260},
      {IDC_TICK_RECIPIENT, IDC_RECIPIENT, "", 0},
  };
  for (const auto& c : cases) {
    editor.boxes.Clear();
    Edit({"KITA", "MINAMI"}, [&](ui::FakeDialog& d) {
      Tick(d, c.tick);
      d.Type(c.field, c.value);
      // A later field that fails too is not reached.
      if (c.message != 0 && c.field != IDC_RECIPIENT) {
        Tick(d, IDC_TICK_RECIPIENT);
        d.Type(IDC_RECIPIENT, "\x01");
      }
      d.Click(ui::kIdOk);
      EXPECT_EQ(d.Ended(), c.message == 0) << c.value;
      if (c.message != 0) {
        EXPECT_EQ(d.Focus(), c.field) << c.value;
      }
      d.Close();
    });
    if (c.message == 0) {
      EXPECT_TRUE(editor.boxes.Shown().empty()) << c.value;
      continue;
    }
    ASSERT_EQ(editor.boxes.Shown().size(), 1u) << c.value;
    EXPECT_EQ(editor.boxes.Last().text, Marker(c.message)) << c.value;
    EXPECT_EQ(editor.boxes.Last().caption, Marker(IDS_INPUT_ERROR));
    EXPECT_EQ(editor.boxes.Last().owner, IDD_MULTI_EDIT);
  }
}

TEST_F(MultiEditTest, TheHonorificFollowsTheRecipient) {
  // An empty recipient clears the honorific.
  Edit({"KITA", "MINAMI"}, [](ui::FakeDialog& d) {
    Tick(d, IDC_TICK_RECIPIENT);
    d.Type(IDC_RECIPIENT, " ");
    d.Click(ui::kIdOk);
  });
  EXPECT_EQ(editor.Record("KITA")->clientName, "");
  EXPECT_EQ(editor.Record("KITA")->respect, 0);
  EXPECT_EQ(editor.Record("MINAMI")->respect, 0);
  // A chosen honorific reaches only addresses with a recipient.
  BulkHarness other;
  other.StartWith(kBook);
  other.Select({"HIGASHI", "KITA"});
  other.dialogs.OnNextDialog(IDD_MULTI_EDIT, [](ui::FakeDialog& d) {
    Tick(d, IDC_TICK_RESPECT);
    d.Choose(IDC_RESPECT, 1);
    d.Click(ui::kIdOk);
  });
  other.Command(IDC_EDIT_BUTTON);
  EXPECT_EQ(other.Record("KITA")->respect, 1);
  EXPECT_EQ(other.Record("HIGASHI")->respect, 0);
  EXPECT_EQ(other.List().ItemText(other.RowOf("KITA"), 5), "Desk SAMA");
  EXPECT_EQ(other.MemberReadings("ALL"), (Texts{"KITA", "MINAMI"}));
}

TEST_F(MultiEditTest, CancelChangesNothing) {
  const std::string before = editor.WrittenBook();
  Edit({"KITA", "MINAMI"}, [](ui::FakeDialog& d) {
    Tick(d, IDC_TICK_COMPANY);
    d.Type(IDC_COMPANY, "New");
    d.Click(ui::kIdCancel);
  });
  EXPECT_EQ(editor.Record("KITA")->companyName, "Acme");
  EXPECT_FALSE(editor.Document().IsModified());
  EXPECT_EQ(editor.WrittenBook(), before);
}

// The editor in English on the same book.
class MultiEditOtherLanguages : public MultiEditTest {
 protected:
  void SetUp() override {
    editor.SetLanguage("English");
    MultiEditTest::SetUp();
  }
};

TEST_F(MultiEditOtherLanguages, TheUnusedNameAndHonorificCannotBeTicked) {
  Edit({"KITA", "MINAMI"}, [](ui::FakeDialog& d) {
    EXPECT_FALSE(d.IsItemEnabled(IDC_TICK_DISP_NAME));
    EXPECT_FALSE(d.IsItemEnabled(IDC_TICK_RESPECT));
    EXPECT_TRUE(d.IsItemEnabled(IDC_TICK_READING));
    Tick(d, IDC_TICK_READING);
    d.Type(IDC_READING, "Branch");
    d.Click(ui::kIdOk);
  });
  EXPECT_EQ(editor.Column(0), (Texts{"ALL", "Branch", "Branch(1)", "HIGASHI", "SOLO"}));
}

TEST_F(MultiEditOtherLanguages, TheUnseenNameAndHonorificAreNeitherShownNorLost) {
  Edit({"KITA", "MINAMI"}, [](ui::FakeDialog& d) {
    EXPECT_EQ(d.ItemText(IDC_DISP_NAME), "");
    EXPECT_EQ(d.SelectedChoice(IDC_RESPECT), -1);  // both hold 2, unseen
    Tick(d, IDC_TICK_COMPANY);
    d.Type(IDC_COMPANY, "Firm");
    d.Click(ui::kIdOk);
  });
  EXPECT_EQ(editor.Record("KITA")->dispName, "Kita");
  EXPECT_EQ(editor.Record("KITA")->respect, 2);
  // A recipient emptied takes its honorific along, the name stays.
  Edit({"KITA", "MINAMI"}, [](ui::FakeDialog& d) {
    Tick(d, IDC_TICK_RECIPIENT);
    d.Type(IDC_RECIPIENT, "");
    d.Click(ui::kIdOk);
  });
  ASSERT_TRUE(editor.Document().Apply());
  const std::string book = editor.WrittenBook();
  EXPECT_NE(book.find("[FAX_ADDR]=1,1,Kita,KITA,03-1,11,22,Firm,Sales,,0\r\n"), std::string::npos);
  EXPECT_NE(book.find("[FAX_ADDR_GM]=4,4,Minami,MINAMI,06-3,,,Firm,Sales,,0\r\n"),
            std::string::npos);
  EXPECT_NE(book.find("[FAX_ADDR]=1,3,Higashi,HIGASHI,07-1,,,Other,,,0\r\n"), std::string::npos);
}

TEST(BulkEditFont, OnCodePage1250BothDialogsSetTheSubstituteFontOnTheirEdits) {
  BulkHarness editor;
  editor.SetLanguage("Czech");
  editor.system.codePage = 1250;
  editor.StartWith(kBook);
  editor.Select({"KITA", "MINAMI"});
  editor.dialogs.OnNextDialog(IDD_MULTI_EDIT, [](ui::FakeDialog& d) {
    for (int id : kValues) EXPECT_NE(d.Font(id), 0u) << id;
    d.Close();
  });
  editor.Command(IDC_EDIT_BUTTON);
  editor.dialogs.OnNextDialog(IDD_REPLACE, [](ui::FakeDialog& d) {
    for (int id : {IDC_READING, IDC_NEW_READING, IDC_RECIPIENT, IDC_NEW_RECIPIENT}) {
      EXPECT_NE(d.Font(id), 0u) << id;
    }
    d.Close();
  });
  editor.Command(ID_EDIT_REPLACE);
  EXPECT_TRUE(editor.dialogs.Problems().empty());
}

}  // namespace
