// Folders and the process's current directory.
#pragma once

#include <cstddef>
#include <string>

namespace sys {

class Folders {
 public:
  virtual ~Folders() = default;

  // The current directory; false when it cannot be read into a buffer of
  // maxBytes bytes.
  virtual bool CurrentDirectory(std::size_t maxBytes, std::string* path) = 0;

  // Makes path the current directory; false when it does not exist or
  // cannot be entered.
  virtual bool EnterDirectory(const std::string& path) = 0;

  // Creates one folder (its parent must exist) with the open access rights:
  // everyone may do everything in it. False when it could not be created.
  virtual bool CreateFolderWithOpenAccess(const std::string& path) = 0;

  // Replaces the folder's DACL by the open access rights' DACL when its
  // security (owner and group) can be read. False when either step failed.
  virtual bool OpenFolderRights(const std::string& path) = 0;
};

}  // namespace sys
