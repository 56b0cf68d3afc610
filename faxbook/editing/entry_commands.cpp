#include "faxbook/editing/entry_commands.h"

#include "faxbook/editing/address_dialog.h"
#include "faxbook/editing/group_dialog.h"
#include "faxbook/editing/name_fitting.h"
#include "faxbook/res/editing_resource.h"
#include "faxbook/res/resource.h"
#include "store/reg_no.h"

namespace {
constexpr int kImageGroup = 1;
}  // namespace

CEntryCommands::CEntryCommands(ViewServices& view, const EditorServices& services)
    : view_(view), services_(services) {}

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
      EditAddress(view_.List()->NextSelected(-1));
      return true;
    case kCmdEditSelectedGroup:
      EditGroup(view_.List()->NextSelected(-1));
      return true;
    default:
      return false;
  }
}

editing::TextRules CEntryCommands::Rules() const { return {view_.LangId(), view_.CodePage()}; }

std::string CEntryCommands::String(int id) const { return services_.resources->String(id); }

void CEntryCommands::Tell(int messageId) {
  services_.messages->Show(String(messageId), String(IDS_CAPTION), ui::Buttons::kOk,
                           ui::Icon::kExclamation);
}

bool CEntryCommands::TakeRegNo(int* regNo) {
  const bool ok = store::NextRegNo(view_.List()->ItemCount(),
                                   [this](int n) { return view_.RegNoInUse(n); }, regNo);
  if (!ok) {
    services_.messages->Show(
        ui::FormatText(String(IDS_BOOK_FULL), std::to_string(store::kMaxEntries)),
        String(IDS_CAPTION), ui::Buttons::kOk, ui::Icon::kExclamation);
  }
  return ok;
}

bool CEntryCommands::IsNameUsed(const std::string& text, int kind) const {
  ui::ListControl* list = view_.List();
  for (int row = 0; row < list->ItemCount(); ++row) {
    int rowId = 0;
    const store::AddressRecord* record = view_.RowId(row, &rowId) ? view_.FindRecord(rowId) : nullptr;
    if (record && (kind == 0 ? record->dispName : record->dispNameJP) == text) return true;
  }
  return false;
}

void CEntryCommands::RemoveGroupEntry(int regNo) {
  ui::ListControl* list = view_.List();
  for (int row = 0; row < list->ItemCount(); ++row) {
    int rowId = 0;
    const store::AddressRecord* record = view_.RowId(row, &rowId) ? view_.FindRecord(rowId) : nullptr;
    if (!record || record->regNo != regNo || list->ItemImage(row) != kImageGroup) continue;
    view_.RemoveRecord(rowId);
    list->DeleteItem(row);
    view_.AdjustLastColumn();
    return;
  }
}

std::vector<store::MemberEntry> CEntryCommands::Addresses() const {
  std::vector<store::MemberEntry> out;
  ui::ListControl* list = view_.List();
  for (int row = 0; row < list->ItemCount(); ++row) {
    int rowId = 0;
    const store::AddressRecord* record = view_.RowId(row, &rowId) ? view_.FindRecord(rowId) : nullptr;
    if (record && list->ItemImage(row) != kImageGroup) out.push_back(store::MemberFrom(*record));
  }
  return out;
}

void CEntryCommands::SelectOnly(int row) {
  ui::ListControl* list = view_.List();
  for (int r = list->NextSelected(-1); r >= 0; r = list->NextSelected(r)) list->SetSelected(r, false);
  list->SetSingleSelection(true);
  view_.SelectRow(row);
  list->SetSingleSelection(false);
}

void CEntryCommands::AddEntry(const store::AddressRecord& record, bool group) {
  const int rowId = view_.InsertRow(0, record.regNo, group ? "G" : "", view_.RowTextsFor(record, group));
  view_.AddRecord(rowId, record);
  SelectOnly(0);
  view_.Resort();
  view_.AdjustLastColumn();
  view_.SetModified(true);
}

void CEntryCommands::RunAddressDialog(int regNo, const store::EntryTexts& texts) {
  CAddressDialog dialog(*services_.resources, Rules(), *this, view_.ListFont());
  dialog.mode = CAddressDialog::Mode::kNew;
  dialog.regNo = regNo;
  dialog.texts = texts;
  services_.dialogs->RunModal(dialog);
  if (!dialog.changed) return;
  store::AddressRecord record;
  static_cast<store::EntryTexts&>(record) = dialog.texts;
  record.kind = store::kKindAddress;
  record.regNo = regNo;
  AddEntry(record, false);
}

void CEntryCommands::NewAddress() {
  int regNo = 0;
  if (!TakeRegNo(&regNo)) return;
  RunAddressDialog(regNo, store::EntryTexts());
}

void CEntryCommands::EditAddress(int row) {
  int rowId = 0;
  store::AddressRecord* record = view_.RowId(row, &rowId) ? view_.FindRecord(rowId) : nullptr;
  if (!record) return;
  CAddressDialog dialog(*services_.resources, Rules(), *this, view_.ListFont());
  dialog.mode = CAddressDialog::Mode::kEdit;
  dialog.regNo = record->regNo;
  dialog.texts = *record;
  const std::string oldReading = record->dispNameJP;
  services_.dialogs->RunModal(dialog);
  if (!dialog.changed) return;
  record = view_.FindRecord(rowId);
  static_cast<store::EntryTexts&>(*record) = dialog.texts;
  view_.SetRowTexts(row, view_.RowTextsFor(*record, false));
  view_.Resort();
  view_.Groups().UpdateMember(oldReading, store::kKindMember,
                                          store::MemberFrom(dialog.texts));
  view_.SetModified(true);
}

