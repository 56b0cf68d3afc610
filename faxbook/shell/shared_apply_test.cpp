// Apply on a book someone else wrote meanwhile: their changes and ours both
// reach the file, conflicts are the user's choice, and a file that cannot be
// read is never written over.
#include <gtest/gtest.h>

#include <functional>

#include "faxbook/res/resource.h"
#include "faxbook/shell/conflict_chooser.h"
#include "tests/support/editor_harness.h"

namespace {

using Texts = std::vector<std::string>;

const std::string kKita = "[FAX_ADDR]=1,1,Kita,KITA,03-1,,,,,,0";
const std::string kAbe = "[FAX_ADDR]=1,2,Abe,ABE,03-2,,,,,,0";

class FakeChooser : public ConflictChooser {
 public:
  bool Choose(const std::vector<merge::Conflict>& conflicts,
              std::vector<merge::Side>* choices) override {
    ++asked;
    seen = conflicts;
    if (during) during();
    if (cancel) return false;
    choices->assign(conflicts.size(), side);
    return true;
  }
  int asked = 0;
  bool cancel = false;
  merge::Side side = merge::Side::kMine;
  std::vector<merge::Conflict> seen;
  std::function<void()> during;
};

class SharedApplyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    editor.files.SetFile(editor.DataFile(), Book({kKita, kAbe}));
    ASSERT_TRUE(editor.Start());
    editor.Document().SetConflictChooser(&chooser);
  }
  const std::string& File() { return *editor.files.File(editor.DataFile()); }
  bool Has(const std::string& line) { return File().find(line + "\r\n") != std::string::npos; }
  // The file as another PC's apply leaves it.
  void WrittenElsewhere(const Texts& lines) { editor.files.SetFile(editor.DataFile(), Book(lines)); }
  void AddHere(int regNo, const std::string& name, const std::string& reading) {
    store::AddressRecord r;
    r.regNo = regNo;
    r.dispName = name;
    r.dispNameJP = reading;
    r.faxNumber = "09";
    store::BookStep step(editor.TheBook());
    editor.TheBook().Add(r);
  }
  void ChangeFaxHere(int regNo, const std::string& fax) {
    store::Book& book = editor.TheBook();
    const store::EntryId id = book.WithRegNo(regNo);
    store::EntryTexts texts = *book.Find(id);
    texts.faxNumber = fax;
    store::BookStep step(book);
    book.Change(id, texts);
  }
  EditorHarness editor;
  FakeChooser chooser;
  int limit = 0;
};

TEST_F(SharedApplyTest, ChangesOfBothPlacesReachTheFileAndTheList) {
  AddHere(3, "Sato", "SATO");
  ChangeFaxHere(1, "03-9");
  WrittenElsewhere({kKita, "[FAX_ADDR]=1,2,Abe,ABE,06-5,,,,,,0", "[FAX_ADDR]=1,4,Ito,ITO,04,,,,,,0"});
  ASSERT_TRUE(editor.host.Choose(ID_FILE_APPLY));
  EXPECT_EQ(chooser.asked, 0);
  EXPECT_TRUE(Has("[FAX_ADDR]=1,1,Kita,KITA,03-9,,,,,,0"));
  EXPECT_TRUE(Has("[FAX_ADDR]=1,2,Abe,ABE,06-5,,,,,,0"));
  EXPECT_TRUE(Has("[FAX_ADDR]=1,3,Sato,SATO,09,,,,,,0"));
  EXPECT_TRUE(Has("[FAX_ADDR]=1,4,Ito,ITO,04,,,,,,0"));
  EXPECT_EQ(editor.Column(1), (Texts{"ABE", "ITO", "KITA", "SATO"}));
  EXPECT_FALSE(editor.Document().IsModified());
  EXPECT_TRUE(editor.Messages().empty());
  // The merged book is the new base: the next apply writes as is.
  ChangeFaxHere(4, "04-1");
  ASSERT_TRUE(editor.host.Choose(ID_FILE_APPLY));
  EXPECT_TRUE(Has("[FAX_ADDR]=1,4,Ito,ITO,04-1,,,,,,0"));
  EXPECT_TRUE(Has("[FAX_ADDR]=1,2,Abe,ABE,06-5,,,,,,0"));
}

