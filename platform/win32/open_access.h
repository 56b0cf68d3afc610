// The open access rights: a security descriptor whose DACL holds one
// access-allowed entry granting GENERIC_ALL to Everyone (S-1-1-0), with no
// inheritance flags, in security attributes that are not inheritable.
#pragma once

#include <windows.h>

namespace sys {

class OpenAccessRights {
 public:
  OpenAccessRights();
  OpenAccessRights(const OpenAccessRights&) = delete;
  OpenAccessRights& operator=(const OpenAccessRights&) = delete;
  // Null when the descriptor could not be built.
  SECURITY_ATTRIBUTES* Attributes() { return ok_ ? &attributes_ : nullptr; }
  PACL Dacl() { return ok_ ? reinterpret_cast<PACL>(acl_) : nullptr; }

 private:
  alignas(8) unsigned char acl_[1024];
  SECURITY_DESCRIPTOR descriptor_;
  SECURITY_ATTRIBUTES attributes_;
  bool ok_ = false;
};

}  // namespace sys
