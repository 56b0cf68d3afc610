#include "platform/win32/access_descriptor.h"

#include "platform/win32/well_known_sid.h"

namespace sys {

AccessDescriptor::AccessDescriptor(const AccessList& list) {
  acl_ = static_cast<PACL>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, list.capacity));
  if (!acl_ || !InitializeAcl(acl_, list.capacity, kAclRevision)) return;
  for (const AccessEntry& entry : list.entries) {
    WellKnownSid sid(entry.account);
    if (!sid.get() ||
        !AddAccessAllowedAceEx(acl_, kAclRevision, entry.flags, entry.mask, sid.get())) {
      return;
    }
  }
  ok_ = InitializeSecurityDescriptor(&descriptor_, SECURITY_DESCRIPTOR_REVISION) &&
        SetSecurityDescriptorDacl(&descriptor_, TRUE, acl_, FALSE);
  attributes_.nLength = sizeof(attributes_);
  attributes_.lpSecurityDescriptor = &descriptor_;
  attributes_.bInheritHandle = FALSE;
}

AccessDescriptor::~AccessDescriptor() {
  if (acl_) HeapFree(GetProcessHeap(), 0, acl_);
}

}  // namespace sys
