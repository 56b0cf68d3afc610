// The editor in a language that shows no registration names and honorifics
// on a book made in Japanese: what its user does keeps those it does not
// see, what it makes has none, and nothing unseen stands in its way.
#include <gtest/gtest.h>

#include "tests/support/editing_harness.h"

namespace {

using Texts = std::vector<std::string>;

// Registration names in code page 932: 北店, 南店, 全店.
const std::string kKitaName = "\x96\x6B\x93\x58";
const std::string kMinamiName = "\x93\xEC\x93\x58";
const std::string kAllName = "\x91\x53\x93\x58";

const Texts kJapaneseBook = {
    "[FAX_ADDR]=1,1," + kKitaName + ",KITA,03-1,,,,,Desk,1",
    "[FAX_ADDR]=1,2," + kMinamiName + ",MINAMI,06-3,,,,,Clerk,2",
    "[FAX_ADDR]=3,3," + kAllName + ",ALL,",
    "[FAX_ADDR_GM]=4,3," + kKitaName + ",KITA,03-1,,,,,Desk,1",
    "[FAX_ADDR_GM]=4,3," + kMinamiName + ",MINAMI,06-3,,,,,Clerk,2",
};

class UnseenTextsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    editor.SetLanguage("English");
    editor.system.codePage = 1252;
    editor.StartWith(kJapaneseBook);
  }
  const std::string& File() { return *editor.files.File(editor.DataFile()); }
  EditingHarness editor;
};

TEST_F(UnseenTextsTest, EditsKeepWhatTheyDoNotShowAndNewEntriesHaveNone) {
  editor.Select({"KITA"});
  editor.dialogs.OnNextDialog(IDD_ADDRESS, [](ui::FakeDialog& d) {
    EXPECT_EQ(d.ItemText(IDC_DISP_NAME), "");  // nothing unseen is shown
    EXPECT_FALSE(d.IsItemEnabled(IDC_DISP_NAME));
    EXPECT_FALSE(d.IsItemEnabled(IDC_RESPECT));
    EXPECT_EQ(d.ItemText(IDC_RECIPIENT), "Desk");
    d.Type(IDC_FAX_NUMBER, "03-9");
    d.Click(ui::kIdOk);
    EXPECT_TRUE(d.Ended());
  });
  editor.Command(IDC_EDIT_BUTTON);

  editor.Select({"ALL"});
  editor.dialogs.OnNextDialog(IDD_GROUP, [](ui::FakeDialog& d) {
    EXPECT_EQ(d.ItemText(IDC_DISP_NAME), "");
    d.Type(IDC_READING, "EVERYONE");
    d.Click(ui::kIdOk);
    EXPECT_TRUE(d.Ended());
  });
  editor.Command(IDC_EDIT_BUTTON);

  editor.dialogs.OnNextDialog(IDD_ADDRESS, [](ui::FakeDialog& d) {
    d.Type(IDC_READING, "HIGASHI");
    d.Type(IDC_FAX_NUMBER, "07-1");
    d.Type(IDC_RECIPIENT, "Boss");
    d.Click(ui::kIdOk);
  });
  editor.Command(ID_NEW_ADDRESS);

  // A copy is a new entry: its name and honorific would be ones its maker
  // never saw.
  editor.Select({"MINAMI"});
  editor.Command(ID_EDIT_COPY);
  editor.dialogs.OnNextDialog(IDD_ADDRESS, [](ui::FakeDialog& d) {
    EXPECT_EQ(d.ItemText(IDC_READING), "MINAMI(1)");
    d.Click(ui::kIdOk);
  });
  editor.Command(ID_EDIT_PASTE);
  editor.Select({"EVERYONE"});
  editor.Command(ID_EDIT_COPY);
  editor.dialogs.OnNextDialog(IDD_GROUP, [](ui::FakeDialog& d) { d.Click(ui::kIdOk); });
  editor.Command(ID_EDIT_PASTE);
  ASSERT_TRUE(editor.dialogs.Problems().empty()) << editor.dialogs.Problems()[0];

  EXPECT_EQ(editor.List().Row(editor.RowOf("KITA")), (Texts{"KITA", "03-9", "", "", "Desk"}));
  ASSERT_TRUE(editor.host.Choose(ID_FILE_APPLY));
  EXPECT_EQ(File(), Book({
                        "",
                        "[FAX_ADDR]=3,3," + kAllName + ",EVERYONE,",
                        "[FAX_ADDR_GM]=4,3," + kKitaName + ",KITA,03-9,,,,,Desk,1",
                        "[FAX_ADDR_GM]=4,3," + kMinamiName + ",MINAMI,06-3,,,,,Clerk,2",
                        "",
                        "[FAX_ADDR]=3,6,,EVERYONE(1),",
                        "[FAX_ADDR_GM]=4,6," + kKitaName + ",KITA,03-9,,,,,Desk,1",
                        "[FAX_ADDR_GM]=4,6," + kMinamiName + ",MINAMI,06-3,,,,,Clerk,2",
                        "[FAX_ADDR]=1,4,,HIGASHI,07-1,,,,,Boss,0",
                        "[FAX_ADDR]=1,1," + kKitaName + ",KITA,03-9,,,,,Desk,1",
                        "[FAX_ADDR]=1,2," + kMinamiName + ",MINAMI,06-3,,,,,Clerk,2",
                        "[FAX_ADDR]=1,5,,MINAMI(1),06-3,,,,,Clerk,0",
                    }));
}

TEST_F(UnseenTextsTest, AnEmptiedRecipientTakesItsHonorificAlong) {
  editor.Select({"KITA"});
  editor.dialogs.OnNextDialog(IDD_ADDRESS, [](ui::FakeDialog& d) {
    d.Type(IDC_RECIPIENT, "  ");
    d.Click(ui::kIdOk);
  });
  editor.Command(IDC_EDIT_BUTTON);
  const store::AddressRecord* kita = editor.Record("KITA");
  ASSERT_NE(kita, nullptr);
  EXPECT_EQ(kita->dispName, kKitaName);
  EXPECT_EQ(kita->clientName, "");
  EXPECT_EQ(kita->respect, 0);
  std::vector<store::MemberEntry> members;
  editor.TheBook().Groups().CopyMembers(3, store::kMaxMembers, &members);
  ASSERT_EQ(members.size(), 2u);
  EXPECT_EQ(members[0].dispName, kKitaName);
  EXPECT_EQ(members[0].respect, 0);
}

TEST_F(UnseenTextsTest, AnUnseenNameIsNoNameInUse) {
  // Readings equal to the registration names of others are the readings'
  // business only.
  editor.dialogs.OnNextDialog(IDD_ADDRESS, [](ui::FakeDialog& d) {
    d.Type(IDC_READING, kKitaName);
    d.Type(IDC_FAX_NUMBER, "1");
    d.Click(ui::kIdOk);
    EXPECT_TRUE(d.Ended());
  });
  editor.Command(ID_NEW_ADDRESS);
  editor.Select({"ALL"});
  editor.dialogs.OnNextDialog(IDD_GROUP, [](ui::FakeDialog& d) {
    d.Type(IDC_READING, kAllName);
    d.Click(ui::kIdOk);
    EXPECT_TRUE(d.Ended());
  });
  editor.Command(IDC_EDIT_BUTTON);
  EXPECT_TRUE(editor.boxes.Shown().empty());
  EXPECT_NE(editor.RowOf(kKitaName), -1);
  EXPECT_NE(editor.RowOf(kAllName), -1);
}

}  // namespace
