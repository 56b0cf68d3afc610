// Special folders and folder creation in memory.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/sys/shell_folders.h"
#include "platform/sys/system_info.h"

namespace sys {

class FakeShellFolders : public ShellFolders {
 public:
  // What the shell answers: kFound for the folders it knows, `failure` for
  // any other (and for every folder when the failure is kNoShellLibrary or
  // kNoFunction).
  std::map<int, std::string> folders = {
      {kFolderPersonal, "C:\\Documents and Settings\\user\\My Documents"},
      {kFolderAppData, "C:\\Users\\user\\AppData\\Roaming"}};
  FolderLookup failure = FolderLookup::kFailed;
  std::set<std::string> existing;
  std::set<std::string> uncreatable;
  std::vector<int> asked;
  std::vector<std::string> created;

  FolderLookup SpecialFolder(int folderId, std::string* path) override {
    asked.push_back(folderId);
    if (failure == FolderLookup::kNoShellLibrary || failure == FolderLookup::kNoFunction) {
      return failure;
    }
    auto it = folders.find(folderId);
    if (it == folders.end()) return failure;
    *path = it->second;
    existing.insert(it->second);
    return FolderLookup::kFound;
  }
  bool EnsureFolder(const std::string& path) override {
    if (existing.count(path)) return true;
    if (uncreatable.count(path)) return false;
    existing.insert(path);
    created.push_back(path);
    return true;
  }
};

}  // namespace sys
