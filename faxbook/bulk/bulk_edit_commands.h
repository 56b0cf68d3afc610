// The view's commands on several entries at once: the multi-address edit
// (edit with two or more rows selected) and the replace command (32796).
#pragma once

#include <functional>
#include <vector>

#include "faxbook/editing/command_context.h"
#include "faxbook/editing/command_set.h"
#include "booklib/rules/bulk_edit.h"

class CBulkEditCommands : public CommandSet {
 public:
  explicit CBulkEditCommands(const CommandContext& context);

  // The edit of several selected rows and the replace command.
  bool OnCommand(int id) override;

  void EditSeveral();
  void Replace();

 private:
  struct Selected {
    store::EntryId id;
    bool group;
  };
  // The selected entries from top to bottom.
  std::vector<Selected> Selection() const;
  bool GroupsOnly(const std::vector<Selected>& selection) const;
  // The names and readings of every entry of the book.
  rules::NameIndex BookNames() const;
  // Changes each selected entry from top to bottom and, for an address, the
  // copies that groups hold (found by the reading it had before), all in one
  // step of the book's history.
  using Change = std::function<void(bool group, rules::NameIndex* names, store::AddressRecord* record)>;
  void ApplyToSelection(const std::vector<Selected>& selection, const Change& change);
  CommandContext context_;
};