TEST_F(SharedApplyTest, AConflictIsTheUsersChoiceAndCancelWritesNothing) {
  const std::string theirs = "[FAX_ADDR]=1,1,Kita,KITA,03-7,,,,,,0";
  struct Case {
    bool cancel;
    merge::Side side;
    std::string written;  // empty: the file as the other PC left it
  };
  for (const Case& c : {Case{false, merge::Side::kMine, "03-8"}, Case{false, merge::Side::kTheirs, "03-7"},
                        Case{true, merge::Side::kMine, ""}}) {
    SCOPED_TRACE(c.written);
    editor.files.SetFile(editor.DataFile(), Book({kKita, kAbe}));
    editor.View().Reload();
    editor.Document().SetConflictChooser(&chooser);
    ChangeFaxHere(1, "03-8");
    WrittenElsewhere({theirs, kAbe});
    chooser = FakeChooser();
    chooser.cancel = c.cancel;
    chooser.side = c.side;
    const bool applied = editor.Document().Apply();
    EXPECT_EQ(applied, !c.cancel);
    ASSERT_EQ(chooser.seen.size(), 1u);
    EXPECT_EQ(chooser.seen[0].Name(), "Kita");
    ASSERT_EQ(chooser.seen[0].fields.size(), 1u);
    EXPECT_EQ(chooser.seen[0].fields[0].mine, "03-8");
    EXPECT_EQ(chooser.seen[0].fields[0].theirs, "03-7");
    if (c.cancel) {
      EXPECT_EQ(File(), Book({theirs, kAbe}));
      EXPECT_TRUE(editor.Document().IsModified());
    } else {
      EXPECT_TRUE(Has("[FAX_ADDR]=1,1,Kita,KITA," + c.written + ",,,,,,0"));
      EXPECT_FALSE(editor.Document().IsModified());
    }
  }
}

TEST_F(SharedApplyTest, AFileWrittenAgainDuringTheMergeIsMergedAgainThreeTimesAtMost) {
  ChangeFaxHere(1, "03-8");
  int writes = 0;
  chooser.side = merge::Side::kMine;
  chooser.during = [&] {
    if (++writes > limit) return;
    WrittenElsewhere({"[FAX_ADDR]=1,1,Kita,KITA,03-" + std::to_string(writes) + "0,,,,,,0", kAbe});
  };
  limit = 1;
  WrittenElsewhere({"[FAX_ADDR]=1,1,Kita,KITA,03-7,,,,,,0", kAbe});
  ASSERT_TRUE(editor.Document().Apply());
  EXPECT_EQ(chooser.asked, 2);
  EXPECT_TRUE(Has("[FAX_ADDR]=1,1,Kita,KITA,03-8,,,,,,0"));

  ChangeFaxHere(1, "03-9");
  WrittenElsewhere({"[FAX_ADDR]=1,1,Kita,KITA,03-7,,,,,,0", kAbe});
  chooser.asked = 0;
  writes = 0;
  limit = 100;
  EXPECT_FALSE(editor.Document().Apply());
  EXPECT_EQ(chooser.asked, 3);
  EXPECT_EQ(editor.Messages().back(), "[61300] " + editor.DataFile());
  EXPECT_EQ(File(), Book({"[FAX_ADDR]=1,1,Kita,KITA,03-30,,,,,,0", kAbe}));
  EXPECT_TRUE(editor.Document().IsModified());
}

TEST_F(SharedApplyTest, AFileThatCannotBeReadAtApplyIsNotWrittenOver) {
  ChangeFaxHere(1, "03-8");
  WrittenElsewhere({kKita, kAbe, "[FAX_ADDR]=1,4,Ito,ITO,04,,,,,,0"});
  editor.files.FailReadAfter(editor.DataFile(), 10);
  EXPECT_FALSE(editor.Document().Apply());
  EXPECT_EQ(editor.Messages().back(), "[61296] " + editor.DataFile());
  EXPECT_EQ(File(), Book({kKita, kAbe, "[FAX_ADDR]=1,4,Ito,ITO,04,,,,,,0"}));
  EXPECT_TRUE(editor.Document().IsModified());
}

