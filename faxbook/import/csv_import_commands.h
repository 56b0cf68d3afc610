// The CSV import command (32791): the file is chosen and checked, then the
// mapping and confirmation dialogs add its rows to the book.
#pragma once

#include <string>

#include "faxbook/editing/command_set.h"
#include "faxbook/editing/command_context.h"

class CCsvImportCommands : public CommandSet {
 public:
  explicit CCsvImportCommands(const CommandContext& context);

  bool OnCommand(int id) override;

  // The open-file dialog for CSV files; a path the code page cannot write
  // is refused as such, a file that is empty or cannot be opened for its
  // size without sharing (another program holds it) gives 61261, an
  // extension other than "CSV" or "csv" 61237; otherwise the mapping
  // dialog runs. Nothing is asked about unsaved changes.
  void ImportCsv();

 private:
  void Tell(const std::string& text);

  CommandContext context_;
};

// The extension of the path's file name (after its last dot; empty without
// one) is "CSV" or "csv", compared exactly.
bool HasCsvExtension(int codePage, const std::string& path);
