#include "faxbook/editing/address_dialog.h"

#include "faxbook/editing/field_controls.h"
#include "faxbook/res/editing_resource.h"

using rules::FieldAt;
using rules::kFieldCount;
using rules::TextOf;

namespace {
constexpr int kRespectItems[] = {IDS_RESPECT_NONE, IDS_RESPECT_ITEM_1, IDS_RESPECT_ITEM_2,
                                 IDS_RESPECT_ITEM_3};
}  // namespace

CAddressDialog::CAddressDialog(ui::Resources& strings, const rules::TextRules& rules,
                               const rules::NameLookup& names, ui::FontHandle font)
    : Dialog(IDD_ADDRESS), strings_(strings), rules_(rules), names_(names), font_(font) {}

bool CAddressDialog::TracksField(int index) const {
  // The registration name is shown and checked only in Japanese; other
  // languages keep it as it was handed in, unseen.
  return index != 0 || rules_.Japanese();
}

void CAddressDialog::OnInit() {
  if (font_ != 0) {
    for (int id : kFieldControls) SetItemFont(id, font_);
    SetItemFont(IDC_RESPECT, font_);
  }
  SetTitle(strings_.String(mode == Mode::kNew ? IDS_NEW_ADDRESS_TITLE : IDS_EDIT_ADDRESS_TITLE));
  ClearChoices(IDC_RESPECT);
  for (int id : kRespectItems) AddChoice(IDC_RESPECT, strings_.String(id));
  firstFailing_ = 0;
  for (int i = 0; i < kFieldCount; ++i) {
    const int id = kFieldControls[static_cast<std::size_t>(i)];
    SetTextLimit(id, static_cast<int>(rules::RuleOf(FieldAt(i)).maxBytes));
    if (!TracksField(i)) continue;
    SetItemText(id, TextOf(texts, i));
    UpdateState(i);
    if (firstFailing_ == 0 && states_[static_cast<std::size_t>(i)] == rules::FieldState::kBadChars) {
      firstFailing_ = id;
    }
  }
  if (rules_.Japanese()) {
    UpdateHonorificEnabling();
    SelectChoice(IDC_RESPECT, texts.respect >= 0 && texts.respect <= store::kRespectMax ? texts.respect : -1);
  } else {
    // Neither the honorific nor the registration name serves here.
    EnableItem(IDC_RESPECT_LABEL, false);
    EnableItem(IDC_RESPECT, false);
    EnableItem(IDC_DISP_NAME, false);
  }
  openingName_ = texts.dispName;
  openingReading_ = texts.dispNameJP;
}

void CAddressDialog::OnShown() {
  if (firstFailing_ == 0) return;
  FocusItem(firstFailing_);
  SelectAllText(firstFailing_);
}

void CAddressDialog::UpdateState(int index) {
  const int id = kFieldControls[static_cast<std::size_t>(index)];
  const rules::FieldState state = rules::FieldStateOf(FieldAt(index), ItemText(id), rules_);
  states_[static_cast<std::size_t>(index)] = state;
  SetTextColour(id, rules::ColourOf(state));
}

void CAddressDialog::UpdateHonorificEnabling() {
  const bool enabled = !honorificLock && !ItemText(IDC_RECIPIENT).empty();
  EnableItem(IDC_RESPECT_LABEL, enabled);
  EnableItem(IDC_RESPECT, enabled);
}

void CAddressDialog::OnCommand(int id, int code) {
  if (code == ui::kEditChanged) {
    for (int i = 0; i < kFieldCount; ++i) {
      if (kFieldControls[static_cast<std::size_t>(i)] != id || !TracksField(i)) continue;
      UpdateState(i);
      if (id == IDC_RECIPIENT && rules_.Japanese()) UpdateHonorificEnabling();
    }
    return;
  }
  Dialog::OnCommand(id, code);
}

void CAddressDialog::OnOK() {
  store::EntryTexts result = texts;
  const std::string typedRecipient = ItemText(IDC_RECIPIENT);
  for (int i = 0; i < kFieldCount; ++i) {
    const int id = kFieldControls[static_cast<std::size_t>(i)];
    if (!TracksField(i)) continue;
    const std::string typed = ItemText(id);
    const std::string& opening = i == 0 ? openingName_ : i == 1 ? openingReading_ : std::string();
    const rules::FieldCheck check = rules::CheckField(FieldAt(i), typed, opening, rules_, &names_);
    if (rules::RuleOf(FieldAt(i)).normalised) SetItemText(id, check.text);
    if (!check.ok) {
      ShowMessage(strings_.String(check.messageId), strings_.String(IDS_INPUT_ERROR),
                  ui::Buttons::kOk, ui::Icon::kNone);
      FocusItem(id);
      return;
    }
    TextOf(result, i) = check.text;
  }
  // Other languages hand the honorific back as it was handed in; in every
  // language it goes with the recipient it follows.
  if (rules_.Japanese()) {
    const int chosen = SelectedChoice(IDC_RESPECT);
    result.respect = chosen < 0 ? 0 : chosen;
  }
  if (typedRecipient.empty() || result.clientName.empty()) result.respect = 0;
  texts = result;
  changed = true;
  End(ui::kIdOk);
}
