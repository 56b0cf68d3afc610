// Sort keys of Shift-JIS texts in the system's Japanese order (code page
// 932, locale 0x411, case ignored): comparing two keys byte by byte gives the
// order the system's comparison gives the texts, and equal keys mean texts
// the system counts as equal.
#pragma once

#include <string>
#include <string_view>

namespace text {

// Appends the key of `text` to *key. The text ends at its first NUL byte,
// as a C string does.
void AppendJapaneseSortKey(std::string_view text, std::string* key);

}  // namespace text
