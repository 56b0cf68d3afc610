// The dialog that lets the user decide the conflicts of a merge at apply
// (template 150): one row for each field that differs, with the value on
// disk and the value here (a group's member and its field where only that
// differs); the user keeps "this PC's" or "the file's" version of the
// selected entries or of all. For an address removed on one side while the
// other made it a group's member, the kept column says what the choice
// does: "remove everywhere" or "keep the address". OK once every entry is
// decided; Cancel (and Escape) decides nothing.
#pragma once

#include <string>
#include <vector>

#include "booklib/merge/book_merge.h"
#include "faxbook/shell/conflict_chooser.h"
#include "platform/ui/dialog.h"
#include "platform/ui/resources.h"

class CConflictDialog : public ui::Dialog {
 public:
  CConflictDialog(ui::Resources& strings, const std::vector<merge::Conflict>& conflicts);

  // Out, after OK: one side for each conflict.
  std::vector<merge::Side> choices;

  void OnInit() override;
  void OnCommand(int id, int code) override;
  void OnListEvent(int listId, const ui::ListEvent& event) override;
  void OnOK() override;

 private:
  // The rows' conflicts that are selected.
  std::vector<int> SelectedConflicts();
  void Keep(const std::vector<int>& conflicts, merge::Side side);
  void ShowChoices();
  std::string FieldLabel(const std::string& field) const;
  // A row's field: a member's field names the member too.
  std::string RowLabel(const merge::FieldDifference& f) const;
  // A row's value on one side: "(removed)" for an entry that side removed,
  // "(none)" for a member that side lacks.
  std::string ValueText(const merge::Conflict& conflict, const merge::FieldDifference& f,
                        merge::Side side) const;

  ui::Resources& strings_;
  const std::vector<merge::Conflict>& conflicts_;
  // The conflict each row shows, and whether it is the conflict's first row.
  std::vector<int> rowConflict_;
  std::vector<bool> firstRow_;
  // -1 undecided, else the side as an int.
  std::vector<int> decided_;
};

// Runs the dialog for the document's apply.
class CConflictChooser : public ConflictChooser {
 public:
  CConflictChooser(ui::DialogRunner& runner, ui::Resources& strings)
      : runner_(runner), strings_(strings) {}
  bool Choose(const std::vector<merge::Conflict>& conflicts,
              std::vector<merge::Side>* choices) override;

 private:
  ui::DialogRunner& runner_;
  ui::Resources& strings_;
};
