// The mapping of CSV columns to address fields (template 145): one combo
// box per field offers the columns of the file's header line. OK opens the
// confirmation with the mapping; back from there, the user may map again.
#pragma once

#include <array>
#include <string>

#include "faxbook/csv/column_mapping.h"
#include "faxbook/editing/command_context.h"
#include "platform/ui/dialog.h"

class CCsvFieldMapDialog : public ui::Dialog {
 public:
  CCsvFieldMapDialog(const CommandContext& context, std::string path);

  // Out: the mapping of the last OK.
  csv::ColumnMapping mapping;

  // Fills the combo boxes from the header line and proposes the language's
  // default mapping.
  void OnInit() override;
  void OnCommand(int id, int code) override;
  // Runs the confirmation; stays open when it comes back with Cancel while
  // going back is allowed.
  void OnOK() override;

 private:
  CommandContext context_;
  std::string path_;
  // A combo box typed into maps to no column.
  std::array<bool, rules::kFieldCount> typed_{};
};
