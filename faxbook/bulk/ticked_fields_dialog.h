// The common part of the multi-address edit and the replace dialog: one
// tick per field that enables the field's edits, the colour of each edit
// following its text, and the checks on OK.
#pragma once

#include <string>
#include <vector>

#include "booklib/rules/field_rules.h"
#include "platform/ui/dialog.h"
#include "platform/ui/resources.h"

class CTickedFieldsDialog : public ui::Dialog {
 public:
  // In: whether every selected entry is a group (only the two names can
  // then be ticked).
  bool groupsOnly = false;
  // Out: set when the dialog ended with OK.
  bool changed = false;

 protected:
  // edits: for each field (rules::Field order), the edits its tick
  // enables, the first of them taking the focus.
  CTickedFieldsDialog(int templateId, ui::Resources& strings, const rules::TextRules& rules,
                      ui::FontHandle font, std::vector<std::vector<int>> edits);

  // Ticks cleared, edits disabled, typing limits, the substitute font, the
  // ticks of fields that cannot be changed disabled, the colours.
  void SetUpFields();
  // A tick clicked: toggles it and enables or disables its edits (the
  // first edit takes the focus when ticked). False when id is no tick.
  bool OnTickClicked(int id);
  // An edit changed: its colour follows its text. False when id is none of
  // the fields' edits.
  bool OnEditChanged(int id);
  bool Ticked(int index) const;
  // The field's check on OK for the text in edit `id`: the normalised text
  // goes back into the edit; an empty text fails with the field's not-set
  // message when `required`, else passes; then the limit and the character
  // class. A failure shows its message and puts the focus into the edit.
  bool CheckEdit(int index, int id, bool required, std::string* text);

  ui::Resources& strings_;
  rules::TextRules rules_;

 private:
  bool Tracks(int index) const;
  void Colour(int index, int id);

  ui::FontHandle font_;
  std::vector<std::vector<int>> edits_;
};
