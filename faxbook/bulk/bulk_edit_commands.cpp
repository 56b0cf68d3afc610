#include "faxbook/bulk/bulk_edit_commands.h"

#include "faxbook/bulk/multi_edit_dialog.h"
#include "faxbook/bulk/replace_dialog.h"
#include "faxbook/res/resource.h"

CBulkEditCommands::CBulkEditCommands(const CommandContext& context) : context_(context) {}

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

std::vector<CBulkEditCommands::Selected> CBulkEditCommands::Selection() const {
  std::vector<Selected> selection;
  for (store::EntryId id : context_.view.Selected()) {
    selection.push_back({id, context_.book.IsGroup(id)});
  }
  return selection;
}

bool CBulkEditCommands::GroupsOnly(const std::vector<Selected>& selection) const {
  for (const Selected& s : selection) {
    if (!s.group) return false;
  }
  return !selection.empty();
}

rules::NameIndex CBulkEditCommands::BookNames() const {
  rules::NameIndex names;
  const store::Book& book = context_.book;
  for (int i = 0; i < book.Size(); ++i) {
    const store::AddressRecord& record = book.RecordAt(i);
    names.Add(0, record.dispName);
    names.Add(1, record.dispNameJP);
  }
  return names;
}

void CBulkEditCommands::ApplyToSelection(const std::vector<Selected>& selection,
                                         const Change& change) {
  rules::NameIndex names = BookNames();
  store::BookStep step(context_.book);
  for (const Selected& s : selection) {
    const store::AddressRecord* found = context_.book.Find(s.id);
    if (!found) continue;
    store::AddressRecord record = *found;
    change(s.group, &names, &record);
    context_.book.Change(s.id, record);
  }
}

void CBulkEditCommands::EditSeveral() {
  const std::vector<Selected> selection = Selection();
  if (selection.empty()) return;
  std::vector<rules::BulkEntry> entries;
  for (const Selected& s : selection) entries.push_back({context_.book.Find(s.id), s.group});
  const rules::TextRules rules = context_.Rules();
  CMultiEditDialog dialog(*context_.services.resources, rules, context_.settings.listFont);
  dialog.proposals = rules::MultiEditProposals(entries, rules.codePage);
  dialog.groupsOnly = GroupsOnly(selection);
  context_.services.dialogs->RunModal(dialog);
  if (!dialog.changed) return;
  ApplyToSelection(selection, [&](bool group, rules::NameIndex* names, store::AddressRecord* record) {
    rules::ApplyMultiEdit(dialog.edit, group, rules, names, record);
  });
}

void CBulkEditCommands::Replace() {
  const std::vector<Selected> selection = Selection();
  if (selection.empty()) {
    context_.services.messages->Show(context_.String(IDS_NO_SELECTION),
                                     context_.String(IDS_CAPTION), ui::Buttons::kOk,
                                     ui::Icon::kExclamation);
    return;
  }
  const rules::TextRules rules = context_.Rules();
  CReplaceDialog dialog(*context_.services.resources, rules, context_.settings.listFont);
  dialog.groupsOnly = GroupsOnly(selection);
  context_.services.dialogs->RunModal(dialog);
  if (!dialog.changed) return;
  ApplyToSelection(selection, [&](bool group, rules::NameIndex* names, store::AddressRecord* record) {
    rules::ApplyReplacement(dialog.replacement, group, rules, names, record);
  });
}
