// What the editor learns about its surroundings at start-up and every part
// of it reads: the interface language, the system's code page and the
// substitute font of lists and edit fields. The application owns it; the
// frame fills it while it is created.
#pragma once

#include "platform/ui/font.h"

struct EditorSettings {
  // The interface language (1041 Japanese).
  int langId = 1041;
  // The system's ANSI code page.
  int codePage = 932;
  // The Central European font of edit fields and lists (code page 1250),
  // else 0.
  ui::FontHandle listFont = 0;
};
