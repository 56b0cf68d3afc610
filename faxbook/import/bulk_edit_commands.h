// The view's commands on several entries at once: the multi-address edit
// (edit with two or more rows selected) and the replace command (32796).
#pragma once

#include <functional>
#include <vector>

#include "faxbook/editing/command_set.h"
#include "faxbook/editing/editor_services.h"
#include "faxbook/editing/field_rules.h"
#include "faxbook/editing/view_services.h"
#include "faxbook/import/bulk_edit.h"

class CBulkEditCommands : public CommandSet {
 public:
  CBulkEditCommands(ViewServices& view, const EditorServices& services);

  // The edit of several selected rows and the replace command.
  bool OnCommand(int id) override;

  void EditSeveral();
  void Replace();

 private:
  struct Selected {
    int row;
    int rowId;
    bool group;
  };
  // The selected rows from top to bottom that carry a record.
  std::vector<Selected> Selection() const;
  bool GroupsOnly(const std::vector<Selected>& selection) const;
  // The names and readings of every entry of the book.
  NameIndex BookNames() const;
  // Changes each selected entry from top to bottom, rewrites its row and,
  // for an address, the copies that groups hold (found by the reading it
  // had before); then sorts the list again and marks the book modified.
  using Change = std::function<void(bool group, NameIndex* names, store::AddressRecord* record)>;
  void ApplyToSelection(const std::vector<Selected>& selection, const Change& change);
  editing::TextRules Rules() const;

  ViewServices& view_;
  EditorServices services_;
};
