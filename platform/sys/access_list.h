// Access-control lists as the setup library and the programs build them,
// described without the system's types so that the lists can be checked in
// portable tests: which accounts get which rights, with which inheritance
// flags, and how many bytes the list is given.
#pragma once

#include <cstdint>
#include <vector>

namespace sys {

// Fixed accounts, by their well-known security identifiers.
enum class Account {
  kEveryone,        // S-1-1-0
  kAdministrators,  // S-1-5-32-544 (BUILTIN\Administrators)
  kUsers,           // S-1-5-32-545 (BUILTIN\Users)
};

// Byte length of the account's identifier: 8 bytes of header and authority
// plus 4 bytes per sub-authority.
constexpr std::uint32_t SidLength(Account account) {
  return account == Account::kEveryone ? 12u : 16u;
}

constexpr std::uint32_t kGenericAll = 0x10000000;
constexpr std::uint8_t kObjectInheritAce = 0x01;
constexpr std::uint8_t kContainerInheritAce = 0x02;
constexpr std::uint8_t kAclRevision = 2;
constexpr std::uint8_t kDescriptorRevision = 1;

// One access-allowed entry.
struct AccessEntry {
  Account account;
  std::uint32_t mask;
  std::uint8_t flags;  // inheritance flags

  bool operator==(const AccessEntry& o) const {
    return account == o.account && mask == o.mask && flags == o.flags;
  }
};

// An access list of revision kAclRevision: its entries in order, and the
// number of bytes reserved for it (at least ExactAclSize of the entries).
struct AccessList {
  std::uint32_t capacity = 0;
  std::vector<AccessEntry> entries;
};

// The smallest list that holds the entries: 8 bytes of list header and, per
// entry, 8 bytes of entry header and mask plus the identifier.
inline std::uint32_t ExactAclSize(const std::vector<AccessEntry>& entries) {
  std::uint32_t size = 8;
  for (const AccessEntry& e : entries) size += 8 + SidLength(e.account);
  return size;
}

// The open access rights: a 1024-byte list whose one entry allows Everyone
// GENERIC_ALL, with no inheritance flags.
inline AccessList OpenAccessList() {
  return AccessList{1024, {{Account::kEveryone, kGenericAll, 0}}};
}

}  // namespace sys