TEST_F(SharedApplyTest, AFileThatIsNoWholeBookIsNeitherMergedNorWrittenOver) {
  const std::string ito = "[FAX_ADDR]=1,4,Ito,ITO,04,,,,,,0";
  const std::string whole = Book({kKita, kAbe, ito});
  const std::pair<const char*, std::string> cases[] = {
      {"cut short", whole.substr(0, whole.size() - 12)},
      {"emptied", ""},
      {"written over by another program", "Name,Fax\r\nfoo,1\r\n"},
      {"holding a line no book holds", Book({kKita, "foo,1", kAbe})},
  };
  AddHere(3, "Sato", "SATO");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.first);
    editor.files.SetFile(editor.DataFile(), c.second);
    const std::size_t shown = editor.Messages().size();
    EXPECT_FALSE(editor.Document().Apply());
    ASSERT_EQ(editor.Messages().size(), shown + 1);
    EXPECT_EQ(editor.Messages().back(), "[61296] " + editor.DataFile());
    EXPECT_EQ(File(), c.second);
    EXPECT_EQ(chooser.asked, 0);
    EXPECT_TRUE(editor.Document().IsModified());
    EXPECT_EQ(editor.TheBook().Size(), 3);
  }
  // Once the file is a whole book again, apply merges as before.
  WrittenElsewhere({kKita, kAbe, ito});
  ASSERT_TRUE(editor.Document().Apply());
  EXPECT_TRUE(Has(ito));
  EXPECT_TRUE(Has("[FAX_ADDR]=1,3,Sato,SATO,09,,,,,,0"));
}

TEST_F(SharedApplyTest, AFileThatLostMostOfItsEntriesIsMergedOnlyWhenTheUserSaysSo) {
  struct Case {
    Texts theirs;
    int answer;     // 0: no question expected
    bool written;
  };
  const Case cases[] = {
      {{}, ui::kIdNo, false},                // every entry gone
      {{kAbe}, 0, true},                     // one of two: half is no mass removal
      {{}, ui::kIdYes, true},                // the user says they were deleted
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.theirs.size() * 10 + c.answer);
    editor.files.SetFile(editor.DataFile(), Book({kKita, kAbe}));
    editor.View().Reload();
    editor.Document().SetConflictChooser(&chooser);
    AddHere(3, "Sato", "SATO");
    WrittenElsewhere(c.theirs);
    if (c.answer != 0) editor.boxes.AnswerNext(c.answer);
    const std::size_t shown = editor.Messages().size();
    EXPECT_EQ(editor.Document().Apply(), c.written);
    if (c.answer != 0) {
      ASSERT_EQ(editor.Messages().size(), shown + 1);
      EXPECT_EQ(editor.Messages().back(), "[61316] " + editor.DataFile() + " 2 2");
    } else {
      EXPECT_EQ(editor.Messages().size(), shown);
    }
    if (!c.written) {
      EXPECT_EQ(File(), Book(c.theirs));
      EXPECT_TRUE(editor.Document().IsModified());
    } else {
      EXPECT_TRUE(Has("[FAX_ADDR]=1,3,Sato,SATO,09,,,,,,0"));
      EXPECT_FALSE(Has(kKita));
    }
  }
}

TEST_F(SharedApplyTest, UndoAfterAMergeNeverTakesBackTheOtherPCsWork) {
  // B adds YANKEE and applies; A adds XRAY and applies (merged).
  AddHere(5, "Xray", "XRAY");
  WrittenElsewhere({kKita, kAbe, "[FAX_ADDR]=1,6,Yankee,YANKEE,06,,,,,,0"});
  ASSERT_TRUE(editor.host.Choose(ID_FILE_APPLY));
  EXPECT_TRUE(Has("[FAX_ADDR]=1,6,Yankee,YANKEE,06,,,,,,0"));
  EXPECT_TRUE(Has("[FAX_ADDR]=1,5,Xray,XRAY,09,,,,,,0"));
  // Nothing before the merge can be undone, and the undo item says why.
  const ui::CommandState undo = editor.host.State(ID_EDIT_UNDO);
  EXPECT_FALSE(undo.enabled);
  EXPECT_EQ(undo.prompt, "[61318]");
  EXPECT_FALSE(editor.host.Choose(ID_EDIT_UNDO));
  // A change made after it is undone alone; YANKEE stays through the next
  // apply.
  ChangeFaxHere(1, "03-9");
  EXPECT_TRUE(editor.host.State(ID_EDIT_UNDO).prompt.empty());
  ASSERT_TRUE(editor.host.Choose(ID_EDIT_UNDO));
  EXPECT_FALSE(editor.host.State(ID_EDIT_UNDO).enabled);
  EXPECT_FALSE(editor.Document().IsModified());
  AddHere(7, "Zulu", "ZULU");
  ASSERT_TRUE(editor.host.Choose(ID_FILE_APPLY));
  EXPECT_TRUE(Has("[FAX_ADDR]=1,6,Yankee,YANKEE,06,,,,,,0"));
  EXPECT_TRUE(Has("[FAX_ADDR]=1,5,Xray,XRAY,09,,,,,,0"));
  EXPECT_TRUE(Has(kKita));
  // Opening the book anew starts a history of its own, with the usual prompt.
  editor.View().Reload();
  EXPECT_TRUE(editor.host.State(ID_EDIT_UNDO).prompt.empty());
}

