// Network on Windows: file attributes and WNetUseConnectionA.
#pragma once

#include "platform/sys/network.h"

namespace sys {

class Win32Network : public Network {
 public:
  bool AttributesReadable(const std::string& path) override;
  // A resource of global scope, any type, generic display type and
  // connectable usage, without local name, comment or provider; no user
  // name or password; flags 0, or interactive and prompt.
  unsigned long Connect(std::intptr_t ownerWindow, const std::string& remoteName,
                        bool askForCredentials) override;
};

}  // namespace sys
