// The replace dialog (template 148): for each ticked field a search text
// and its replacement, applied to all selected entries. The caller runs it
// and takes `replacement` only when `changed` is set.
#pragma once

#include "booklib/rules/bulk_edit.h"
#include "faxbook/bulk/ticked_fields_dialog.h"

class CReplaceDialog : public CTickedFieldsDialog {
 public:
  // font is the substitute dialog font (0 for none).
  CReplaceDialog(ui::Resources& strings, const rules::TextRules& rules, ui::FontHandle font);

  // Out: the ticked fields with their checked search and replacement texts.
  rules::Replacement replacement;

  void OnInit() override;
  void OnCommand(int id, int code) override;
  void OnOK() override;
};