TEST_F(SharedApplyTest, TheSelectionIsKeptByRegistrationNumberThroughAMerge) {
  editor.View().SelectOnly(editor.TheBook().WithRegNo(1));
  ChangeFaxHere(2, "03-5");
  WrittenElsewhere({"[FAX_ADDR]=1,4,Aoki,AOKI,04,,,,,,0", kKita, kAbe});
  ASSERT_TRUE(editor.host.Choose(ID_FILE_APPLY));
  const std::vector<store::EntryId> selected = editor.View().Selected();
  ASSERT_EQ(selected.size(), 1u);
  EXPECT_EQ(editor.TheBook().Find(selected[0])->regNo, 1);
}

}  // namespace

namespace {

// The real conflict dialog, driven as the user would.
class ConflictDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    editor.files.SetFile(editor.DataFile(), Book({kKita, kAbe}));
    ASSERT_TRUE(editor.Start());
    Change(1, "03-8");
    Change(2, "03-9");
    editor.files.SetFile(editor.DataFile(), Book({"[FAX_ADDR]=1,1,Kita,KITA,03-7,,,,,,0",
                                                  "[FAX_ADDR]=1,2,Abe,ABE,03-6,,,,,,0"}));
  }
  void Change(int regNo, const std::string& fax) {
    store::Book& book = editor.TheBook();
    const store::EntryId id = book.WithRegNo(regNo);
    store::EntryTexts texts = *book.Find(id);
    texts.faxNumber = fax;
    store::BookStep step(book);
    book.Change(id, texts);
  }
  const std::string& File() { return *editor.files.File(editor.DataFile()); }
  EditorHarness editor;
};

TEST_F(ConflictDialogTest, EachEntryOrAllTakeOneSideAndOkWaitsForEveryEntry) {
  bool shown = false;
  editor.dialogs.OnNextDialog(IDD_MERGE_CONFLICT, [&](ui::FakeDialog& d) {
    shown = true;
    ui::FakeListControl& list = d.FakeList(IDC_CONFLICT_LIST);
    ASSERT_EQ(list.ItemCount(), 2);
    EXPECT_EQ(list.ItemText(0, 0), "Abe");  // the file's order: by reading
    EXPECT_EQ(list.ItemText(0, 2), "03-6");
    EXPECT_EQ(list.ItemText(0, 3), "03-9");
    EXPECT_EQ(list.ItemText(1, 0), "Kita");
    EXPECT_FALSE(d.IsItemEnabled(ui::kIdOk));
    list.SelectOnly({1});
    d.Click(IDC_KEEP_THEIRS);
    EXPECT_EQ(list.ItemText(1, 4), "[61308]");
    EXPECT_FALSE(d.IsItemEnabled(ui::kIdOk));
    list.SelectOnly({0});
    d.Click(IDC_KEEP_MINE);
    EXPECT_EQ(list.ItemText(0, 4), "[61307]");
    ASSERT_TRUE(d.IsItemEnabled(ui::kIdOk));
    d.PressF1();
    d.Click(ui::kIdOk);
  });
  ASSERT_TRUE(editor.Document().Apply());
  EXPECT_TRUE(shown);
  EXPECT_NE(File().find("[FAX_ADDR]=1,1,Kita,KITA,03-7,"), std::string::npos);
  EXPECT_NE(File().find("[FAX_ADDR]=1,2,Abe,ABE,03-9,"), std::string::npos);
  ASSERT_FALSE(editor.help.calls.empty());
  EXPECT_EQ(editor.help.calls.back().topic, 0x20000ul + IDD_MERGE_CONFLICT);

  // The same with every entry at once; Escape writes nothing.
  Change(1, "03-1");
  editor.files.SetFile(editor.DataFile(), Book({"[FAX_ADDR]=1,1,Kita,KITA,03-2,,,,,,0", kAbe}));
  editor.dialogs.OnNextDialog(IDD_MERGE_CONFLICT, [](ui::FakeDialog& d) {
    d.Click(IDC_KEEP_ALL_THEIRS);
    d.PressEscape();
  });
  EXPECT_FALSE(editor.Document().Apply());
  EXPECT_EQ(File(), Book({"[FAX_ADDR]=1,1,Kita,KITA,03-2,,,,,,0", kAbe}));
  EXPECT_TRUE(editor.Document().IsModified());
  editor.dialogs.OnNextDialog(IDD_MERGE_CONFLICT, [](ui::FakeDialog& d) {
    d.Click(IDC_KEEP_ALL_THEIRS);
    d.Click(ui::kIdOk);
  });
  EXPECT_TRUE(editor.Document().Apply());
  EXPECT_NE(File().find("[FAX_ADDR]=1,1,Kita,KITA,03-2,"), std::string::npos);
}

