// Shows which destinations a group stands for (template 1001): the
// group's name and its members in the group's order. Changes nothing; OK
// or Escape closes it (its Cancel button is hidden). The keyboard starts
// in the member list, so that the arrows scroll it at once.
#pragma once

#include "faxpick/book/book_entry.h"
#include "faxpick/dialogs/list_columns.h"
#include "platform/ui/dialog.h"

namespace picker {

class CGroupConfirmDialog : public ui::Dialog {
 public:
  CGroupConfirmDialog(const ListColumns& columns, bool japanese, const BookEntry& group);

  void OnInit() override;
  void OnShown() override;

 private:
  const ListColumns& columns_;
  bool japanese_;
  const BookEntry& group_;
};

}  // namespace picker
