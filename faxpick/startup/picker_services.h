// The system and user-interface services the picker runs on: the real ones
// in the program, the in-memory ones in tests.
#pragma once

#include "platform/sys/file_system.h"
#include "platform/sys/ini_files.h"
#include "platform/sys/locale_info.h"
#include "platform/sys/network.h"
#include "platform/sys/registry.h"
#include "platform/sys/shell_folders.h"
#include "platform/sys/system_info.h"
#include "platform/text/locale_equality.h"
#include "platform/ui/dialog.h"
#include "platform/ui/file_dialog.h"
#include "platform/ui/help.h"
#include "platform/ui/message_box.h"
#include "platform/ui/resources.h"
#include "platform/ui/wait_cursor.h"

namespace picker {

struct PickerServices {
  sys::FileSystem* files = nullptr;
  sys::IniFiles* ini = nullptr;
  sys::Registry* registry = nullptr;
  sys::SystemInfo* system = nullptr;
  sys::ShellFolders* shell = nullptr;
  sys::Network* network = nullptr;
  sys::LocaleInfo* locale = nullptr;
  ui::Resources* resources = nullptr;
  // Message boxes without an owner window (before and after the dialog).
  ui::MessageBoxes* messages = nullptr;
  ui::HelpSystem* help = nullptr;
  ui::DialogRunner* dialogs = nullptr;
  ui::FileDialogs* fileDialogs = nullptr;
  ui::WaitCursor* waitCursor = nullptr;
  const text::LocaleEquality* localeEquality = nullptr;
};

}  // namespace picker
