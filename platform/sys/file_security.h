// Access rights of files and folders, as the setup library changes them.
//
// Paths are byte strings in the ANSI code page. Every call reports only
// whether the system call succeeded; nothing is shown or logged.
#pragma once

#include <cstddef>
#include <string>

#include "platform/sys/access_list.h"

namespace sys {

class FileSecurity {
 public:
  virtual ~FileSecurity() = default;

  // Reads the owner and group of path into a buffer of `capacity` bytes.
  // False when the path is missing, access is denied or the information
  // does not fit.
  virtual bool ReadOwnerAndGroup(const std::string& path, std::size_t capacity) = 0;

  // Replaces the access list of path completely by `dacl`, given in a
  // descriptor of revision kDescriptorRevision whose list is present and not
  // defaulted. Owner, group and audit list stay as they are.
  virtual bool ReplaceDacl(const std::string& path, const AccessList& dacl) = 0;

  // Sets `dacl` as the access list of the file or folder named by path.
  // With `protect` the object no longer inherits entries from its parent;
  // its children inherit the new list's inheritable entries.
  virtual bool SetNamedDacl(const std::string& path, const AccessList& dacl, bool protect) = 0;

  // Opens path for reading and writing without sharing, creating it (with
  // `dacl` in a descriptor as for ReplaceDacl) when it is missing, then
  // closes it at once. False when it can be neither opened nor created.
  virtual bool CreateWithDacl(const std::string& path, const AccessList& dacl) = 0;
};

}  // namespace sys
