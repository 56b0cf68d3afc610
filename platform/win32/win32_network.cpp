#include "platform/win32/win32_network.h"

#include <windows.h>
#include <winnetwk.h>

#include <vector>

namespace sys {

bool Win32Network::AttributesReadable(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

unsigned long Win32Network::Connect(std::intptr_t ownerWindow, const std::string& remoteName,
                                    bool askForCredentials) {
  std::vector<char> remote(remoteName.begin(), remoteName.end());
  remote.push_back('\0');
  NETRESOURCEA resource = {};
  resource.dwScope = RESOURCE_GLOBALNET;
  resource.dwType = RESOURCETYPE_ANY;
  resource.dwDisplayType = RESOURCEDISPLAYTYPE_GENERIC;
  resource.dwUsage = RESOURCEUSAGE_CONNECTABLE;
  resource.lpRemoteName = remote.data();
  const DWORD flags = askForCredentials ? (CONNECT_INTERACTIVE | CONNECT_PROMPT) : 0;
  return WNetUseConnectionA(reinterpret_cast<HWND>(ownerWindow), &resource, nullptr, nullptr, flags,
                            nullptr, nullptr, nullptr);
}

}  // namespace sys
