#include "faxbook/editing/entry_commands.h"

#include "faxbook/editing/address_dialog.h"
#include "faxbook/editing/group_dialog.h"
#include "booklib/rules/name_fitting.h"
#include "faxbook/res/editing_resource.h"
#include "faxbook/res/resource.h"
#include "store/reg_no.h"

CEntryCommands::CEntryCommands(const CommandContext& context) : context_(context) {}

bool CEntryCommands::OnCommand(int id) {
  switch (id) {
    case ID_NEW_ADDRESS:
    case IDC_NEW_ADDRESS_BUTTON:
      NewAddress();
      return true;
    case ID_NEW_GROUP:
    case IDC_NEW_GROUP_BUTTON:
      NewGroup();
      return true;
    case IDC_DELETE_BUTTON:
      Delete();
      return true;
    case ID_EDIT_COPY:
      Copy();
      return true;
    case ID_EDIT_PASTE:
      Paste();
      return true;
    case kCmdEditSelectedAddress:
      EditAddress(FirstSelected());
      return true;
    case kCmdEditSelectedGroup:
      EditGroup(FirstSelected());
      return true;
    default:
      return false;
  }
}

void CEntryCommands::Tell(int messageId) {
  context_.services.messages->Show(context_.String(messageId), context_.String(IDS_CAPTION),
                                   ui::Buttons::kOk, ui::Icon::kExclamation);
}

store::EntryId CEntryCommands::FirstSelected() const {
  const std::vector<store::EntryId> selected = context_.view.Selected();
  return selected.empty() ? store::kNoEntry : selected.front();
}

bool CEntryCommands::TakeRegNo(int* regNo) {
  const store::Book& book = context_.book;
  const bool ok = store::NextRegNo(book.Size(), [&book](int n) { return book.RegNoInUse(n); },
                                   regNo);
  if (!ok) {
    context_.services.messages->Show(
        ui::FormatText(context_.String(IDS_BOOK_FULL), std::to_string(store::kMaxEntries)),
        context_.String(IDS_CAPTION), ui::Buttons::kOk, ui::Icon::kExclamation);
  }
  return ok;
}

bool CEntryCommands::IsNameUsed(const std::string& text, int kind) const {
  const store::Book& book = context_.book;
  for (int i = 0; i < book.Size(); ++i) {
    const store::AddressRecord& record = book.RecordAt(i);
    if ((kind == 0 ? record.dispName : record.dispNameJP) == text) return true;
  }
  return false;
}

std::vector<store::MemberEntry> CEntryCommands::Addresses() const {
  std::vector<store::MemberEntry> out;
  const store::Book& book = context_.book;
  for (int i = 0; i < book.Size(); ++i) {
    const store::AddressRecord& record = book.RecordAt(i);
    if (record.kind != store::kKindGroup) out.push_back(store::MemberFrom(record));
  }
  return out;
}

void CEntryCommands::RunAddressDialog(int regNo, const store::EntryTexts& texts) {
  CAddressDialog dialog(*context_.services.resources, context_.Rules(), *this,
                        context_.settings.listFont);
  dialog.mode = CAddressDialog::Mode::kNew;
  dialog.regNo = regNo;
  dialog.texts = texts;
  context_.services.dialogs->RunModal(dialog);
  if (!dialog.changed) return;
  store::AddressRecord record;
  static_cast<store::EntryTexts&>(record) = dialog.texts;
  record.kind = store::kKindAddress;
  record.regNo = regNo;
  store::EntryId id = store::kNoEntry;
  {
    store::BookStep step(context_.book);
    id = context_.book.Add(record);
  }
  context_.view.SelectOnly(id);
}

void CEntryCommands::NewAddress() {
  int regNo = 0;
  if (!TakeRegNo(&regNo)) return;
  RunAddressDialog(regNo, store::EntryTexts());
}

void CEntryCommands::EditAddress(store::EntryId id) {
  const store::AddressRecord* record = context_.book.Find(id);
  if (!record) return;
  CAddressDialog dialog(*context_.services.resources, context_.Rules(), *this,
                        context_.settings.listFont);
  dialog.mode = CAddressDialog::Mode::kEdit;
  dialog.regNo = record->regNo;
  dialog.texts = *record;
  context_.services.dialogs->RunModal(dialog);
  if (!dialog.changed) return;
  store::BookStep step(context_.book);
  context_.book.Change(id, dialog.texts);
}

