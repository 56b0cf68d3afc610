// The security identifier of one fixed account, allocated for the life of
// the object.
#pragma once

#include <windows.h>

#include "platform/sys/access_list.h"

namespace sys {

class WellKnownSid {
 public:
  explicit WellKnownSid(Account account) {
    SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
    SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
    switch (account) {
      case Account::kEveryone:
        AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &sid_);
        break;
      case Account::kAdministrators:
        AllocateAndInitializeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0,
                                 0, 0, 0, 0, 0, &sid_);
        break;
      case Account::kUsers:
        AllocateAndInitializeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_USERS, 0,
                                 0, 0, 0, 0, 0, &sid_);
        break;
    }
  }
  ~WellKnownSid() {
    if (sid_) FreeSid(sid_);
  }
  WellKnownSid(const WellKnownSid&) = delete;
  WellKnownSid& operator=(const WellKnownSid&) = delete;

  // Null when it could not be allocated.
  PSID get() const { return sid_; }

 private:
  PSID sid_ = nullptr;
};

}  // namespace sys
