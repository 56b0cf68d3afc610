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

// The portable rule. Code page 932: texts are equal when their characters
// are, a character being equal to those the system gives the same sort
// key (cp932_classes.inc, measured under Wine: the duplicate codes of the
// NEC and IBM extensions, a few marks, and every code the page does not
// define, which the system takes as the middle dot; a lead byte at the end
// of a text counts as such a code), except that after a kana the long
// vowel and repeat marks are told apart again as the system tells them.
// Code page 1252: the bytes must be equal once the modifier circumflex is
// taken as "^" and the ligatures, thorns and sharp s as their two letters
// (as the system finds them, measured under Wine). Code page 1250: the
// same with the sharp s alone. Other pages, not measured: the bytes must
// be equal.
class PortableLocaleEquality : public LocaleEquality {
 public:
  explicit PortableLocaleEquality(int codePage) : codePage_(codePage) {}
  bool Equal(std::string_view a, std::string_view b) const override;

 private:
  int codePage_;
};

// The first code of code page 932 that the system compares equal to this
// one (a single byte, or lead << 8 | next byte).
unsigned Cp932Class(unsigned code);

}  // namespace text
