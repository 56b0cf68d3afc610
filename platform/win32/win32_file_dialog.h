// The system's open-file and save-file dialogs behind ui::FileDialogs.
#pragma once

#include <windows.h>

#include "platform/ui/file_dialog.h"

namespace ui {

class Win32FileDialogs : public FileDialogs {
 public:
  // The window that owns a dialog when no modal dialog of this thread is
  // active (the main window once it exists).
  void SetOwner(HWND owner) { owner_ = owner; }
  // The Unicode dialogs, so that a path the code page cannot write is
  // known as such; the ANSI ones on a system without them.
  FileChoice ChooseFile(const FileDialogRequest& request, std::string* path) override;

 private:
  HWND owner_ = nullptr;
};

}  // namespace ui
