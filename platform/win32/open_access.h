// The open access rights: a security descriptor whose DACL holds one
// access-allowed entry granting GENERIC_ALL to Everyone (S-1-1-0), with no
// inheritance flags, in security attributes that are not inheritable.
#pragma once

#include <windows.h>

#include "platform/sys/access_list.h"
#include "platform/win32/access_descriptor.h"

namespace sys {

// Attributes() and Dacl() are null when the descriptor could not be built.
class OpenAccessRights : public AccessDescriptor {
 public:
  OpenAccessRights() : AccessDescriptor(OpenAccessList()) {}
};

}  // namespace sys
