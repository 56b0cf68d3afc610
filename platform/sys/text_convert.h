// Conversion of code-page texts for display outside the system (UTF-8).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace sys {

// Converts bytes of the given ANSI code page to UTF-8. Bytes that do not
// form a character of the page become U+FFFD, one for each byte, and their
// offsets in `in` are appended to *undefined when it is given. Returns false
// when the system knows no such code page.
bool CodePageToUtf8(int codePage, std::string_view in, std::string* out,
                    std::vector<std::size_t>* undefined = nullptr);

// Converts UTF-8 to bytes of the given ANSI code page. A character the page
// lacks, and a byte that starts no UTF-8 character, becomes "?" and sets
// *lacking (left alone otherwise). Returns false when the system knows no
// such code page.
bool Utf8ToCodePage(int codePage, std::string_view in, std::string* out, bool* lacking);

}  // namespace sys
