// What start-up found out about the system, for the book's location.
#pragma once

#include <string>

struct StartupInfo {
  // 1 (major version 5), 2 (6) or 0 (any other).
  int systemClass = 0;
  // The documents or application-data folder of classes 1 and 2.
  std::string specialFolder;
};
