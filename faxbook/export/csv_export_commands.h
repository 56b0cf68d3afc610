// The editor's CSV export: every address of the book, in reading order, to
// a CSV file the user names, in the system's code page or in UTF-8 (the
// same file fdtool export-csv writes). Groups are no rows of a CSV file.
#pragma once

#include <string>

#include "faxbook/editing/command_context.h"
#include "faxbook/editing/command_set.h"

class CCsvExportCommands : public CommandSet {
 public:
  explicit CCsvExportCommands(const CommandContext& context);

  // ID_EXPORT_CSV and ID_EXPORT_CSV_UTF8.
  bool OnCommand(int id) override;

  enum class Result { kCancelled, kWritten, kNoUtf8Form, kFailed, kNotInCodePage, kOverBook };
  // Asks for the file (the save dialog asks before replacing one), then
  // replaces it whole: a failed write leaves the previous file as it was.
  // A path the code page cannot write is refused as such, and so is the
  // book's own file (see export_target.h).
  Result Export(bool utf8);

 private:
  CommandContext context_;
};
