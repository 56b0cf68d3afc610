// The dialog in which a group is created or changed: its two names and its
// members (template 131). Members are never typed: 追加 opens the member
// selection, 削除 removes the selected members. Works on a copy.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "booklib/rules/field_rules.h"
#include "faxbook/editing/member_list.h"
#include "platform/ui/dialog.h"
#include "platform/ui/wait_cursor.h"

class CGroupDialog : public ui::Dialog {
 public:
  enum class Mode { kNew, kEdit };

  CGroupDialog(ui::Resources& strings, const rules::TextRules& rules,
               const rules::NameLookup& names, const text::Collation& collation,
               ui::WaitCursor& cursor, ui::FontHandle font);

  // In: mode, registration number, names and members. `addresses` are the
  // single addresses of the book (in list order) that members are chosen
  // from. Out (when changed): the normalised names and the members. A
  // language other than Japanese neither shows nor changes the registration
  // name.
  Mode mode = Mode::kNew;
  int regNo = 0;
  std::string dispName;
  std::string dispNameJP;
  std::vector<store::MemberEntry> members;
  std::vector<store::MemberEntry> addresses;
  bool changed = false;

  void OnInit() override;
  void OnCommand(int id, int code) override;
  void OnListEvent(int listId, const ui::ListEvent& event) override;
  void OnOK() override;

 private:
  void AddMembers();
  void RemoveMembers();
  void UpdateState(int id, rules::Field field);

  ui::Resources& strings_;
  rules::TextRules rules_;
  const rules::NameLookup& names_;
  const text::Collation& collation_;
  ui::WaitCursor& cursor_;
  ui::FontHandle font_;
  MemberList list_;
  std::string openingName_;
  std::string openingReading_;
};
