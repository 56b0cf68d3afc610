// Reaching files on other hosts of the network.
#pragma once

#include <cstdint>
#include <string>

namespace sys {

// System error codes that connection attempts report.
constexpr unsigned long kErrorAccessDenied = 5;
constexpr unsigned long kErrorInvalidPassword = 86;
constexpr unsigned long kErrorNoNetwork = 1222;
constexpr unsigned long kErrorLogonFailure = 1326;

class Network {
 public:
  virtual ~Network() = default;

  // True when the attributes of the file or folder can be read, which is
  // when the path is reachable now.
  virtual bool AttributesReadable(const std::string& path) = 0;

  // Connects to the remote resource `remoteName` (a \\host\... path)
  // without a local name, with the user's own credentials. With
  // `askForCredentials` the system may ask the user for a name and password
  // in a dialog owned by `ownerWindow` (an opaque window handle, 0 for
  // none). Returns 0 on success, else the system's error code.
  virtual unsigned long Connect(std::intptr_t ownerWindow, const std::string& remoteName,
                                bool askForCredentials) = 0;
};

}  // namespace sys
