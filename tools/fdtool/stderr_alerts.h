// Store diagnostics as lines on standard error.
#pragma once

#include <cstdio>

#include "store/store_alerts.h"

namespace fdtool {

class StderrAlerts : public store::StoreAlerts {
 public:
  void Alert(const std::string& text) override { std::fprintf(stderr, "%s\n", text.c_str()); }
};

}  // namespace fdtool
