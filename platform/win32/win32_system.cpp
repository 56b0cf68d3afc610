#include "platform/win32/win32_system.h"

#include <vector>

#include "platform/win32/open_access.h"

namespace sys {

bool Win32Registry::ReadMachineString(const std::string& key, const std::string& name,
                                      std::size_t bufferBytes, std::string* out) {
  out->clear();
  HKEY handle = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) {
    return false;
  }
  std::vector<char> buffer(bufferBytes + 1, '\0');
  DWORD type = 0;
  DWORD size = static_cast<DWORD>(bufferBytes);
  const LONG status = RegQueryValueExA(handle, name.c_str(), nullptr, &type,
                                       reinterpret_cast<BYTE*>(buffer.data()), &size);
  RegCloseKey(handle);
  if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return false;
  *out = buffer.data();  // up to the terminating zero (the buffer has one more)
  return true;
}

int Win32SystemInfo::MajorVersion() {
  OSVERSIONINFOA info = {};
  info.dwOSVersionInfoSize = sizeof(info);
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#endif
  if (!GetVersionExA(&info)) return 0;
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif
  return static_cast<int>(info.dwMajorVersion);
}

int Win32SystemInfo::AnsiCodePage() { return static_cast<int>(GetACP()); }

std::string Win32SystemInfo::ProgramPath() {
  char path[MAX_PATH + 1] = {};
  const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  return std::string(path, n);
}

bool Win32SystemInfo::SpecialFolder(int folderId, std::string* path) {
  path->clear();
  HMODULE shell = LoadLibraryA("shell32.dll");
  if (!shell) return false;
  using GetPath = BOOL(WINAPI*)(HWND, LPSTR, int, BOOL);
  const auto get = reinterpret_cast<GetPath>(
      reinterpret_cast<void*>(GetProcAddress(shell, "SHGetSpecialFolderPathA")));
  bool ok = false;
  if (get) {
    char buffer[MAX_PATH + 1] = {};
    ok = get(nullptr, buffer, folderId, FALSE) != FALSE;
    if (ok) *path = buffer;
  }
  FreeLibrary(shell);
  return ok;
}

bool Win32Folders::CurrentDirectory(std::size_t maxBytes, std::string* path) {
  std::vector<char> buffer(maxBytes + 1, '\0');
  const DWORD n = GetCurrentDirectoryA(static_cast<DWORD>(maxBytes), buffer.data());
  if (n == 0 || n >= maxBytes) return false;
  path->assign(buffer.data(), n);
  return true;
}

bool Win32Folders::EnterDirectory(const std::string& path) {
  return SetCurrentDirectoryA(path.c_str()) != FALSE;
}

bool Win32Folders::CreateFolderWithOpenAccess(const std::string& path) {
  OpenAccessRights rights;
  return CreateDirectoryA(path.c_str(), rights.Attributes()) != FALSE;
}

bool Win32Folders::OpenFolderRights(const std::string& path) {
  // The folder's security is read first (owner and group); only a folder
  // whose security can be read gets the open DACL.
  DWORD needed = 0;
  const SECURITY_INFORMATION what = OWNER_SECURITY_INFORMATION | GROUP_SECURITY_INFORMATION;
  GetFileSecurityA(path.c_str(), what, nullptr, 0, &needed);
  if (needed == 0) return false;
  std::vector<unsigned char> descriptor(needed);
  if (!GetFileSecurityA(path.c_str(), what, descriptor.data(), needed, &needed)) return false;
  OpenAccessRights rights;
  if (!rights.Dacl()) return false;
  SECURITY_DESCRIPTOR open = {};
  if (!InitializeSecurityDescriptor(&open, SECURITY_DESCRIPTOR_REVISION) ||
      !SetSecurityDescriptorDacl(&open, TRUE, rights.Dacl(), FALSE)) {
    return false;
  }
  return SetFileSecurityA(path.c_str(), DACL_SECURITY_INFORMATION, &open) != FALSE;
}

MutexResult Win32Instance::CreateOwnedMutex(const std::string& name) {
  HANDLE handle = CreateMutexA(nullptr, TRUE, name.c_str());
  if (!handle) return MutexResult::kFailed;
  if (GetLastError() == ERROR_ALREADY_EXISTS) {
    CloseHandle(handle);
    return MutexResult::kAlreadyExists;
  }
  CloseMutex();
  mutex_ = handle;
  return MutexResult::kCreated;
}

void Win32Instance::CloseMutex() {
  if (mutex_) CloseHandle(mutex_);
  mutex_ = nullptr;
}

bool Win32Instance::RaiseWindow(const std::string& title) {
  HWND window = FindWindowA(nullptr, title.c_str());
  if (!window) return false;
  if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
  SetForegroundWindow(window);
  BringWindowToTop(window);
  return true;
}

bool Win32Instance::SendToWindow(const std::string& title, unsigned message, unsigned long wParam,
                                 long lParam) {
  HWND window = FindWindowA(nullptr, title.c_str());
  if (!window) return false;
  SendMessageA(window, message, static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam));
  return true;
}

}  // namespace sys
