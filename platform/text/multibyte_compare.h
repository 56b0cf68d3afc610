// The case-sensitive comparison of multibyte texts in the manner of the
// runtime's _mbscmp: characters compared as whole values, a lead byte of
// the code page taking the byte after it (whatever that byte is) into one
// character (lead << 8 | next); a text that is a prefix of the other sorts
// first. On single-byte pages it is the comparison of unsigned bytes.
#pragma once

#include <string_view>

namespace text {

// Returns -1, 0 or 1.
int CompareMultibyte(int codePage, std::string_view a, std::string_view b);

}  // namespace text
