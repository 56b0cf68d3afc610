// The user's special folders as the shell names them, created on demand,
// and plain folder creation.
#pragma once

#include <string>

namespace sys {

enum class FolderLookup {
  kFound,
  kNoShellLibrary,  // "Shell32.dll" could not be loaded
  kNoFunction,      // it has no SHGetSpecialFolderPathA
  kFailed,          // the shell does not know or cannot create the folder
};

class ShellFolders {
 public:
  virtual ~ShellFolders() = default;

  // The special folder `folderId` (a CSIDL value, see system_info.h) of the
  // current user from SHGetSpecialFolderPathA, taken by name from
  // "Shell32.dll" at run time and asked to create the folder when it is
  // missing. *path is set only with kFound.
  virtual FolderLookup SpecialFolder(int folderId, std::string* path) = 0;

  // Creates the folder (its parent must exist) with the default access
  // rights unless it exists. True when the folder is there afterwards.
  virtual bool EnsureFolder(const std::string& path) = 0;
};

}  // namespace sys