TEST(ConflictDialogRowsTest, AMembersFieldAndAnAddressRemovedButUsedSayWhatDiffers) {
  const std::string team = "[FAX_ADDR]=3,9,Team,TEAM,";
  const std::string abeInTeam = "[FAX_ADDR_GM]=4,9,Abe,ABE,03-2,,,,,,0";
  EditorHarness editor;
  editor.files.SetFile(editor.DataFile(), Book({kKita, kAbe, "", team, abeInTeam}));
  ASSERT_TRUE(editor.Start());
  store::Book& book = editor.TheBook();
  {
    store::BookStep step(book);
    book.Remove(book.WithRegNo(1));  // Kita, here
    const store::EntryId abe = book.WithRegNo(2);
    store::EntryTexts texts = *book.Find(abe);
    texts.faxNumber = "03-8";
    book.Change(abe, texts);  // its copy in Team follows
  }
  // Meanwhile on another PC: Kita made a member of a new group, Abe's fax
  // changed otherwise.
  editor.files.SetFile(editor.DataFile(),
                       Book({kKita, "[FAX_ADDR]=1,2,Abe,ABE,03-7,,,,,,0", "", team,
                             "[FAX_ADDR_GM]=4,9,Abe,ABE,03-7,,,,,,0", "",
                             "[FAX_ADDR]=3,8,Sales,SALES,", "[FAX_ADDR_GM]=4,8,Kita,KITA,03-1,,,,,,0"}));
  bool shown = false;
  editor.dialogs.OnNextDialog(IDD_MERGE_CONFLICT, [&](ui::FakeDialog& d) {
    shown = true;
    ui::FakeListControl& list = d.FakeList(IDC_CONFLICT_LIST);
    std::vector<std::vector<std::string>> rows;
    for (int row = 0; row < list.ItemCount(); ++row) {
      rows.push_back({list.ItemText(row, 0), list.ItemText(row, 1), list.ItemText(row, 2),
                      list.ItemText(row, 3)});
    }
    // The group's row names the member and its field: never two equal
    // lists of members to choose between.
    const std::vector<std::vector<std::string>> expected = {
        {"Team", "[61321] ABE [61219]", "03-7", "03-8"},
        {"Abe", "[61219]", "03-7", "03-8"},
        {"Kita", "[61323]", "Sales", "[61309]"},
    };
    ASSERT_EQ(rows, expected);
    list.SelectOnly({2});
    d.Click(IDC_KEEP_MINE);
    EXPECT_EQ(list.ItemText(2, 4), "[61324]");  // remove everywhere
    d.Click(IDC_KEEP_THEIRS);
    EXPECT_EQ(list.ItemText(2, 4), "[61325]");  // keep the address
    d.Click(IDC_KEEP_MINE);
    list.SelectOnly({0, 1});
    d.Click(IDC_KEEP_THEIRS);
    d.Click(ui::kIdOk);
  });
  ASSERT_TRUE(editor.Document().Apply());
  EXPECT_TRUE(shown);
  EXPECT_EQ(*editor.files.File(editor.DataFile()),
            Book({"[FAX_ADDR]=1,2,Abe,ABE,03-7,,,,,,0", "", team,
                  "[FAX_ADDR_GM]=4,9,Abe,ABE,03-7,,,,,,0"}));
}

}  // namespace

