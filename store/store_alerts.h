// What the store has to tell the user, handed to whoever shows it.
#pragma once

#include <string>

namespace store {

// The fixed English diagnostic of an unexpected entry kind.
inline constexpr char kUnsupportedAddrType[] = "Error: Unsupported Addr Type";

class StoreAlerts {
 public:
  virtual ~StoreAlerts() = default;
  // Shows a built-in English diagnostic (a plain message box with an OK
  // button in the editor); processing goes on afterwards.
  virtual void Alert(const std::string& text) = 0;
};

// Alerts that nobody sees, for callers that have no user.
class SilentAlerts : public StoreAlerts {
 public:
  void Alert(const std::string&) override {}
};

}  // namespace store
