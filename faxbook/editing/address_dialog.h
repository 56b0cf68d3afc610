// The dialog in which one single address is created or changed (template
// 130). It works on a copy: the caller fills the public fields, runs it,
// and takes the result only when `changed` is set.
#pragma once

#include <array>
#include <string>

#include "booklib/rules/field_rules.h"
#include "platform/ui/dialog.h"
#include "platform/ui/resources.h"
#include "store/address_record.h"

class CAddressDialog : public ui::Dialog {
 public:
  enum class Mode { kNew, kEdit };

  // names answers the uniqueness test; font is the substitute dialog font
  // (0 for none).
  CAddressDialog(ui::Resources& strings, const rules::TextRules& rules,
                 const rules::NameLookup& names, ui::FontHandle font);

  // In: the mode, the entry's registration number (handed back unchanged),
  // its texts and honorific, and whether the honorific stays locked.
  Mode mode = Mode::kNew;
  int regNo = 0;
  store::EntryTexts texts;
  bool honorificLock = false;
  // Out: set when the dialog ended with OK; texts then hold the normalised
  // values and respect the chosen honorific. A language other than
  // Japanese neither shows nor changes the registration name and the
  // honorific (an emptied recipient still clears the honorific).
  bool changed = false;

  void OnInit() override;
  void OnShown() override;
  void OnCommand(int id, int code) override;
  void OnOK() override;

 private:
  bool TracksField(int index) const;
  void UpdateState(int index);
  void UpdateHonorificEnabling();

  ui::Resources& strings_;
  rules::TextRules rules_;
  const rules::NameLookup& names_;
  ui::FontHandle font_;
  std::array<rules::FieldState, rules::kFieldCount> states_{};
  int firstFailing_ = 0;  // control id of the first field whose characters fail
  std::string openingName_;
  std::string openingReading_;
};
