// The import confirmation (template 146): every data row of the CSV file
// with a mark for refused ("!") or over-long ("?") values; the user
// selects rows, corrects one in the address dialog, and adds the selected
// ones to the book.
#pragma once

#include <string>

#include "booklib/csv/charset.h"
#include "booklib/csv/column_mapping.h"
#include "faxbook/editing/command_context.h"
#include "booklib/csv/import_list.h"
#include "booklib/csv/row_reasons.h"
#include "platform/ui/dialog.h"

class CImportConfirmDialog : public ui::Dialog, private ui::ListRows {
 public:
  CImportConfirmDialog(const CommandContext& context, std::string path,
                       const csv::ColumnMapping& mapping,
                       csv::Charset charset = csv::Charset::kCodePage);

  // Out: set when the rows were loaded and nothing has been added since;
  // the mapping dialog then stays open after a Cancel, for another mapping.
  bool backAllowed = false;

  // Fills the list from the file (the wait cursor shown) and sorts it.
  void OnInit() override;
  void OnCommand(int id, int code) override;
  void OnListEvent(int listId, const ui::ListEvent& event) override;
  // With rows selected that can be added (none of them added yet) asks
  // whether to add them first: Yes adds and closes, No closes, Cancel stays.
  void OnOK() override;

  const csv::ImportList& Rows() const { return rows_; }

 private:
  void AddColumns();
  void Load();
  void ShowSelectedCount();
  // Why the focused (or the first selected) row is marked, in the status
  // line under the list.
  void ShowReason();
  // Sorts the rows, keeping the selected and the focused rows selected.
  void SortRows(int column, bool ascending);
  void OnColumnClick(int column);
  void Add();
  void Edit();
  void Tell(int messageId, const std::string& value = std::string());
  std::vector<int> SelectedPositions() const;
  // How many of the rows at these positions are refused ("!").
  int RefusedAmong(const std::vector<int>& positions) const;

  // ui::ListRows
  std::string CellText(int row, int column) const override;
  bool CellColour(int row, int column, bool highlighted, ui::Colour* colour) const override;

  CommandContext context_;
  std::string path_;
  csv::ColumnMapping mapping_;
  csv::Charset charset_;
  csv::ReasonTexts reasons_;
  csv::ImportList rows_;
  ui::ListControl* list_ = nullptr;
  int sortColumn_ = 0;
  bool ascending_ = true;
  bool restoringSelection_ = false;
};
