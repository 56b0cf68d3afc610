// LocaleEquality through CompareStringA.
#pragma once

#include "platform/text/locale_equality.h"

namespace text {

class Win32LocaleEquality : public LocaleEquality {
 public:
  // CompareStringA(LOCALE_USER_DEFAULT, 0, a, b) == CSTR_EQUAL.
  bool Equal(std::string_view a, std::string_view b) const override;
};

}  // namespace text
