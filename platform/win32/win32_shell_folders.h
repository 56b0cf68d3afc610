// ShellFolders and LocaleInfo on Windows.
#pragma once

#include "platform/sys/locale_info.h"
#include "platform/sys/shell_folders.h"

namespace sys {

class Win32ShellFolders : public ShellFolders {
 public:
  // Loads "Shell32.dll", takes SHGetSpecialFolderPathA by name, asks it
  // with its create argument set, and releases the library again.
  FolderLookup SpecialFolder(int folderId, std::string* path) override;
  bool EnsureFolder(const std::string& path) override;
};

class Win32LocaleInfo : public LocaleInfo {
 public:
  // GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_ILANGUAGE).
  bool UserDefaultLanguage(std::string* hexText) override;
};

}  // namespace sys
