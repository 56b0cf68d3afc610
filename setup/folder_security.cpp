#include "setup/folder_security.h"

namespace setup {

int SetFolderSecurity(sys::FileSecurity& security, const std::string& path) {
  if (!security.ReadOwnerAndGroup(path, kOwnerBufferSize)) return 0;
  return security.ReplaceDacl(path, sys::OpenAccessList()) ? 1 : 0;
}

sys::AccessList FullAccessList() {
  constexpr std::uint8_t kInherit = sys::kObjectInheritAce | sys::kContainerInheritAce;
  std::vector<sys::AccessEntry> entries = {
      {sys::Account::kAdministrators, sys::kGenericAll, kInherit},
      {sys::Account::kEveryone, sys::kGenericAll, kInherit},
  };
  const std::uint32_t size = sys::ExactAclSize(entries);
  return sys::AccessList{size, std::move(entries)};
}

int SetFullAccessToDir(sys::FileSecurity& security, const std::string& path) {
  return security.SetNamedDacl(path, FullAccessList(), /*protect=*/true) ? 1 : 0;
}

}  // namespace setup
