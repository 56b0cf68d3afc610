// The mapping of CSV columns to address fields (template 145): the
// character set the file is read in (the code page, UTF-8 or UTF-16,
// proposed by the file's bytes), and one combo box per field offering the columns of
// the file's header line, the joined name columns a recognised header
// proposes, and last "(not imported)". OK opens the confirmation with the
// mapping; back from there, the user may map again.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "booklib/csv/charset.h"
#include "booklib/csv/column_mapping.h"
#include "faxbook/editing/command_context.h"
#include "platform/ui/dialog.h"

class CCsvFieldMapDialog : public ui::Dialog {
 public:
  CCsvFieldMapDialog(const CommandContext& context, std::string path);

  // Out: the mapping and the character set of the last OK.
  csv::ColumnMapping mapping;
  csv::Charset charset = csv::Charset::kCodePage;

  // Fills the combo boxes from the header line and proposes the language's
  // default mapping.
  void OnInit() override;
  void OnCommand(int id, int code) override;
  // Runs the confirmation; stays open when it comes back with Cancel while
  // going back is allowed.
  void OnOK() override;

 private:
  // Reads the header in the chosen character set and fills the field
  // combos with its entries and the proposed mapping.
  void FillFields();

  // What one entry of the field combos maps to.
  struct Choice {
    int column;
    int joined;
  };

  CommandContext context_;
  std::string path_;
  std::vector<Choice> choices_;
  // A combo box typed into maps to no column.
  std::array<bool, rules::kFieldCount> typed_{};
};
