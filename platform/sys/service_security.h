// The service control manager and the access list of one service, as the
// setup library changes it.
//
// Handles are opaque numbers; 0 is no handle. Each call stands for one
// system call (or a fixed pair of them) so that the caller can tell which
// step failed.
#pragma once

#include <cstdint>
#include <string>

#include "platform/sys/access_list.h"

namespace sys {

// Rights on a service.
constexpr std::uint32_t kServiceStart = 0x0010;
constexpr std::uint32_t kServiceStop = 0x0020;
constexpr std::uint32_t kDelete = 0x00010000;
constexpr std::uint32_t kReadControl = 0x00020000;

// One explicit-access entry to merge into a list. Its mode is "set access":
// the entry replaces every right the trustee had before.
struct ExplicitAccess {
  std::string trustee;  // an account name
  std::uint32_t permissions;
  std::uint32_t inheritance;
};

class ServiceSecurity {
 public:
  using Handle = std::uintptr_t;

  enum class ReadResult {
    kOk,
    kNoBuffer,  // the size was learnt, but no buffer of that size was had
    kFailed,
  };
  enum class StoreResult {
    kOk,
    kDescriptorNotInitialised,
    kDaclNotSet,  // the list could not be put into the new descriptor
    kFailed,      // the service refused the descriptor
  };

  virtual ~ServiceSecurity() = default;

  // The local service control manager, opened with connect access only.
  virtual Handle OpenManager() = 0;
  // The service opened with READ_CONTROL and WRITE_DAC access.
  virtual Handle OpenServiceByName(Handle manager, const std::string& name) = 0;
  virtual bool Close(Handle handle) = 0;
  virtual void Wait(unsigned milliseconds) = 0;

  // Reads the service's DACL security information into a descriptor buffer
  // sized as the system asks; *descriptor is set only with kOk and must be
  // released with FreeDescriptor.
  virtual ReadResult ReadDacl(Handle service, Handle* descriptor) = 0;
  // The access list inside a descriptor; false when it has none.
  virtual bool DaclOf(Handle descriptor, Handle* dacl) = 0;
  // The local name of an account (localised systems name groups in their
  // own language).
  virtual bool AccountName(Account account, std::string* name) = 0;
  // A new list: `dacl` with `entry` merged in. Release it with FreeAcl.
  virtual bool MergeEntry(Handle dacl, const ExplicitAccess& entry, Handle* merged) = 0;
  // Stores `dacl` as the service's access list, through a new descriptor in
  // which the list is present and not defaulted.
  virtual StoreResult StoreDacl(Handle service, Handle dacl) = 0;

  virtual void FreeAcl(Handle dacl) = 0;
  virtual void FreeDescriptor(Handle descriptor) = 0;
};

}  // namespace sys
