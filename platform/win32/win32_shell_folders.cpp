#include "platform/win32/win32_shell_folders.h"

#include <windows.h>

namespace sys {

FolderLookup Win32ShellFolders::SpecialFolder(int folderId, std::string* path) {
  HMODULE shell = LoadLibraryA("Shell32.dll");
  if (!shell) return FolderLookup::kNoShellLibrary;
  using GetPath = BOOL(WINAPI*)(HWND, LPSTR, int, BOOL);
  const auto get = reinterpret_cast<GetPath>(
      reinterpret_cast<void*>(GetProcAddress(shell, "SHGetSpecialFolderPathA")));
  FolderLookup result = FolderLookup::kNoFunction;
  if (get) {
    char buffer[MAX_PATH + 1] = {};
    result = get(nullptr, buffer, folderId, TRUE) ? FolderLookup::kFound : FolderLookup::kFailed;
    if (result == FolderLookup::kFound) *path = buffer;
  }
  FreeLibrary(shell);
  return result;
}

bool Win32ShellFolders::EnsureFolder(const std::string& path) {
  if (CreateDirectoryA(path.c_str(), nullptr)) return true;
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32LocaleInfo::UserDefaultLanguage(std::string* hexText) {
  char buffer[16] = {};
  const int n = GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_ILANGUAGE, buffer, sizeof(buffer));
  if (n <= 0) return false;
  *hexText = buffer;
  return true;
}

}  // namespace sys
