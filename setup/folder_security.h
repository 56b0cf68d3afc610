// Opening folders and files to every user of the computer: the logic of the
// setup library's exports bzSetFolderSecurity and bzSetFullAccessToDir.
#pragma once

#include <string>

#include "platform/sys/access_list.h"
#include "platform/sys/file_security.h"

namespace setup {

// Size of the buffer the owner and group are read into; a larger descriptor
// fails the call.
constexpr std::size_t kOwnerBufferSize = 1024;

// Replaces the access list of a file or folder by the open access list (one
// entry: Everyone, GENERIC_ALL, no inheritance). The owner and group are read
// first: a path that is missing or whose owner cannot be read is left alone.
// Returns 1 when the new list was applied, else 0.
int SetFolderSecurity(sys::FileSecurity& security, const std::string& path);

// The list bzSetFullAccessToDir applies: Administrators, then Everyone, both
// GENERIC_ALL and inherited by files and folders created below, sized
// exactly for its two entries.
sys::AccessList FullAccessList();

// Gives a folder FullAccessList() as a protected list: it stops inheriting
// from its parent, and what lies and will lie in it inherits the two
// entries. Returns 1 when the system applied it, else 0.
int SetFullAccessToDir(sys::FileSecurity& security, const std::string& path);

}  // namespace setup
