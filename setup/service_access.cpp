#include "setup/service_access.h"

#include <cstdio>

namespace setup {
namespace {

using Handle = sys::ServiceSecurity::Handle;

// Reads the service's list, merges the Users entry into it and stores the
// result. Returns 1 when stored.
int GrantUsers(sys::ServiceSecurity& system, Handle service, const Trace& trace) {
  Handle descriptor = 0;
  switch (system.ReadDacl(service, &descriptor)) {
    case sys::ServiceSecurity::ReadResult::kOk:
      break;
    case sys::ServiceSecurity::ReadResult::kNoBuffer:
      trace("--- !! Error : HeapAlloc!!--");
      return 0;
    case sys::ServiceSecurity::ReadResult::kFailed:
      trace("--- !! Error : QueryServiceObjectSecurity!!--");
      return 0;
  }

  int result = 0;
  Handle dacl = 0;
  Handle merged = 0;
  std::string users;
  if (!system.DaclOf(descriptor, &dacl)) {
    trace("--- !! Error : GetSecurityDescriptorDacl!!--");
  } else if (!system.AccountName(sys::Account::kUsers, &users)) {
    // Without the group's local name there is nothing to add.
  } else if (!system.MergeEntry(dacl, sys::ExplicitAccess{users, kUsersServiceRights, 0},
                                &merged)) {
    trace("--- !! Error : SetEntriesInAcl!!--");
  } else {
    switch (system.StoreDacl(service, merged)) {
      case sys::ServiceSecurity::StoreResult::kOk:
        result = 1;
        break;
      case sys::ServiceSecurity::StoreResult::kDescriptorNotInitialised:
        trace("--- !! Error : InitializeSecurityDescriptor!!--");
        break;
      case sys::ServiceSecurity::StoreResult::kDaclNotSet:
        trace("--- !! Error : SetSecurityDescriptorDacl!!--");
        break;
      case sys::ServiceSecurity::StoreResult::kFailed:
        trace("--- !! Error : SetServiceObjectSecurity!!--");
        break;
    }
  }
  if (merged != 0) system.FreeAcl(merged);
  system.FreeDescriptor(descriptor);
  return result;
}

void CloseTraced(sys::ServiceSecurity& system, Handle handle, const Trace& trace) {
  if (!system.Close(handle)) trace("--- !! Error : CloseServiceHandle!!--");
}

}  // namespace

int SetServiceControl(sys::ServiceSecurity& system, const std::string& service,
                      const Trace& trace) {
  trace("");
  trace("");
  trace("Start : bzSetSvcControl()");

  const Handle manager = system.OpenManager();
  if (manager == 0) {
    trace("--- !! Can not OPEN SCM !!--");
    return 0;
  }
  system.Wait(kManagerWaitMs);

  // The installer has usually just created the service: wait for it.
  Handle handle = system.OpenServiceByName(manager, service);
  if (handle == 0) trace("--- !! Can not OpenService() !!--");
  int retries = 0;
  while (handle == 0 && retries < kOpenServiceRetries) {
    system.Wait(kRetryWaitMs);
    ++retries;
    handle = system.OpenServiceByName(manager, service);
  }

  int result = 0;
  if (handle == 0) {
    trace(" OpenService() NG !!!");
  } else {
    char text[48];
    std::snprintf(text, sizeof(text), " OpenService() OK !!!, %d", retries);
    trace(text);
    result = GrantUsers(system, handle, trace);
    CloseTraced(system, handle, trace);
  }
  CloseTraced(system, manager, trace);
  return result;
}

}  // namespace setup