void CEntryCommands::RunNewGroupDialog(int regNo, const std::string& name,
                                       const std::string& reading,
                                       const std::vector<store::MemberEntry>& members) {
  CGroupDialog dialog(*context_.services.resources, context_.Rules(), *this,
                      *context_.services.collation, *context_.services.waitCursor,
                      context_.settings.listFont);
  dialog.mode = CGroupDialog::Mode::kNew;
  dialog.regNo = regNo;
  dialog.dispName = name;
  dialog.dispNameJP = reading;
  dialog.members = members;
  dialog.addresses = Addresses();
  context_.services.dialogs->RunModal(dialog);
  if (!dialog.changed) return;
  store::AddressRecord record;
  record.kind = store::kKindGroup;
  record.regNo = regNo;
  record.dispName = dialog.dispName;
  record.dispNameJP = dialog.dispNameJP;
  store::EntryId id = store::kNoEntry;
  {
    store::BookStep step(context_.book);
    id = context_.book.AddGroup(record, dialog.members);
  }
  context_.view.SelectOnly(id);
}

void CEntryCommands::NewGroup() {
  int regNo = 0;
  if (!TakeRegNo(&regNo)) return;
  RunNewGroupDialog(regNo, std::string(), std::string(), {});
}

void CEntryCommands::EditGroup(store::EntryId id) {
  const store::AddressRecord* record = context_.book.Find(id);
  if (!record) return;
  CGroupDialog dialog(*context_.services.resources, context_.Rules(), *this,
                      *context_.services.collation, *context_.services.waitCursor,
                      context_.settings.listFont);
  dialog.mode = CGroupDialog::Mode::kEdit;
  dialog.regNo = record->regNo;
  dialog.dispName = record->dispName;
  dialog.dispNameJP = record->dispNameJP;
  context_.book.Groups().CopyMembers(record->regNo, store::kMaxMembers, &dialog.members);
  dialog.addresses = Addresses();
  context_.services.dialogs->RunModal(dialog);
  if (!dialog.changed) return;
  store::EntryTexts names = *context_.book.Find(id);
  names.dispName = dialog.dispName;
  names.dispNameJP = dialog.dispNameJP;
  store::BookStep step(context_.book);
  context_.book.Change(id, names);
  context_.book.SetMembers(id, dialog.members);
}

void CEntryCommands::Delete() {
  const std::vector<store::EntryId> selected = context_.view.Selected();
  if (selected.empty()) {
    Tell(IDS_NO_SELECTION);
    return;
  }
  if (selected.size() > 1) {
    Tell(IDS_DELETE_SEVERAL);
    return;
  }
  const store::EntryId id = selected.front();
  const bool group = context_.book.IsGroup(id);
  if (context_.services.messages->Show(context_.String(group ? IDS_DELETE_GROUP : IDS_DELETE_ADDRESS),
                                       context_.String(IDS_CAPTION), ui::Buttons::kOkCancel,
                                       ui::Icon::kQuestion) != ui::kIdOk) {
    return;
  }
  store::BookStep step(context_.book);
  context_.book.Remove(id);
}

void CEntryCommands::Copy() {
  buffer_ = CopyBuffer();
  const store::EntryId id = FirstSelected();
  const store::AddressRecord* record = context_.book.Find(id);
  if (!record) return;
  buffer_.kind = context_.book.IsGroup(id) ? store::kKindGroup : store::kKindAddress;
  buffer_.regNo = record->regNo;
  buffer_.texts = *record;
}

void CEntryCommands::Paste() {
  if (buffer_.kind == 0) return;
  int regNo = 0;
  if (!TakeRegNo(&regNo)) return;
  const rules::TextRules rules = context_.Rules();
  // A language without registration names and honorifics makes its entries
  // without them, copies included: the copy's name could only be one that
  // its user never sees.
  const std::string name = rules.Japanese()
                               ? rules::MakeSuffixedName(buffer_.texts.dispName, 0, rules, *this)
                               : std::string();
  const std::string reading = rules::MakeSuffixedName(buffer_.texts.dispNameJP, 1, rules, *this);
  if (buffer_.kind == store::kKindGroup) {
    std::vector<store::MemberEntry> members;
    context_.book.Groups().CopyMembers(buffer_.regNo, store::kMaxMembers, &members);
    RunNewGroupDialog(regNo, name, reading, members);
    return;
  }
  store::EntryTexts texts = buffer_.texts;
  texts.dispName = name;
  texts.dispNameJP = reading;
  if (!rules.Japanese()) texts.respect = store::kRespectNone;
  RunAddressDialog(regNo, texts);
}
