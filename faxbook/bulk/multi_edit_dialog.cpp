#include "faxbook/bulk/multi_edit_dialog.h"

#include "faxbook/editing/field_controls.h"
#include "faxbook/bulk/bulk_fields.h"
#include "faxbook/res/bulk_edit_resource.h"
#include "faxbook/res/editing_resource.h"

using rules::kFieldCount;
using rules::TextOf;

namespace {

constexpr int kRespectItems[] = {IDS_RESPECT_NONE, IDS_RESPECT_ITEM_1, IDS_RESPECT_ITEM_2,
                                 IDS_RESPECT_ITEM_3};

std::vector<std::vector<int>> ValueEdits() {
  std::vector<std::vector<int>> edits;
  for (const BulkFieldControls& field : kBulkFields) edits.push_back({field.value});
  return edits;
}

}  // namespace

CMultiEditDialog::CMultiEditDialog(ui::Resources& strings, const rules::TextRules& rules,
                                   ui::FontHandle font)
    : CTickedFieldsDialog(IDD_MULTI_EDIT, strings, rules, font, ValueEdits()), font_(font) {}

void CMultiEditDialog::OnInit() {
  // The registration name and the honorific are shown in Japanese only.
  const bool japanese = rules_.Japanese();
  for (int i = 0; i < kFieldCount; ++i) {
    SetItemText(kBulkFields[static_cast<std::size_t>(i)].value,
                i == 0 && !japanese ? std::string() : TextOf(proposals, i));
  }
  SetUpFields();
  if (font_ != 0) SetItemFont(IDC_RESPECT, font_);
  ClearChoices(IDC_RESPECT);
  for (int id : kRespectItems) AddChoice(IDC_RESPECT, strings_.String(id));
  SelectChoice(IDC_RESPECT,
               japanese && proposals.respect >= 0 && proposals.respect <= store::kRespectMax
                   ? proposals.respect
                   : -1);
  CheckItem(IDC_TICK_RESPECT, false);
  EnableItem(IDC_TICK_RESPECT, RespectAvailable());
  EnableItem(IDC_RESPECT, false);
}

void CMultiEditDialog::OnCommand(int id, int code) {
  if (code == ui::kClicked && id == IDC_TICK_RESPECT) {
    const bool ticked = !IsItemChecked(id);
    CheckItem(id, ticked);
    EnableItem(IDC_RESPECT, ticked);
    if (ticked) FocusItem(IDC_RESPECT);
    return;
  }
  if (code == ui::kClicked && OnTickClicked(id)) return;
  if (code == ui::kEditChanged && OnEditChanged(id)) return;
  Dialog::OnCommand(id, code);
}

void CMultiEditDialog::OnOK() {
  rules::MultiEdit result;
  for (int i = 0; i < kFieldCount; ++i) {
    if (!Ticked(i) || !BulkFieldAvailable(i, groupsOnly, rules_)) continue;
    const rules::FieldRule& rule = rules::RuleOf(rules::FieldAt(i));
    if (!CheckEdit(i, kBulkFields[static_cast<std::size_t>(i)].value, rule.required,
                   &TextOf(result.values, i))) {
      return;
    }
    result.ticked[static_cast<std::size_t>(i)] = true;
  }
  if (RespectAvailable() && IsItemChecked(IDC_TICK_RESPECT)) {
    result.respectTicked = true;
    const int chosen = SelectedChoice(IDC_RESPECT);
    result.values.respect = chosen < 0 ? store::kRespectNone : chosen;
    const std::size_t recipient = static_cast<std::size_t>(rules::Field::kClientName);
    if (result.ticked[recipient] && result.values.clientName.empty()) {
      result.values.respect = store::kRespectNone;
    }
  }
  edit = result;
  changed = true;
  End(ui::kIdOk);
}
