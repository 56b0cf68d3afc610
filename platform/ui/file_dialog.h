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

enum class FileChoice {
  kCancelled,  // the user cancelled (or the dialog failed)
  kChosen,
  // The path of the file chosen holds characters the system's code page
  // cannot write: the path given has "?" (or a look-alike) in their place,
  // and no file of the program's can be opened by it.
  kNotInCodePage,
};

class FileDialogs {
 public:
  virtual ~FileDialogs() = default;
  // Shows the dialog, owned by the window the user works in (the running
  // modal dialog, else the main window), and gives the full path the user
  // chose in the system's code page.
  virtual FileChoice ChooseFile(const FileDialogRequest& request, std::string* path) = 0;
  // The same for a caller that takes whatever path the dialog gives: true
  // for a chosen file, its path written in the code page or not.
  bool Choose(const FileDialogRequest& request, std::string* path) {
    return ChooseFile(request, path) != FileChoice::kCancelled;
  }
};

}  // namespace ui
