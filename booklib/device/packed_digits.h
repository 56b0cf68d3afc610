// Digits packed two to a byte, as the fax machine stores numbers.
#pragma once

#include <string>
#include <string_view>

namespace device {

// Each byte holds two digit codes, high half first: 0-9 are the digits, 10 a
// space, 11 "*", 12 "-", 13 "#", 14 "+". Code 15 in either half ends the
// text (a byte whose high half is 15 ends it before that byte). A field
// without an end code within its bytes gives an empty text.
std::string DecodePackedDigits(std::string_view field);

}  // namespace device
