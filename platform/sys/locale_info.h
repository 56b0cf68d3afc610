// What the system says about the user's locale.
#pragma once

#include <string>

namespace sys {

class LocaleInfo {
 public:
  virtual ~LocaleInfo() = default;

  // The user default locale's language identifier as the system writes it,
  // four hexadecimal digits ("0411"). False when the query fails.
  virtual bool UserDefaultLanguage(std::string* hexText) = 0;
};

}  // namespace sys
