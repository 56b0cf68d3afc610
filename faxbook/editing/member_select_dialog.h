// The dialog that moves addresses between the addresses a group can still
// take and the members chosen for it (template 132).
#pragma once

#include <vector>

#include "faxbook/editing/member_list.h"
#include "platform/ui/dialog.h"
#include "platform/ui/wait_cursor.h"

class CMemberSelectDialog : public ui::Dialog {
 public:
  CMemberSelectDialog(ui::Resources& strings, int langId, const text::Collation& collation,
                      ui::WaitCursor& cursor, ui::FontHandle font);

  // In: the group's current members, and every single address of the book
  // in the main list's order. Out (on OK): the chosen members.
  std::vector<store::MemberEntry> chosen;
  std::vector<store::MemberEntry> addresses;

  void OnInit() override;
  void OnCommand(int id, int code) override;
  void OnListEvent(int listId, const ui::ListEvent& event) override;
  void OnOK() override;

 private:
  void MoveIn();
  void MoveOut();
  // Moves the selected rows of `from` to `to`, with their entries.
  void MoveSelected(MemberList& from, std::vector<store::MemberEntry>& fromEntries,
                    MemberList& to, std::vector<store::MemberEntry>& toEntries);

  ui::Resources& strings_;
  ui::WaitCursor& cursor_;
  ui::FontHandle font_;
  MemberList available_;
  MemberList chosenList_;
  std::vector<store::MemberEntry> availableEntries_;
};
