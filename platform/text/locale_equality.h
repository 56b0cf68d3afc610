// Whether two texts are equal by the system's locale-aware comparison with
// no flags (CompareStringA of the user default locale, flags 0): letter
// case, character width and kana type all count.
#pragma once

#include <string_view>

namespace text {

class LocaleEquality {
 public:
  virtual ~LocaleEquality() = default;
  virtual bool Equal(std::string_view a, std::string_view b) const = 0;
};

// The portable rule for the code pages the product supports: the system's
// comparison with no flags finds two texts equal exactly when their bytes
// are (no character of these pages weighs nothing in it).
class PortableLocaleEquality : public LocaleEquality {
 public:
  bool Equal(std::string_view a, std::string_view b) const override { return a == b; }
};

}  // namespace text
