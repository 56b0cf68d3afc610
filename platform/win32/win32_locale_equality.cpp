#include "platform/win32/win32_locale_equality.h"

#include <windows.h>

namespace text {

bool Win32LocaleEquality::Equal(std::string_view a, std::string_view b) const {
  const char* x = a.empty() ? "" : a.data();
  const char* y = b.empty() ? "" : b.data();
  return CompareStringA(LOCALE_USER_DEFAULT, 0, x, static_cast<int>(a.size()), y,
                        static_cast<int>(b.size())) == CSTR_EQUAL;
}

}  // namespace text
