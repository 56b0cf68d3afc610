// GetOpenFileNameA and GetSaveFileNameA behind ui::FileDialogs.
#pragma once

#include <windows.h>

#include "platform/ui/file_dialog.h"

namespace ui {

class Win32FileDialogs : public FileDialogs {
 public:
  // The window that owns a dialog when no modal dialog of this thread is
  // active (the main window once it exists).
  void SetOwner(HWND owner) { owner_ = owner; }
  bool Choose(const FileDialogRequest& request, std::string* path) override;

 private:
  HWND owner_ = nullptr;
};

}  // namespace ui
