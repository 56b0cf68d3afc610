// The view's commands on single entries: new address and new group, edit of
// one address or group, delete, copy and paste, with the book's limits, the
// confirmations and what an address's change means for the groups that
// hold copies of it.
#pragma once

#include <string>
#include <vector>

#include "faxbook/editing/command_set.h"
#include "faxbook/editing/editor_services.h"
#include "faxbook/editing/field_rules.h"
#include "faxbook/editing/view_services.h"
#include "store/address_record.h"
#include "store/group_table.h"

class CEntryCommands : public CommandSet,
                       public editing::NameLookup,
                       public store::GroupEntryOwner {
 public:
  CEntryCommands(ViewServices& view, const EditorServices& services);

  // New address and group (menu and hidden buttons), delete, copy, paste,
  // and the edit of the one selected address or group.
  bool OnCommand(int id) override;

  void NewAddress();
  void NewGroup();
  void EditAddress(int row);
  void EditGroup(int row);
  void Delete();
  void Copy();
  void Paste();

  // editing::NameLookup: an entry of the list carries the text as its
  // registration name (kind 0) or reading (kind 1).
  bool IsNameUsed(const std::string& text, int kind) const override;
  // store::GroupEntryOwner: a group lost its last member.
  void RemoveGroupEntry(int regNo) override;

  // The entry Copy took (kind 0 when empty): it survives Paste.
  struct CopyBuffer {
    int kind = 0;
    int regNo = 0;
    store::EntryTexts texts;
  };
  const CopyBuffer& Buffer() const { return buffer_; }

 private:
  editing::TextRules Rules() const;
  std::string String(int id) const;
  void Tell(int messageId);
  bool TakeRegNo(int* regNo);
  // The single addresses of the list in row order, as member candidates.
  std::vector<store::MemberEntry> Addresses() const;
  void RunAddressDialog(int regNo, const store::EntryTexts& texts);
  void RunNewGroupDialog(int regNo, const std::string& name, const std::string& reading,
                         const std::vector<store::MemberEntry>& members);
  // Inserts a new row at the top, makes it the only selected row, sorts.
  void AddEntry(const store::AddressRecord& record, bool group);
  void SelectOnly(int row);

  ViewServices& view_;
  EditorServices services_;
  CopyBuffer buffer_;
};
