// Letting ordinary users start and stop one service: the logic of the setup
// library's export bzSetSvcControl.
#pragma once

#include <functional>
#include <string>

#include "platform/sys/service_security.h"

namespace setup {

// Receives each progress and error text of SetServiceControl.
using Trace = std::function<void(const char*)>;

// After the first attempt to open the service fails, it is tried this many
// more times, kRetryWaitMs apart; the manager is given kManagerWaitMs first.
constexpr int kOpenServiceRetries = 100;
constexpr unsigned kManagerWaitMs = 500;
constexpr unsigned kRetryWaitMs = 100;

// Rights the local Users group gets on the service: start, stop, delete and
// read its security (0x30030). They replace whatever the group had.
constexpr std::uint32_t kUsersServiceRights =
    sys::kServiceStart | sys::kServiceStop | sys::kDelete | sys::kReadControl;

// Adds an entry for the local Users group, under its local name, to the
// access list of the named service, waiting up to about 10.5 s for the
// service to become available. Each failing step is traced and skips the
// steps that depend on it; nothing is undone. Returns 1 when the new list
// was stored, else 0.
int SetServiceControl(sys::ServiceSecurity& system, const std::string& service,
                      const Trace& trace);

}  // namespace setup