void CEntryCommands::RunNewGroupDialog(int regNo, const std::string& name,
                                       const std::string& reading,
                                       const std::vector<store::MemberEntry>& members) {
  CGroupDialog dialog(*services_.resources, Rules(), *this, *services_.collation,
                      *services_.waitCursor, view_.ListFont());
  dialog.mode = CGroupDialog::Mode::kNew;
  dialog.regNo = regNo;
  dialog.dispName = name;
  dialog.dispNameJP = reading;
  dialog.members = members;
  dialog.addresses = Addresses();
  services_.dialogs->RunModal(dialog);
  if (!dialog.changed) return;
  store::AddressRecord record;
  record.kind = store::kKindGroup;
  record.regNo = regNo;
  record.dispName = dialog.dispName;
  record.dispNameJP = dialog.dispNameJP;
  view_.Groups().CreateGroupSlot(regNo, static_cast<int>(dialog.members.size()),
                                             store::kKindMember, dialog.members);
  AddEntry(record, true);
}

void CEntryCommands::NewGroup() {
  int regNo = 0;
  if (!TakeRegNo(&regNo)) return;
  RunNewGroupDialog(regNo, std::string(), std::string(), {});
}

void CEntryCommands::EditGroup(int row) {
  int rowId = 0;
  store::AddressRecord* record = view_.RowId(row, &rowId) ? view_.FindRecord(rowId) : nullptr;
  if (!record) return;
  store::GroupTable& groups = view_.Groups();
  CGroupDialog dialog(*services_.resources, Rules(), *this, *services_.collation,
                      *services_.waitCursor, view_.ListFont());
  dialog.mode = CGroupDialog::Mode::kEdit;
  dialog.regNo = record->regNo;
  dialog.dispName = record->dispName;
  dialog.dispNameJP = record->dispNameJP;
  groups.CopyMembers(record->regNo, store::kMaxMembers, &dialog.members);
  dialog.addresses = Addresses();
  services_.dialogs->RunModal(dialog);
  if (!dialog.changed) return;
  record = view_.FindRecord(rowId);
  record->dispName = dialog.dispName;
  record->dispNameJP = dialog.dispNameJP;
  view_.SetRowTexts(row, view_.RowTextsFor(*record, true));
  groups.DeleteGroup(record->regNo);
  for (const store::MemberEntry& member : dialog.members) {
    groups.AddMember(record->regNo, store::kKindMember, member);
  }
  view_.Resort();
  view_.SetModified(true);
}

void CEntryCommands::Delete() {
  ui::ListControl* list = view_.List();
  const int selected = list->SelectedCount();
  if (selected == 0) {
    Tell(IDS_NO_SELECTION);
  } else if (selected > 1) {
    Tell(IDS_DELETE_SEVERAL);
  } else {
    const int row = list->NextSelected(-1);
    const bool group = list->ItemImage(row) == kImageGroup;
    int rowId = 0;
    const store::AddressRecord* record = view_.RowId(row, &rowId) ? view_.FindRecord(rowId) : nullptr;
    if (record && services_.messages->Show(String(group ? IDS_DELETE_GROUP : IDS_DELETE_ADDRESS),
                                           String(IDS_CAPTION), ui::Buttons::kOkCancel,
                                           ui::Icon::kQuestion) == ui::kIdOk) {
      const std::string reading = record->dispNameJP;
      const int regNo = record->regNo;
      view_.RemoveRecord(rowId);
      list->DeleteItem(row);
      view_.AdjustLastColumn();
      if (group) {
        view_.Groups().DeleteGroup(regNo);
      } else {
        view_.Groups().RemoveMember(reading, this);
      }
      view_.SetModified(true);
    }
  }
  view_.ShowCount();
}

void CEntryCommands::Copy() {
  buffer_ = CopyBuffer();
  ui::ListControl* list = view_.List();
  const int row = list->NextSelected(-1);
  int rowId = 0;
  const store::AddressRecord* record = view_.RowId(row, &rowId) ? view_.FindRecord(rowId) : nullptr;
  if (!record) return;
  buffer_.kind = list->ItemImage(row) == kImageGroup ? store::kKindGroup : store::kKindAddress;
  buffer_.regNo = record->regNo;
  buffer_.texts = *record;
}

void CEntryCommands::Paste() {
  if (!view_.List() || buffer_.kind == 0) return;
  int regNo = 0;
  if (!TakeRegNo(&regNo)) return;
  const editing::TextRules rules = Rules();
  const std::string name = editing::MakeSuffixedName(buffer_.texts.dispName, 0, rules, *this);
  const std::string reading = editing::MakeSuffixedName(buffer_.texts.dispNameJP, 1, rules, *this);
  if (buffer_.kind == store::kKindGroup) {
    std::vector<store::MemberEntry> members;
    view_.Groups().CopyMembers(buffer_.regNo, store::kMaxMembers, &members);
    RunNewGroupDialog(regNo, name, reading, members);
    return;
  }
  store::EntryTexts texts = buffer_.texts;
  texts.dispName = name;
  texts.dispNameJP = reading;
  RunAddressDialog(regNo, texts);
}
