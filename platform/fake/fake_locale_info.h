// The user's locale as a test sets it.
#pragma once

#include <string>

#include "platform/sys/locale_info.h"

namespace sys {

class FakeLocaleInfo : public LocaleInfo {
 public:
  // What the query answers; `fails` makes it fail.
  std::string language = "0411";
  bool fails = false;

  bool UserDefaultLanguage(std::string* hexText) override {
    if (fails) return false;
    *hexText = language;
    return true;
  }
};

}  // namespace sys
