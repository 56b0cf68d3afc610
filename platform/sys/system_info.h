// What the program asks the system about itself and its user.
#pragma once

#include <string>

namespace sys {

// Special folder ids (CSIDL values).
constexpr int kFolderPersonal = 5;   // the user's documents
constexpr int kFolderAppData = 26;   // the user's application data

class SystemInfo {
 public:
  virtual ~SystemInfo() = default;

  // The major version the system's version query reports (5 for Windows
  // 2000 and XP, 6 for Vista and 7, 4 for NT 4).
  virtual int MajorVersion() = 0;

  // The ANSI code page of the system (932 on Japanese systems).
  virtual int AnsiCodePage() = 0;

  // The full path of the running program.
  virtual std::string ProgramPath() = 0;

  // The special folder `folderId` of the current user, from the shell's
  // SHGetSpecialFolderPathA looked up by name at run time (no owner window,
  // never created). False, with *path empty, when the shell lacks the
  // function or does not know the folder.
  virtual bool SpecialFolder(int folderId, std::string* path) = 0;
};

}  // namespace sys
