// The system's open-file and save-file dialogs.
#pragma once

#include <string>

namespace ui {

struct FileDialogRequest {
  // The save form (true) or the open form of the dialog.
  bool save = false;
  // The filter in the framework's form: pairs of a description and a
  // pattern, each ended by "|" ("CSV files(*.csv)|*.csv|").
  std::string filter;
  // The text the file name box starts with ("*.csv"); may be empty.
  std::string fileName;
  // Appended to a typed name without an extension; empty for none.
  std::string defaultExtension;
  // Options of the dialog.
  bool hideReadOnly = true;
  bool overwritePrompt = false;
  bool pathMustExist = false;
  bool fileMustExist = false;
};

class FileDialogs {
 public:
  virtual ~FileDialogs() = default;
  // Shows the dialog, owned by the window the user works in (the running
  // modal dialog, else the main window). True with the full path the user
  // chose; false when the user cancelled (or the dialog failed).
  virtual bool Choose(const FileDialogRequest& request, std::string* path) = 0;
};

}  // namespace ui
