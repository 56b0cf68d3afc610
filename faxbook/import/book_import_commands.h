// The view's commands on other books: save-as (a copy of the entries in a
// file the user names), the address book import and the device-file import
// (both replace every entry; the editor's own file changes only when the
// user applies).
#pragma once

#include <string>

#include "faxbook/editing/command_context.h"
#include "faxbook/editing/command_set.h"
#include "platform/ui/file_dialog.h"

class CBookImportCommands : public CommandSet {
 public:
  explicit CBookImportCommands(const CommandContext& context);

  // Save-as (57604), the address book import (57601) and the device-file
  // import (32792).
  bool OnCommand(int id) override;

  enum class SaveAsResult { kCancelled, kSaved, kFailed };
  // Writes every entry to a file the user chooses; the book's own file and
  // the modified flag stay as they are. A failed write is reported.
  SaveAsResult SaveAs();
  // Replaces the entries by those of another book file (one step of the
  // history). The book counts as modified while it differs from what its
  // own file held when it was last read or written.
  void ImportBook();
  // Replaces the entries by the destinations of a device file.
  void ImportQuorvex();

  // The file the last save-as wrote (or tried to).
  const std::string& SaveAsPath() const { return saveAsPath_; }

 private:
  void Tell(const std::string& text);
  // With unsaved changes, offers to save them under another name first.
  // False when the command is to end here.
  bool OfferToSave();
  // The file dialog for books or device files; a path the code page cannot
  // write is refused here, with a message.
  ui::FileChoice ChooseFile(bool save, const std::string& extension, std::string* path);
  // Whether the book file at path can be read whole by the loader.
  bool BookReadable(const std::string& path);

  CommandContext context_;
  std::string saveAsPath_;
};
