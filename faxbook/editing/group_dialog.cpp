#include "faxbook/editing/group_dialog.h"

#include "faxbook/editing/member_select_dialog.h"
#include "faxbook/res/editing_resource.h"
#include "faxbook/res/resource.h"

CGroupDialog::CGroupDialog(ui::Resources& strings, const rules::TextRules& rules,
                           const rules::NameLookup& names, const text::Collation& collation,
                           ui::WaitCursor& cursor, ui::FontHandle font)
    : Dialog(IDD_GROUP),
      strings_(strings),
      rules_(rules),
      names_(names),
      collation_(collation),
      cursor_(cursor),
      font_(font),
      list_(strings, rules.langId, collation) {}

void CGroupDialog::OnInit() {
  if (font_ != 0) {
    SetItemFont(IDC_READING, font_);
    SetItemFont(IDC_MEMBER_LIST, font_);
  }
  SetTitle(strings_.String(mode == Mode::kNew ? IDS_NEW_GROUP_TITLE : IDS_EDIT_GROUP_TITLE));
  SetTextLimit(IDC_DISP_NAME, static_cast<int>(rules::RuleOf(rules::Field::kDispName).maxBytes));
  SetTextLimit(IDC_READING, static_cast<int>(rules::RuleOf(rules::Field::kDispNameJP).maxBytes));
  // The registration name serves Japanese only: other languages keep it
  // unseen as it was handed in.
  if (rules_.Japanese()) SetItemText(IDC_DISP_NAME, dispName);
  SetItemText(IDC_READING, dispNameJP);
  list_.Attach(List(IDC_MEMBER_LIST));
  list_.AddRows(members);
  list_.SortBy(list_.ReadingColumn(), true);
  openingName_ = dispName;
  openingReading_ = dispNameJP;
  if (rules_.Japanese()) {
    UpdateState(IDC_DISP_NAME, rules::Field::kDispName);
  } else {
    EnableItem(IDC_DISP_NAME, false);
  }
  UpdateState(IDC_READING, rules::Field::kDispNameJP);
}

void CGroupDialog::UpdateState(int id, rules::Field field) {
  SetTextColour(id, rules::ColourOf(rules::FieldStateOf(field, ItemText(id), rules_)));
}

void CGroupDialog::OnCommand(int id, int code) {
  if (code == ui::kEditChanged) {
    if (id == IDC_DISP_NAME && rules_.Japanese()) UpdateState(id, rules::Field::kDispName);
    if (id == IDC_READING) UpdateState(id, rules::Field::kDispNameJP);
    return;
  }
  if (code == ui::kClicked && id == IDC_ADD_MEMBERS) return AddMembers();
  if (code == ui::kClicked && id == IDC_REMOVE_MEMBERS) return RemoveMembers();
  Dialog::OnCommand(id, code);
}

void CGroupDialog::OnListEvent(int listId, const ui::ListEvent& event) {
  if (listId == IDC_MEMBER_LIST && event.kind == ui::ListEventKind::kColumnClick) {
    list_.OnColumnClick(event.column);
  }
}

void CGroupDialog::AddMembers() {
  ui::WaitCursorScope wait(cursor_);
  CMemberSelectDialog select(strings_, rules_.langId, collation_, cursor_, font_);
  const std::size_t rows = static_cast<std::size_t>(list_.RowCount());
  select.chosen.assign(members.begin(), members.begin() + static_cast<std::ptrdiff_t>(
                                                              rows < members.size() ? rows : members.size()));
  select.addresses = addresses;
  if (RunNested(select) != ui::kIdOk) return;
  members = select.chosen;
  list_.Clear();
  list_.AddRows(members);
  list_.Sort();
}

void CGroupDialog::RemoveMembers() {
  ui::ListControl* list = list_.Control();
  if (!list) return;
  const std::string caption = strings_.String(IDS_CAPTION);
  if (list->SelectedCount() == 0) {
    ShowMessage(strings_.String(IDS_NO_SELECTION), caption, ui::Buttons::kOk, ui::Icon::kExclamation);
    return;
  }
  if (ShowMessage(strings_.String(IDS_DELETE_ADDRESS), caption, ui::Buttons::kYesNo,
                  ui::Icon::kQuestion) != ui::kIdYes) {
    list->TakeFocus();
    return;
  }
  {
    ui::WaitCursorScope wait(cursor_);
    for (int row = list->NextSelected(-1); row >= 0; row = list->NextSelected(-1)) {
      const std::string reading = list_.ReadingAt(row);
      list->DeleteItem(row);
      RemoveMemberByReading(&members, reading);
    }
  }
  list_.Sort();
}

void CGroupDialog::OnOK() {
  const std::string typedName = ItemText(IDC_DISP_NAME);
  const std::string typedReading = ItemText(IDC_READING);
  std::string name = dispName;
  if (rules_.Japanese()) {
    const rules::FieldCheck check =
        rules::CheckField(rules::Field::kDispName, typedName, openingName_, rules_, &names_);
    if (!check.ok) {
      ShowMessage(strings_.String(check.messageId), strings_.String(IDS_INPUT_ERROR),
                  ui::Buttons::kOk, ui::Icon::kNone);
      FocusItem(IDC_DISP_NAME);
      return;
    }
    name = check.text;
  }
  const rules::FieldCheck reading =
      rules::CheckField(rules::Field::kDispNameJP, typedReading, openingReading_, rules_, &names_);
  if (!reading.ok) {
    ShowMessage(strings_.String(reading.messageId), strings_.String(IDS_INPUT_ERROR),
                ui::Buttons::kOk, ui::Icon::kNone);
    FocusItem(IDC_READING);
    return;
  }
  if (list_.RowCount() == 0) {
    ShowMessage(strings_.String(IDS_NO_MEMBERS), strings_.String(IDS_INPUT_ERROR), ui::Buttons::kOk,
                ui::Icon::kNone);
    FocusItem(IDC_ADD_MEMBERS);
    return;
  }
  members.resize(static_cast<std::size_t>(list_.RowCount()) < members.size()
                     ? static_cast<std::size_t>(list_.RowCount())
                     : members.size());
  if (rules_.Japanese()) SetItemText(IDC_DISP_NAME, name);
  SetItemText(IDC_READING, reading.text);
  dispName = name;
  dispNameJP = reading.text;
  changed = true;
  End(ui::kIdOk);
}
