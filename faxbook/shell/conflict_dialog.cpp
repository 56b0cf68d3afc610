#include "faxbook/shell/conflict_dialog.h"

#include "faxbook/res/conflict_resource.h"
#include "faxbook/res/resource.h"

namespace {

constexpr int kColumnWidth = 110;

}  // namespace

CConflictDialog::CConflictDialog(ui::Resources& strings,
                                 const std::vector<merge::Conflict>& conflicts)
    : Dialog(IDD_MERGE_CONFLICT), strings_(strings), conflicts_(conflicts) {
  decided_.assign(conflicts.size(), -1);
}

std::string CConflictDialog::RowLabel(const merge::FieldDifference& f) const {
  if (f.member.empty()) return FieldLabel(f.field);
  if (f.field == "Members") return ui::FormatText(strings_.String(IDS_FIELD_MEMBER), f.member);
  return ui::FormatText(strings_.String(IDS_FIELD_MEMBER_FIELD),
                        std::vector<std::string>{f.member, FieldLabel(f.field)});
}

std::string CConflictDialog::ValueText(const merge::Conflict& conflict,
                                       const merge::FieldDifference& f, merge::Side side) const {
  const bool mine = side == merge::Side::kMine;
  const std::string& value = mine ? f.mine : f.theirs;
  const bool present = mine ? conflict.mine.present : conflict.theirs.present;
  if ((f.field == "Entry" || f.field == "Used") && !present) {
    return strings_.String(IDS_CONFLICT_REMOVED);
  }
  // A member on one side only.
  if (!f.member.empty() && f.field == "Members" && value.empty()) {
    return strings_.String(IDS_CONFLICT_ABSENT);
  }
  return value;
}

std::string CConflictDialog::FieldLabel(const std::string& field) const {
  struct Label {
    const char* field;
    int id;
  };
  static const Label kLabels[] = {
      {"DispName", IDS_COLUMN_NAME},         {"DispNameJP", IDS_COLUMN_READING},
      {"FaxNumber", IDS_COLUMN_FAX},         {"SubAddress", IDS_FIELD_SUB_ADDRESS},
      {"Password", IDS_FIELD_PASSWORD},      {"CompanyName", IDS_COLUMN_COMPANY},
      {"DepartmentName", IDS_COLUMN_DEPARTMENT}, {"ClientName", IDS_COLUMN_RECIPIENT},
      {"Respect", IDS_FIELD_RESPECT},        {"Members", IDS_FIELD_MEMBERS},
      {"Kind", IDS_FIELD_KIND},              {"Entry", IDS_FIELD_ENTRY},
      {"Used", IDS_FIELD_USED},
  };
  for (const Label& label : kLabels) {
    if (field == label.field) return strings_.String(label.id);
  }
  return field;
}

void CConflictDialog::OnInit() {
  ui::ListControl* list = List(IDC_CONFLICT_LIST);
  if (!list) return;
  list->SetFullRowSelect(true);
  list->SetSingleSelection(false);
  // The columns share the list's width (a few pixels kept for the border).
  const int width = list->ClientWidth() > 5 * kColumnWidth ? (list->ClientWidth() - 4) / 5
                                                           : kColumnWidth;
  for (int id : {IDS_CONFLICT_COLUMN_ENTRY, IDS_CONFLICT_COLUMN_FIELD, IDS_CONFLICT_COLUMN_THEIRS,
                 IDS_CONFLICT_COLUMN_MINE, IDS_CONFLICT_COLUMN_KEPT}) {
    list->AddColumn(strings_.String(id), width);
  }
  for (std::size_t c = 0; c < conflicts_.size(); ++c) {
    const merge::Conflict& conflict = conflicts_[c];
    bool first = true;
    for (const merge::FieldDifference& f : conflict.fields) {
      const int row = list->ItemCount();
      list->InsertItem(row, first ? conflict.Name() : std::string(), -1,
                       static_cast<ui::ItemData>(c));
      list->SetItemText(row, 1, RowLabel(f));
      list->SetItemText(row, 2, ValueText(conflict, f, merge::Side::kTheirs));
      list->SetItemText(row, 3, ValueText(conflict, f, merge::Side::kMine));
      rowConflict_.push_back(static_cast<int>(c));
      firstRow_.push_back(first);
      first = false;
    }
  }
  if (list->ItemCount() > 0) {
    list->SetSelected(0, true);
    list->SetFocusedRow(0);
  }
  ShowChoices();
}

