// The service control manager and service access lists on Windows.
#pragma once

#include "platform/sys/service_security.h"

namespace sys {

class Win32ServiceSecurity : public ServiceSecurity {
 public:
  Handle OpenManager() override;
  Handle OpenServiceByName(Handle manager, const std::string& name) override;
  bool Close(Handle handle) override;
  void Wait(unsigned milliseconds) override;
  // QueryServiceObjectSecurity once without a buffer to learn the size
  // (ERROR_INSUFFICIENT_BUFFER), then into a zero-filled heap buffer.
  ReadResult ReadDacl(Handle service, Handle* descriptor) override;
  // A descriptor without a list, or with a null list, has none to merge into.
  bool DaclOf(Handle descriptor, Handle* dacl) override;
  // LookupAccountSidA on the local computer, 260-character buffers.
  bool AccountName(Account account, std::string* name) override;
  // SetEntriesInAclA with one SET_ACCESS entry for the trustee's name.
  bool MergeEntry(Handle dacl, const ExplicitAccess& entry, Handle* merged) override;
  StoreResult StoreDacl(Handle service, Handle dacl) override;
  void FreeAcl(Handle dacl) override;
  void FreeDescriptor(Handle descriptor) override;
};

}  // namespace sys
