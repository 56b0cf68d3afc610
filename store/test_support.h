// Helpers shared by the store's tests.
#pragma once

#include <string>
#include <vector>

#include "store/address_record.h"
#include "store/store_alerts.h"

namespace store {

class RecordingAlerts : public StoreAlerts {
 public:
  void Alert(const std::string& text) override { shown.push_back(text); }
  std::vector<std::string> shown;
};

inline MemberEntry Member(const std::string& reading, const std::string& fax = "03-1111") {
  MemberEntry m;
  m.dispName = "Name " + reading;
  m.dispNameJP = reading;
  m.faxNumber = fax;
  return m;
}

}  // namespace store