namespace {

TEST(ActivationTest, AnUnmodifiedBookFollowsTheFileAndAModifiedOneSaysItWillBeMerged) {
  EditorHarness editor;
  editor.files.SetFile(editor.DataFile(), Book({kKita, kAbe}));
  ASSERT_TRUE(editor.Start());
  editor.List().ClickHeader(2);  // by fax number
  editor.List().ClickHeader(2);  // descending
  editor.View().SelectOnly(editor.TheBook().WithRegNo(1));

  // Unchanged: nothing is read again.
  const std::uint64_t revision = editor.TheBook().Revision();
  editor.host.ActivateApp();
  EXPECT_EQ(editor.TheBook().Revision(), revision);

  editor.files.SetFile(editor.DataFile(),
                       Book({kKita, kAbe, "[FAX_ADDR]=1,3,Ito,ITO,03-3,,,,,,0"}));
  editor.host.ActivateApp();
  EXPECT_EQ(editor.Column(1), (Texts{"ITO", "ABE", "KITA"}));
  EXPECT_EQ(editor.View().SortColumn(), 2);
  EXPECT_FALSE(editor.View().SortAscending());
  const std::vector<store::EntryId> selected = editor.View().Selected();
  ASSERT_EQ(selected.size(), 1u);
  EXPECT_EQ(editor.TheBook().Find(selected[0])->regNo, 1);
  EXPECT_FALSE(editor.Document().IsModified());
  EXPECT_TRUE(editor.Messages().empty());

  // Modified: the book stays, the message pane says what apply will do.
  store::AddressRecord r;
  r.regNo = 4;
  r.dispName = "Sato";
  r.dispNameJP = "SATO";
  {
    store::BookStep step(editor.TheBook());
    editor.TheBook().Add(r);
  }
  editor.files.SetFile(editor.DataFile(), Book({kKita, kAbe}));
  editor.host.ActivateApp();
  EXPECT_EQ(editor.TheBook().Size(), 4);
  EXPECT_EQ(editor.host.PaneText(0), "[61301]");
  ASSERT_TRUE(editor.Document().Apply());
  EXPECT_EQ(*editor.files.File(editor.DataFile()),
            Book({"[FAX_ADDR]=1,2,Abe,ABE,03-2,,,,,,0", kKita, "[FAX_ADDR]=1,4,Sato,SATO,,,,,,,0"}));
}

TEST(ActivationTest, AFileThatIsNoWholeBookIsNotReadAgain) {
  EditorHarness editor;
  editor.files.SetFile(editor.DataFile(), Book({kKita, kAbe}));
  ASSERT_TRUE(editor.Start());
  const std::string whole = Book({kKita, kAbe, "[FAX_ADDR]=1,3,Ito,ITO,03-3,,,,,,0"});
  for (const std::string& damaged :
       {whole.substr(0, whole.size() - 5), std::string(), std::string("Name,Fax\r\nfoo,1\r\n")}) {
    editor.files.SetFile(editor.DataFile(), damaged);
    editor.host.ActivateApp();
    EXPECT_EQ(editor.Column(1), (Texts{"ABE", "KITA"}));
    EXPECT_EQ(editor.host.PaneText(0), "[61317]");
    EXPECT_TRUE(editor.Messages().empty());
  }
  editor.files.SetFile(editor.DataFile(), whole);
  editor.host.ActivateApp();
  EXPECT_EQ(editor.Column(1), (Texts{"ABE", "ITO", "KITA"}));
  // Read in from elsewhere: the history ends there too.
  EXPECT_EQ(editor.host.State(ID_EDIT_UNDO).prompt, "[61318]");
}

}  // namespace
