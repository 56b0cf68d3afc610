// The system services of platform/sys on Windows.
#pragma once

#include <windows.h>

#include "platform/sys/folders.h"
#include "platform/sys/instance.h"
#include "platform/sys/registry.h"
#include "platform/sys/system_info.h"

namespace sys {

class Win32Registry : public Registry {
 public:
  bool ReadMachineString(const std::string& key, const std::string& name, std::size_t bufferBytes,
                         std::string* out) override;
};

class Win32SystemInfo : public SystemInfo {
 public:
  // GetVersionExA's major version.
  int MajorVersion() override;
  int AnsiCodePage() override;
  std::string ProgramPath() override;
  // Loads shell32.dll, looks up SHGetSpecialFolderPathA by name, calls it
  // and releases the library again.
  bool SpecialFolder(int folderId, std::string* path) override;
};

class Win32Folders : public Folders {
 public:
  bool CurrentDirectory(std::size_t maxBytes, std::string* path) override;
  bool EnterDirectory(const std::string& path) override;
  bool CreateFolderWithOpenAccess(const std::string& path) override;
  bool OpenFolderRights(const std::string& path) override;
};

class Win32Instance : public InstanceServices {
 public:
  ~Win32Instance() override { CloseMutex(); }
  MutexResult CreateOwnedMutex(const std::string& name) override;
  void CloseMutex() override;
  bool RaiseWindow(const std::string& title) override;
  bool SendToWindow(const std::string& title, unsigned message, unsigned long wParam,
                    long lParam) override;

 private:
  HANDLE mutex_ = nullptr;
};

}  // namespace sys
