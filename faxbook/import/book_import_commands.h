// The view's commands on other books: save-as (a copy of the entries in a
// file the user names), the address book import and the device-file import
// (both replace every entry; the editor's own file changes only when the
// user applies).
#pragma once

#include <string>

#include "faxbook/editing/command_set.h"
#include "faxbook/editing/editor_services.h"
#include "faxbook/editing/field_rules.h"
#include "faxbook/editing/view_services.h"

class CBookImportCommands : public CommandSet {
 public:
  CBookImportCommands(ViewServices& view, const EditorServices& services);

  // Save-as (57604), the address book import (57601) and the device-file
  // import (32792).
  bool OnCommand(int id) override;

  enum class SaveAsResult { kCancelled, kSaved, kFailed };
  // Writes every entry to a file the user chooses; the book's own file and
  // the modified flag stay as they are. A failed write is reported.
  SaveAsResult SaveAs();
  // Replaces the entries by those of another book file. The book counts as
  // modified unless the file chosen is the book's own (same path bytes).
  void ImportBook();
  // Replaces the entries by the destinations of a device file.
  void ImportQuorvex();

  // The file the last save-as wrote (or tried to).
  const std::string& SaveAsPath() const { return saveAsPath_; }

 private:
  editing::TextRules Rules() const;
  std::string String(int id) const;
  void Tell(const std::string& text);
  // With unsaved changes, offers to save them under another name first.
  // False when the command is to end here.
  bool OfferToSave();
  bool ChooseFile(bool save, const std::string& extension, std::string* path);
  // Whether the book file at path can be read whole by the loader.
  bool BookReadable(const std::string& path);

  ViewServices& view_;
  EditorServices services_;
  std::string saveAsPath_;
};
