#include "faxbook/bulk/replace_dialog.h"

#include "faxbook/bulk/bulk_fields.h"
#include "faxbook/res/bulk_edit_resource.h"

namespace {

std::vector<std::vector<int>> SearchAndReplacementEdits() {
  std::vector<std::vector<int>> edits;
  for (const BulkFieldControls& field : kBulkFields) edits.push_back({field.value, field.replacement});
  return edits;
}

}  // namespace

CReplaceDialog::CReplaceDialog(ui::Resources& strings, const rules::TextRules& rules,
                               ui::FontHandle font)
    : CTickedFieldsDialog(IDD_REPLACE, strings, rules, font, SearchAndReplacementEdits()) {}

void CReplaceDialog::OnInit() { SetUpFields(); }

void CReplaceDialog::OnCommand(int id, int code) {
  if (code == ui::kClicked && OnTickClicked(id)) return;
  if (code == ui::kEditChanged && OnEditChanged(id)) return;
  Dialog::OnCommand(id, code);
}

void CReplaceDialog::OnOK() {
  rules::Replacement result;
  for (int i = 0; i < rules::kFieldCount; ++i) {
    if (!Ticked(i) || !BulkFieldAvailable(i, groupsOnly, rules_)) continue;
    const std::size_t f = static_cast<std::size_t>(i);
    // A search text is always required; the replacement may be empty.
    if (!CheckEdit(i, kBulkFields[f].value, true, &result.search[f])) return;
    if (!CheckEdit(i, kBulkFields[f].replacement, false, &result.replacement[f])) return;
    result.ticked[f] = true;
  }
  replacement = result;
  changed = true;
  End(ui::kIdOk);
}
