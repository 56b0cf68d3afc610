// The view's commands on single entries: new address and new group, edit of
// one address or group, delete, copy and paste, with the book's limits, the
// confirmations and what an address's change means for the groups that
// hold copies of it. Each command that changes the book is one step of its
// history.
#pragma once

#include <string>
#include <vector>

#include "faxbook/editing/command_context.h"
#include "faxbook/editing/command_set.h"
#include "booklib/rules/field_rules.h"
#include "store/address_record.h"

class CEntryCommands : public CommandSet, public rules::NameLookup {
 public:
  explicit CEntryCommands(const CommandContext& context);

  // New address and group (menu and hidden buttons), delete, copy, paste,
  // and the edit of the one selected address or group.
  bool OnCommand(int id) override;

  void NewAddress();
  void NewGroup();
  void EditAddress(store::EntryId id);
  void EditGroup(store::EntryId id);
  void Delete();
  void Copy();
  void Paste();

  // rules::NameLookup: an entry of the book carries the text as its
  // registration name (kind 0) or reading (kind 1).
  bool IsNameUsed(const std::string& text, int kind) const override;

  // The entry Copy took (kind 0 when empty): it survives Paste.
  struct CopyBuffer {
    int kind = 0;
    int regNo = 0;
    store::EntryTexts texts;
  };
  const CopyBuffer& Buffer() const { return buffer_; }

 private:
  void Tell(int messageId);
  bool TakeRegNo(int* regNo);
  // The first selected entry; kNoEntry when none is.
  store::EntryId FirstSelected() const;
  // The single addresses of the book in list order, as member candidates.
  std::vector<store::MemberEntry> Addresses() const;
  void RunAddressDialog(int regNo, const store::EntryTexts& texts);
  void RunNewGroupDialog(int regNo, const std::string& name, const std::string& reading,
                         const std::vector<store::MemberEntry>& members);

  CommandContext context_;
  CopyBuffer buffer_;
};
