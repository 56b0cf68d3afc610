// The multi-address edit (template 147): the user ticks the fields to
// change and types one value per ticked field for all selected entries.
// It works on copies: the caller fills the proposals, runs it and takes
// `edit` only when `changed` is set.
#pragma once

#include "booklib/rules/bulk_edit.h"
#include "faxbook/bulk/ticked_fields_dialog.h"

class CMultiEditDialog : public CTickedFieldsDialog {
 public:
  // font is the substitute dialog font (0 for none).
  CMultiEditDialog(ui::Resources& strings, const rules::TextRules& rules, ui::FontHandle font);

  // In: the values shown in the fields (respect: the honorific chosen).
  store::EntryTexts proposals;
  // Out: the ticked fields and their checked values.
  rules::MultiEdit edit;

  void OnInit() override;
  void OnCommand(int id, int code) override;
  void OnOK() override;

 private:
  bool RespectAvailable() const { return !groupsOnly && rules_.Japanese(); }
  ui::FontHandle font_;
};
