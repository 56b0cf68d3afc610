// Undo and redo of every command that changes the book, through the menu as
// the user reaches it: the book given back whole (entries, registration
// numbers, groups and the order of their members), the rows it changed
// selected, the modified state and the menu items following, and apply
// keeping the history.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>

#include "faxbook/res/csv_import_resource.h"
#include "store/address_record.h"
#include "tests/support/bulk_harness.h"
#include "tests/support/fed_file.h"

namespace {

using Texts = std::vector<std::string>;

// Minami comes before Kita in the group, against the reading order: undo
// must keep the order the members had.
const Texts kBook = {
    "[FAX_ADDR]=1,1,Kita,KITA,03-1,11,22,Acme,Sales,Desk,2",
    "[FAX_ADDR]=1,2,Minami,MINAMI,06-3,,,acme,Sales,Clerk,2",
    "[FAX_ADDR]=1,3,Higashi,HIGASHI,07-1,,,Other,,,0",
    "[FAX_ADDR]=3,4,All,ALL,",
    "[FAX_ADDR_GM]=4,4,Minami,MINAMI,06-3,,,acme,Sales,Clerk,2",
    "[FAX_ADDR_GM]=4,4,Kita,KITA,03-1,11,22,Acme,Sales,Desk,2",
    "[FAX_ADDR]=3,5,Solo,SOLO,",
    "[FAX_ADDR_GM]=4,5,Higashi,HIGASHI,07-1,,,Other,,,0",
};
constexpr char kOther[] = "C:\\Books\\other.fdt";
constexpr char kDevice[] = "C:\\Books\\machine.fed";
constexpr char kCsv[] = "C:\\Books\\list.csv";
constexpr char kCheck[] = "C:\\Books\\check.fdt";

// Everything the book holds, as text: each entry by registration number
// with its kind and every field, a group followed by its members in their
// order; then the bytes apply would write.
std::string Snapshot(BulkHarness& editor) {
  const store::Book& book = editor.TheBook();
  std::map<int, std::string> entries;
  for (int i = 0; i < book.Size(); ++i) {
    const store::AddressRecord& r = book.RecordAt(i);
    std::string line = std::to_string(r.kind) + "|";
    for (const store::TextField& field : store::kTextFields) line += r.*field.member + "|";
    line += std::to_string(r.respect) + "\n";
    if (book.IsGroup(book.IdAt(i))) {
      std::vector<store::MemberEntry> members;
      book.Groups().CopyMembers(r.regNo, store::kMaxMembers, &members);
      for (const store::MemberEntry& m : members) {
        line += "  member";
        for (const store::TextField& field : store::kTextFields) line += "|" + m.*field.member;
        line += "|" + std::to_string(m.respect) + "\n";
      }
    }
    entries[r.regNo] += line;
  }
  std::string out;
  for (const auto& e : entries) out += std::to_string(e.first) + ": " + e.second;
  EXPECT_TRUE(editor.Document().SaveBook(kCheck));
  return out + "--- written:\n" + *editor.files.File(kCheck);
}

Texts SelectedReadings(BulkHarness& editor) {
  Texts out;
  for (int row = editor.List().NextSelected(-1); row >= 0; row = editor.List().NextSelected(row)) {
    out.push_back(editor.List().ItemText(row, 1));
  }
  std::sort(out.begin(), out.end());
  return out;
}

class UndoHarness : public BulkHarness {
 public:
  // The book as it is now, kept as the state after a step.
  void Mark() { states.push_back(Snapshot(*this)); }
  std::vector<std::string> states;
};

void EditAddress(UndoHarness& e, const std::string& reading,
                 const std::function<void(ui::FakeDialog&)>& change) {
  e.Select({reading});
  e.dialogs.OnNextDialog(IDD_ADDRESS, [change](ui::FakeDialog& d) {
    change(d);
    d.Click(ui::kIdOk);
  });
  e.Command(IDC_EDIT_BUTTON);
}

void Delete(UndoHarness& e, const std::string& reading) {
  e.Select({reading});
  e.boxes.AnswerNext(ui::kIdOk);
  e.Command(IDC_DELETE_BUTTON);
}

// The CSV import with the proposed mapping; in the confirmation the rows
// of each list of readings are added by one press of Add, the state marked
// after each.
void ImportCsv(UndoHarness& e, const std::vector<Texts>& adds) {
  std::string csv = "Name,Reading,Fax,Sub,Password,Company,Department,Recipient\r\n";
  csv += "Nishi,NISHI,09-1,,,West,,\r\nChuo,CHUO,09-2,,,,,\r\nKita,KITA,09-3,,,,,\r\n";
  e.files.SetFile(kCsv, csv);
  e.dialogs.OnNextDialog(IDD_CSV_FIELD_MAP, [](ui::FakeDialog& d) { d.Click(ui::kIdOk); });
  e.dialogs.OnNextDialog(IDD_IMPORT_CONFIRM, [&e, adds](ui::FakeDialog& d) {
    ui::FakeListControl& list = d.FakeList(IDC_CONFIRM_LIST);
    for (std::size_t i = 0; i < adds.size(); ++i) {
      std::vector<int> rows;
      for (const std::string& reading : adds[i]) {
        for (int r = 0; r < list.ItemCount(); ++r) {
          if (list.ItemText(r, 2) == reading) rows.push_back(r);
        }
      }
      list.SelectOnly(rows);
      d.Click(IDC_CONFIRM_ADD);
      if (i + 1 < adds.size()) e.Mark();
    }
    d.Click(ui::kIdOk);
  });
  e.fileDialogs.ChooseNext(kCsv);
  e.Command(ID_IMPORT_CSV);
}

struct Case {
  const char* what;
  std::function<void(UndoHarness&)> command;
  Texts selectedByUndo;  // after undoing the last step
  Texts selectedByRedo;  // after doing it again
};

const Case kCases[] = {
    {"a new address",
     [](UndoHarness& e) {
       e.dialogs.OnNextDialog(IDD_ADDRESS, [](ui::FakeDialog& d) {
         FillAddress(d, "Nishi", "NISHI", "09-1");
         d.Click(ui::kIdOk);
       });
       e.Command(ID_NEW_ADDRESS);
     },
     {},
     {"NISHI"}},
    {"an address's fax number, which its groups' copies take",
     [](UndoHarness& e) {
       EditAddress(e, "KITA", [](ui::FakeDialog& d) { d.Type(IDC_FAX_NUMBER, "03-9"); });
     },
     {"KITA"},
     {"KITA"}},
    {"an address's reading, by which its groups find their copies",
     [](UndoHarness& e) {
       EditAddress(e, "MINAMI", [](ui::FakeDialog& d) { d.Type(IDC_READING, "NAN"); });
     },
     {"MINAMI"},
     {"NAN"}},
    {"a deleted address, whose only group goes with it",
     [](UndoHarness& e) { Delete(e, "HIGASHI"); },
     {"HIGASHI", "SOLO"},
     {}},
    {"a deleted group", [](UndoHarness& e) { Delete(e, "ALL"); }, {"ALL"}, {}},
    {"a pasted address",
     [](UndoHarness& e) {
       e.Select({"KITA"});
       e.Command(ID_EDIT_COPY);
       e.dialogs.OnNextDialog(IDD_ADDRESS, [](ui::FakeDialog& d) { d.Click(ui::kIdOk); });
       e.Command(ID_EDIT_PASTE);
     },
     {},
     {"KITA(1)"}},
    {"a new group with members",
     [](UndoHarness& e) {
       e.dialogs.OnNextDialog(IDD_GROUP, [&e](ui::FakeDialog& d) {
         d.Type(IDC_DISP_NAME, "East");
         d.Type(IDC_READING, "EAST");
         e.dialogs.OnNextDialog(IDD_MEMBER_SELECT, [](ui::FakeDialog& s) {
           s.FakeList(IDC_AVAILABLE_LIST).SelectOnly({0, 2});
           s.Click(IDC_MOVE_IN);
           s.Click(ui::kIdOk);
         });
         d.Click(IDC_ADD_MEMBERS);
         d.Click(ui::kIdOk);
       });
       e.Command(ID_NEW_GROUP);
     },
     {},
     {"EAST"}},
    {"a group's OK with a member taken out and its name changed",
     [](UndoHarness& e) {
       e.Select({"ALL"});
       e.dialogs.OnNextDialog(IDD_GROUP, [](ui::FakeDialog& d) {
         d.Type(IDC_DISP_NAME, "Everyone");
         d.FakeList(IDC_MEMBER_LIST).SelectOnly({0});
         d.Click(IDC_REMOVE_MEMBERS);
         d.Click(ui::kIdOk);
       });
       e.Command(IDC_EDIT_BUTTON);
     },
     {"ALL"},
     {"ALL"}},
    {"two presses of Add in the CSV import's confirmation",
     [](UndoHarness& e) { ImportCsv(e, {{"NISHI"}, {"CHUO", "KITA"}}); },
     {},
     {"CHUO", "KITA(1)"}},
    {"an address book import",
     [](UndoHarness& e) {
       e.files.SetFile(kOther, Book({"[FAX_ADDR]=1,7,Nishi,NISHI,09-1,,,,,,0",
                                     "[FAX_ADDR]=3,8,Pair,PAIR,",
                                     "[FAX_ADDR_GM]=4,8,Nishi,NISHI,09-1,,,,,,0"}));
       e.fileDialogs.ChooseNext(kOther);
       e.Command(ID_FILE_IMPORT_BOOK);
     },
     {},
     {}},
    {"a device file import",
     [](UndoHarness& e) {
       e.files.SetFile(kDevice, fedfile::Destinations(3));
       e.fileDialogs.ChooseNext(kDevice);
       e.Command(ID_IMPORT_QUORVEX);
     },
     {},
     {}},
    {"a multi-address edit of the company",
     [](UndoHarness& e) {
       e.Select({"KITA", "MINAMI", "HIGASHI"});
       e.dialogs.OnNextDialog(IDD_MULTI_EDIT, [](ui::FakeDialog& d) {
         Tick(d, IDC_TICK_COMPANY);
         d.Type(IDC_COMPANY, "One Co.");
         d.Click(ui::kIdOk);
       });
       e.Command(IDC_EDIT_BUTTON);
     },
     {"HIGASHI", "KITA", "MINAMI"},
     {"HIGASHI", "KITA", "MINAMI"}},
    {"a replace in the readings of every entry",
     [](UndoHarness& e) {
       e.Select({"KITA", "MINAMI", "HIGASHI", "ALL", "SOLO"});
       e.dialogs.OnNextDialog(IDD_REPLACE, [](ui::FakeDialog& d) {
         Tick(d, IDC_TICK_READING);
         d.Type(IDC_READING, "I");
         d.Type(IDC_NEW_READING, "Y");
         d.Click(ui::kIdOk);
       });
       e.Command(ID_EDIT_REPLACE);
     },
     {"HIGASHI", "KITA", "MINAMI"},
     {"HYGASHY", "KYTA", "MYNAMY"}},
};

TEST(UndoEveryCommand, GivesBackTheBookWholeSelectsWhatChangedAndRedoesIt) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.what);
    UndoHarness editor;
    editor.StartWith(kBook);
    ASSERT_FALSE(editor.host.State(ID_EDIT_UNDO).enabled);
    ASSERT_FALSE(editor.host.State(ID_EDIT_REDO).enabled);
    editor.Mark();
    c.command(editor);
    ASSERT_TRUE(editor.dialogs.Problems().empty()) << editor.dialogs.Problems()[0];
    ASSERT_EQ(editor.dialogs.PendingScripts(), 0);
    editor.Mark();
    const std::size_t steps = editor.states.size() - 1;
    for (std::size_t s = 0; s < steps; ++s) {
      ASSERT_NE(editor.states[s], editor.states[s + 1]) << "step " << s << " changed nothing";
    }
    EXPECT_TRUE(editor.Document().IsModified());
    EXPECT_TRUE(editor.host.State(ID_EDIT_UNDO).enabled);
    EXPECT_FALSE(editor.host.State(ID_EDIT_REDO).enabled);
    EXPECT_FALSE(editor.host.Choose(ID_EDIT_REDO)) << "nothing to redo";

    // Undone step by step back to the book as loaded.
    for (std::size_t s = steps; s-- > 0;) {
      ASSERT_TRUE(editor.host.Choose(ID_EDIT_UNDO)) << "step " << s;
      EXPECT_EQ(Snapshot(editor), editor.states[s]) << "undoing step " << s;
      if (s + 1 == steps) EXPECT_EQ(SelectedReadings(editor), c.selectedByUndo);
      EXPECT_EQ(editor.Document().IsModified(), s != 0);
      EXPECT_EQ(editor.host.State(ID_FILE_APPLY).enabled, s != 0);
    }
    EXPECT_FALSE(editor.host.State(ID_EDIT_UNDO).enabled);
    EXPECT_FALSE(editor.host.Choose(ID_EDIT_UNDO)) << "nothing to undo";
    EXPECT_TRUE(editor.host.State(ID_EDIT_REDO).enabled);
    EXPECT_EQ(editor.CountPane(), std::to_string(editor.List().ItemCount()));

    // Done again step by step.
    for (std::size_t s = 1; s <= steps; ++s) {
      ASSERT_TRUE(editor.host.Choose(ID_EDIT_REDO)) << "step " << s;
      EXPECT_EQ(Snapshot(editor), editor.states[s]) << "redoing step " << s;
      EXPECT_TRUE(editor.Document().IsModified());
    }
    EXPECT_EQ(SelectedReadings(editor), c.selectedByRedo);
    EXPECT_FALSE(editor.host.State(ID_EDIT_REDO).enabled);

    // Apply keeps the history: undone after it, the book differs from the
    // file; applied again, the file is the book as it was loaded, in the
    // form apply writes.
    ASSERT_TRUE(editor.host.Choose(ID_FILE_APPLY));
    EXPECT_FALSE(editor.Document().IsModified());
    EXPECT_TRUE(editor.host.State(ID_EDIT_UNDO).enabled);
    for (std::size_t s = steps; s-- > 0;) ASSERT_TRUE(editor.host.Choose(ID_EDIT_UNDO));
    EXPECT_TRUE(editor.Document().IsModified());
    EXPECT_TRUE(editor.host.State(ID_FILE_APPLY).enabled);
    for (std::size_t s = 1; s <= steps; ++s) ASSERT_TRUE(editor.host.Choose(ID_EDIT_REDO));
    EXPECT_FALSE(editor.Document().IsModified()) << "redone to what was applied";
    for (std::size_t s = steps; s-- > 0;) ASSERT_TRUE(editor.host.Choose(ID_EDIT_UNDO));
    ASSERT_TRUE(editor.host.Choose(ID_FILE_APPLY));
    const std::string& states0 = editor.states[0];
    EXPECT_EQ(*editor.files.File(editor.DataFile()),
              states0.substr(states0.find("--- written:\n") + 13));
  }
}

}  // namespace