std::vector<int> CConflictDialog::SelectedConflicts() {
  std::vector<int> out;
  ui::ListControl* list = List(IDC_CONFLICT_LIST);
  if (!list) return out;
  for (int row = list->NextSelected(-1); row >= 0; row = list->NextSelected(row)) {
    if (row >= static_cast<int>(rowConflict_.size())) break;
    const int c = rowConflict_[static_cast<std::size_t>(row)];
    if (out.empty() || out.back() != c) out.push_back(c);
  }
  return out;
}

void CConflictDialog::Keep(const std::vector<int>& conflicts, merge::Side side) {
  for (int c : conflicts) decided_[static_cast<std::size_t>(c)] = static_cast<int>(side);
  ShowChoices();
}

void CConflictDialog::ShowChoices() {
  ui::ListControl* list = List(IDC_CONFLICT_LIST);
  bool all = true;
  for (std::size_t row = 0; list && row < rowConflict_.size(); ++row) {
    const int d = decided_[static_cast<std::size_t>(rowConflict_[row])];
    std::string text;
    if (firstRow_[row] && d >= 0) {
      const merge::Conflict& conflict = conflicts_[static_cast<std::size_t>(rowConflict_[row])];
      const merge::Side side = static_cast<merge::Side>(d);
      int id = side == merge::Side::kMine ? IDS_CONFLICT_MINE : IDS_CONFLICT_THEIRS;
      // Of an address removed on one side and used on the other, the kept
      // column says what the choice does.
      if (conflict.removedButUsed) {
        id = side == conflict.removedBy ? IDS_CONFLICT_REMOVE_EVERYWHERE : IDS_CONFLICT_KEEP_ADDRESS;
      }
      text = strings_.String(id);
    }
    list->SetItemText(static_cast<int>(row), 4, text);
  }
  for (int d : decided_) all = all && d >= 0;
  EnableItem(ui::kIdOk, all);
  const bool any = !SelectedConflicts().empty();
  EnableItem(IDC_KEEP_MINE, any);
  EnableItem(IDC_KEEP_THEIRS, any);
}

void CConflictDialog::OnCommand(int id, int code) {
  if (code != ui::kClicked) return;
  std::vector<int> every;
  for (std::size_t c = 0; c < conflicts_.size(); ++c) every.push_back(static_cast<int>(c));
  switch (id) {
    case IDC_KEEP_MINE: Keep(SelectedConflicts(), merge::Side::kMine); break;
    case IDC_KEEP_THEIRS: Keep(SelectedConflicts(), merge::Side::kTheirs); break;
    case IDC_KEEP_ALL_MINE: Keep(every, merge::Side::kMine); break;
    case IDC_KEEP_ALL_THEIRS: Keep(every, merge::Side::kTheirs); break;
    default: Dialog::OnCommand(id, code);
  }
}

void CConflictDialog::OnListEvent(int listId, const ui::ListEvent& event) {
  if (listId != IDC_CONFLICT_LIST) return;
  if (event.kind == ui::ListEventKind::kSelectionChanged) ShowChoices();
}

void CConflictDialog::OnOK() {
  for (int d : decided_) {
    if (d < 0) return;  // OK stays grey until then
  }
  choices.clear();
  for (int d : decided_) choices.push_back(static_cast<merge::Side>(d));
  End(ui::kIdOk);
}

bool CConflictChooser::Choose(const std::vector<merge::Conflict>& conflicts,
                              std::vector<merge::Side>* choices) {
  CConflictDialog dialog(strings_, conflicts);
  if (runner_.RunModal(dialog) != ui::kIdOk) return false;
  *choices = dialog.choices;
  return true;
}
