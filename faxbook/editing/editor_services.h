// The system and user-interface services the editor runs on: the real ones
// in the program, the in-memory ones in tests.
#pragma once

#include "platform/sys/file_system.h"
#include "platform/sys/folders.h"
#include "platform/sys/instance.h"
#include "platform/sys/registry.h"
#include "platform/sys/system_info.h"
#include "platform/text/collation.h"
#include "platform/ui/dialog.h"
#include "platform/ui/file_dialog.h"
#include "platform/ui/help.h"
#include "platform/ui/message_box.h"
#include "platform/ui/resources.h"
#include "platform/ui/wait_cursor.h"

struct EditorServices {
  sys::FileSystem* files = nullptr;
  sys::Registry* registry = nullptr;
  sys::SystemInfo* system = nullptr;
  sys::Folders* folders = nullptr;
  sys::InstanceServices* instance = nullptr;
  ui::Resources* resources = nullptr;
  ui::MessageBoxes* messages = nullptr;
  ui::WaitCursor* waitCursor = nullptr;
  ui::HelpSystem* help = nullptr;
  ui::DialogRunner* dialogs = nullptr;
  ui::FileDialogs* fileDialogs = nullptr;
  // The locale's text order (the system's code page and collation).
  const text::Collation* collation = nullptr;
};
