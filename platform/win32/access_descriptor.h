// A security descriptor built from an AccessList: revision 1, its access
// list present and not defaulted, no owner, group or audit list; wrapped in
// security attributes that are not inheritable. The list gets exactly
// AccessList::capacity bytes from the process heap, zero-filled.
#pragma once

#include <windows.h>

#include "platform/sys/access_list.h"

namespace sys {

class AccessDescriptor {
 public:
  explicit AccessDescriptor(const AccessList& list);
  ~AccessDescriptor();
  AccessDescriptor(const AccessDescriptor&) = delete;
  AccessDescriptor& operator=(const AccessDescriptor&) = delete;

  // All null when the list or the descriptor could not be built (no memory,
  // a capacity too small for the entries).
  SECURITY_ATTRIBUTES* Attributes() { return ok_ ? &attributes_ : nullptr; }
  PSECURITY_DESCRIPTOR Descriptor() { return ok_ ? &descriptor_ : nullptr; }
  PACL Dacl() { return ok_ ? acl_ : nullptr; }

 private:
  PACL acl_ = nullptr;
  SECURITY_DESCRIPTOR descriptor_ = {};
  SECURITY_ATTRIBUTES attributes_ = {};
  bool ok_ = false;
};

}  // namespace sys
