#include "faxbook/editing/member_select_dialog.h"

#include "faxbook/res/editing_resource.h"
#include "faxbook/res/resource.h"

CMemberSelectDialog::CMemberSelectDialog(ui::Resources& strings, int langId,
                                         const text::Collation& collation, ui::WaitCursor& cursor,
                                         ui::FontHandle font)
    : Dialog(IDD_MEMBER_SELECT),
      strings_(strings),
      cursor_(cursor),
      font_(font),
      available_(strings, langId, collation),
      chosenList_(strings, langId, collation) {}

void CMemberSelectDialog::OnInit() {
  if (font_ != 0) {
    SetItemFont(IDC_AVAILABLE_LIST, font_);
    SetItemFont(IDC_CHOSEN_LIST, font_);
  }
  available_.Attach(List(IDC_AVAILABLE_LIST));
  chosenList_.Attach(List(IDC_CHOSEN_LIST));
  availableEntries_.clear();
  for (const store::MemberEntry& address : addresses) {
    bool isMember = false;
    for (const store::MemberEntry& m : chosen) isMember = isMember || m.dispNameJP == address.dispNameJP;
    if (!isMember) availableEntries_.push_back(address);
  }
  available_.AddRows(availableEntries_);
  chosenList_.AddRows(chosen);
  available_.Sort();
  chosenList_.Sort();
  EnableItem(IDC_MOVE_IN, false);
  EnableItem(IDC_MOVE_OUT, false);
}

void CMemberSelectDialog::OnCommand(int id, int code) {
  if (code == ui::kClicked && id == IDC_MOVE_IN) return MoveIn();
  if (code == ui::kClicked && id == IDC_MOVE_OUT) return MoveOut();
  Dialog::OnCommand(id, code);
}

void CMemberSelectDialog::OnListEvent(int listId, const ui::ListEvent& event) {
  MemberList* list = listId == IDC_AVAILABLE_LIST ? &available_
                     : listId == IDC_CHOSEN_LIST  ? &chosenList_
                                                  : nullptr;
  if (!list) return;
  switch (event.kind) {
    case ui::ListEventKind::kColumnClick:
      list->OnColumnClick(event.column);
      break;
    case ui::ListEventKind::kDoubleClick:
      if (listId == IDC_AVAILABLE_LIST) MoveIn(); else MoveOut();
      break;
    case ui::ListEventKind::kClick:
    case ui::ListEventKind::kFocus:
    case ui::ListEventKind::kSelectionChanged: {
      const bool any = list->Control() && list->Control()->SelectedCount() > 0;
      EnableItem(listId == IDC_AVAILABLE_LIST ? IDC_MOVE_IN : IDC_MOVE_OUT, any);
      EnableItem(listId == IDC_AVAILABLE_LIST ? IDC_MOVE_OUT : IDC_MOVE_IN, false);
      break;
    }
  }
}

void CMemberSelectDialog::MoveSelected(MemberList& from, std::vector<store::MemberEntry>& fromEntries,
                                       MemberList& to, std::vector<store::MemberEntry>& toEntries) {
  ui::WaitCursorScope wait(cursor_);
  ui::ListControl* list = from.Control();
  for (int row = list->NextSelected(-1); row >= 0; row = list->NextSelected(row)) {
    const std::string reading = from.ReadingAt(row);
    for (auto it = fromEntries.begin(); it != fromEntries.end(); ++it) {
      if (it->dispNameJP != reading) continue;
      to.AddRow(*it);
      toEntries.push_back(*it);
      fromEntries.erase(it);
      break;
    }
  }
  for (int row = list->NextSelected(-1); row >= 0; row = list->NextSelected(-1)) {
    list->DeleteItem(row);
  }
  to.Sort();
}

void CMemberSelectDialog::MoveIn() {
  ui::ListControl* list = available_.Control();
  if (!list || list->SelectedCount() == 0) return;
  if (list->SelectedCount() + chosenList_.RowCount() > store::kMaxMembers) {
    ShowMessage(ui::FormatText(strings_.String(IDS_GROUP_FULL), std::to_string(store::kMaxMembers)),
                strings_.String(IDS_CAPTION), ui::Buttons::kOk, ui::Icon::kExclamation);
    return;
  }
  MoveSelected(available_, availableEntries_, chosenList_, chosen);
  list->TakeFocus();
}

void CMemberSelectDialog::MoveOut() {
  ui::ListControl* list = chosenList_.Control();
  if (!list || list->SelectedCount() == 0) return;
  MoveSelected(chosenList_, chosen, available_, availableEntries_);
  list->TakeFocus();
}

void CMemberSelectDialog::OnOK() {
  if (chosenList_.RowCount() == 0) {
    ShowMessage(strings_.String(IDS_NO_SELECTION), strings_.String(IDS_INPUT_ERROR),
                ui::Buttons::kOk, ui::Icon::kNone);
    return;
  }
  chosen.resize(static_cast<std::size_t>(chosenList_.RowCount()));
  End(ui::kIdOk);
}
