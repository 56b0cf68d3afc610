// Which address book the picker shows, as "FilePath.ini" remembers it:
//   [PARAM] TYPE=1 (shared) or 0 (personal), HostName, FilePath.
#pragma once

#include <string>

#include "platform/sys/file_system.h"
#include "platform/sys/ini_files.h"

namespace picker {

struct BookChoice {
  int shareMode = 0;  // 0 personal, 1 shared
  // The shared book's host without backslashes (may be empty), and its
  // path: on the host when there is one (then starting with a backslash),
  // else a complete local or mapped-drive path.
  std::string shareHost;
  std::string sharePath;
};

inline constexpr char kSettingsSection[] = "PARAM";

// Reads the choice from the settings file; a missing file (or an empty
// path) gives the personal book. TYPE defaults to 260; only 1 means
// shared, and only then are HostName and FilePath read.
BookChoice ReadBookChoice(sys::FileSystem& files, sys::IniFiles& ini, const std::string& settingsPath);

// Writes TYPE, HostName and FilePath in this order; false at the first
// failed write.
bool WriteBookChoice(sys::IniFiles& ini, const std::string& settingsPath, const BookChoice& choice);

// The choice of a shared book picked in the file dialog: a path starting
// with two backslashes splits into the host (up to the first backslash
// from the fourth byte on, backslashes removed) and the rest; any other
// path is the whole shared path, without host. Double-byte characters of
// the code page are stepped over whole (their second byte may be a
// backslash's).
BookChoice SharedChoiceFor(int codePage, const std::string& path);

}  // namespace picker
