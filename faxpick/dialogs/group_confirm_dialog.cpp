#include "faxpick/dialogs/group_confirm_dialog.h"

#include "faxpick/res/resource.h"

namespace picker {

CGroupConfirmDialog::CGroupConfirmDialog(const ListColumns& columns, bool japanese,
                                         const BookEntry& group)
    : Dialog(IDD_GROUP_CONFIRM), columns_(columns), japanese_(japanese), group_(group) {}

void CGroupConfirmDialog::OnInit() {
  ShowItem(ui::kIdCancel, false);
  SetItemText(IDC_GROUP_NAME, std::string(japanese_ ? group_.dispName : group_.dispNameJP));
  ui::ListControl* list = List(IDC_MEMBER_LIST);
  if (!list) return;
  columns_.AddAddressColumns(*list);
  list->SetFullRowSelect(true);
  for (int i = 0; i < group_.MemberCount(); ++i) {
    ListColumns::AppendRow(*list, columns_.MemberRow(group_.Member(i)), 0, i);
  }
  columns_.FitMemberColumns(*list, group_);
}

void CGroupConfirmDialog::OnShown() { FocusItem(IDC_MEMBER_LIST); }

}  // namespace picker
