#include "faxbook/bulk/ticked_fields_dialog.h"

#include "faxbook/editing/field_controls.h"
#include "faxbook/bulk/bulk_fields.h"
#include "platform/text/blanks.h"

using rules::FieldAt;

CTickedFieldsDialog::CTickedFieldsDialog(int templateId, ui::Resources& strings,
                                         const rules::TextRules& rules, ui::FontHandle font,
                                         std::vector<std::vector<int>> edits)
    : Dialog(templateId), strings_(strings), rules_(rules), font_(font), edits_(std::move(edits)) {}

bool CTickedFieldsDialog::Tracks(int index) const {
  // The registration name is checked only in Japanese.
  return index != 0 || rules_.Japanese();
}

void CTickedFieldsDialog::Colour(int index, int id) {
  if (!Tracks(index)) return;
  SetTextColour(id, rules::ColourOf(rules::FieldStateOf(FieldAt(index), ItemText(id), rules_)));
}

void CTickedFieldsDialog::SetUpFields() {
  for (int i = 0; i < rules::kFieldCount; ++i) {
    const BulkFieldControls& field = kBulkFields[static_cast<std::size_t>(i)];
    CheckItem(field.tick, false);
    EnableItem(field.tick, BulkFieldAvailable(i, groupsOnly, rules_));
    for (int id : edits_[static_cast<std::size_t>(i)]) {
      if (font_ != 0) SetItemFont(id, font_);
      SetTextLimit(id, static_cast<int>(rules::RuleOf(FieldAt(i)).maxBytes));
      EnableItem(id, false);
      Colour(i, id);
    }
  }
}

bool CTickedFieldsDialog::Ticked(int index) const {
  return IsItemChecked(kBulkFields[static_cast<std::size_t>(index)].tick);
}

bool CTickedFieldsDialog::OnTickClicked(int id) {
  for (int i = 0; i < rules::kFieldCount; ++i) {
    if (kBulkFields[static_cast<std::size_t>(i)].tick != id) continue;
    const bool ticked = !IsItemChecked(id);
    CheckItem(id, ticked);
    const std::vector<int>& edits = edits_[static_cast<std::size_t>(i)];
    for (int edit : edits) EnableItem(edit, ticked);
    if (ticked && !edits.empty()) FocusItem(edits.front());
    return true;
  }
  return false;
}

bool CTickedFieldsDialog::OnEditChanged(int id) {
  for (int i = 0; i < rules::kFieldCount; ++i) {
    for (int edit : edits_[static_cast<std::size_t>(i)]) {
      if (edit != id) continue;
      Colour(i, id);
      return true;
    }
  }
  return false;
}

bool CTickedFieldsDialog::CheckEdit(int index, int id, bool required, std::string* text) {
  const rules::Field field = FieldAt(index);
  const rules::FieldRule& rule = rules::RuleOf(field);
  const std::string typed = ItemText(id);
  const std::string prepared = rule.normalised ? text::NormaliseSpaces(rules_.codePage, typed) : typed;
  if (rule.normalised) SetItemText(id, prepared);
  int failure = 0;
  if (prepared.empty()) {
    if (required) failure = rule.notSetId;
  } else {
    const rules::FieldCheck check = rules::CheckField(field, prepared, "", rules_, nullptr);
    if (!check.ok) failure = check.messageId;
  }
  if (failure != 0) {
    ShowMessage(strings_.String(failure), strings_.String(rules::kInputErrorCaptionId),
                ui::Buttons::kOk, ui::Icon::kNone);
    FocusItem(id);
    return false;
  }
  *text = prepared;
  return true;
}
