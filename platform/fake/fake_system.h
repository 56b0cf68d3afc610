// In-memory stand-ins for the system services, for tests.
#pragma once

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/sys/folders.h"
#include "platform/sys/instance.h"
#include "platform/sys/registry.h"
#include "platform/sys/system_info.h"

namespace sys {

// Values under HKEY_LOCAL_MACHINE, by key and value name.
class FakeRegistry : public Registry {
 public:
  void Set(const std::string& key, const std::string& name, const std::string& value) {
    values_[{key, name}] = value;
  }
  void Remove(const std::string& key, const std::string& name) { values_.erase({key, name}); }
  bool ReadMachineString(const std::string& key, const std::string& name, std::size_t bufferBytes,
                         std::string* out) override {
    out->clear();
    auto it = values_.find({key, name});
    if (it == values_.end() || it->second.size() + 1 > bufferBytes) return false;
    *out = it->second;
    return true;
  }

 private:
  std::map<std::pair<std::string, std::string>, std::string> values_;
};

class FakeSystemInfo : public SystemInfo {
 public:
  int majorVersion = 5;
  int codePage = 932;
  std::string programPath = "C:\\Program Files\\Faxbook\\faxbook.exe";
  // The folders the shell knows; hasShellFunction false: the shell lacks
  // SHGetSpecialFolderPathA.
  std::map<int, std::string> specialFolders = {
      {kFolderPersonal, "C:\\Documents and Settings\\user\\My Documents"},
      {kFolderAppData, "C:\\Users\\user\\AppData\\Roaming"}};
  bool hasShellFunction = true;
  std::vector<int> foldersAsked;

  int MajorVersion() override { return majorVersion; }
  int AnsiCodePage() override { return codePage; }
  std::string ProgramPath() override { return programPath; }
  bool SpecialFolder(int folderId, std::string* path) override {
    foldersAsked.push_back(folderId);
    path->clear();
    if (!hasShellFunction) return false;
    auto it = specialFolders.find(folderId);
    if (it == specialFolders.end()) return false;
    *path = it->second;
    return true;
  }
};

// Folders that exist, the current directory, and what was created.
class FakeFolders : public Folders {
 public:
  std::set<std::string> existing;
  std::string current = "C:\\Program Files\\Faxbook";
  std::vector<std::string> created;         // with open access, in order
  std::vector<std::string> rightsOpened;
  std::set<std::string> uncreatable;

  bool CurrentDirectory(std::size_t maxBytes, std::string* path) override {
    if (current.size() + 1 > maxBytes) return false;
    *path = current;
    return true;
  }
  bool EnterDirectory(const std::string& path) override {
    if (existing.count(path) == 0) return false;
    current = path;
    return true;
  }
  bool CreateFolderWithOpenAccess(const std::string& path) override {
    if (uncreatable.count(path) || existing.count(path)) return false;
    existing.insert(path);
    created.push_back(path);
    return true;
  }
  bool OpenFolderRights(const std::string& path) override {
    if (existing.count(path) == 0) return false;
    rightsOpened.push_back(path);
    return true;
  }
};

// Mutexes and top-level windows of the other programs.
class FakeInstance : public InstanceServices {
 public:
  std::set<std::string> heldMutexes;       // held by other processes
  bool failMutex = false;
  std::set<std::string> windows;           // titles of top-level windows
  std::string ownMutex;
  std::vector<std::string> raised;
  struct Sent {
    std::string title;
    unsigned message;
    unsigned long wParam;
    long lParam;
  };
  std::vector<Sent> sent;

  MutexResult CreateOwnedMutex(const std::string& name) override {
    if (failMutex) return MutexResult::kFailed;
    if (heldMutexes.count(name)) return MutexResult::kAlreadyExists;
    ownMutex = name;
    return MutexResult::kCreated;
  }
  void CloseMutex() override { ownMutex.clear(); }
  bool RaiseWindow(const std::string& title) override {
    if (windows.count(title) == 0) return false;
    raised.push_back(title);
    return true;
  }
  bool SendToWindow(const std::string& title, unsigned message, unsigned long wParam,
                    long lParam) override {
    if (windows.count(title) == 0) return false;
    sent.push_back({title, message, wParam, lParam});
    return true;
  }
};

}  // namespace sys
