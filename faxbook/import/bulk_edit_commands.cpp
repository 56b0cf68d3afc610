#include "faxbook/import/bulk_edit_commands.h"

#include "faxbook/import/multi_edit_dialog.h"
#include "faxbook/import/replace_dialog.h"
#include "faxbook/res/resource.h"

namespace {
constexpr int kImageGroup = 1;
}  // namespace

CBulkEditCommands::CBulkEditCommands(ViewServices& view, const EditorServices& services)
    : view_(view), services_(services) {}

bool CBulkEditCommands::OnCommand(int id) {
  switch (id) {
    case kCmdEditSeveral:
      EditSeveral();
      return true;
    case ID_EDIT_REPLACE:
      Replace();
      return true;
    default:
      return false;
  }
}

editing::TextRules CBulkEditCommands::Rules() const { return {view_.LangId(), view_.CodePage()}; }

std::vector<CBulkEditCommands::Selected> CBulkEditCommands::Selection() const {
  std::vector<Selected> selection;
  ui::ListControl* list = view_.List();
  for (int row = list->NextSelected(-1); row >= 0; row = list->NextSelected(row)) {
    int rowId = 0;
    if (!view_.RowId(row, &rowId) || !view_.FindRecord(rowId)) continue;
    selection.push_back({row, rowId, list->ItemImage(row) == kImageGroup});
  }
  return selection;
}

bool CBulkEditCommands::GroupsOnly(const std::vector<Selected>& selection) const {
  for (const Selected& s : selection) {
    if (!s.group) return false;
  }
  return !selection.empty();
}

NameIndex CBulkEditCommands::BookNames() const {
  NameIndex names;
  ui::ListControl* list = view_.List();
  for (int row = 0; row < list->ItemCount(); ++row) {
    int rowId = 0;
    const store::AddressRecord* record = view_.RowId(row, &rowId) ? view_.FindRecord(rowId) : nullptr;
    if (!record) continue;
    names.Add(0, record->dispName);
    names.Add(1, record->dispNameJP);
  }
  return names;
}

void CBulkEditCommands::ApplyToSelection(const std::vector<Selected>& selection,
                                         const Change& change) {
  NameIndex names = BookNames();
  for (const Selected& s : selection) {
    store::AddressRecord* record = view_.FindRecord(s.rowId);
    if (!record) continue;
    const std::string oldReading = record->dispNameJP;
    change(s.group, &names, record);
    view_.SetRowTexts(s.row, view_.RowTextsFor(*record, s.group));
    if (!s.group) {
      view_.Groups().UpdateMember(oldReading, store::kKindMember, store::MemberFrom(*record));
    }
  }
  view_.Resort();
  view_.SetModified(true);
}

void CBulkEditCommands::EditSeveral() {
  const std::vector<Selected> selection = Selection();
  if (selection.empty()) return;
  std::vector<BulkEntry> entries;
  for (const Selected& s : selection) entries.push_back({view_.FindRecord(s.rowId), s.group});
  const editing::TextRules rules = Rules();
  CMultiEditDialog dialog(*services_.resources, rules, view_.ListFont());
  dialog.proposals = MultiEditProposals(entries, rules.codePage);
  dialog.groupsOnly = GroupsOnly(selection);
  services_.dialogs->RunModal(dialog);
  if (!dialog.changed) return;
  ApplyToSelection(selection, [&](bool group, NameIndex* names, store::AddressRecord* record) {
    ApplyMultiEdit(dialog.edit, group, rules, names, record);
  });
}

void CBulkEditCommands::Replace() {
  const std::vector<Selected> selection = Selection();
  if (selection.empty()) {
    services_.messages->Show(services_.resources->String(IDS_NO_SELECTION),
                             services_.resources->String(IDS_CAPTION), ui::Buttons::kOk,
                             ui::Icon::kExclamation);
    return;
  }
  const editing::TextRules rules = Rules();
  CReplaceDialog dialog(*services_.resources, rules, view_.ListFont());
  dialog.groupsOnly = GroupsOnly(selection);
  services_.dialogs->RunModal(dialog);
  if (!dialog.changed) return;
  ApplyToSelection(selection, [&](bool group, NameIndex* names, store::AddressRecord* record) {
    ApplyReplacement(dialog.replacement, group, rules, names, record);
  });
}
