// Replacing text inside a field, by the multibyte rules of the code page.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace rules {

// Every occurrence of search in text, left to right and without overlaps,
// replaced by replacement; a match starts only at a character boundary, so
// it never begins inside a double-byte character. Comparison is by bytes
// (case-sensitive). The replacement is inserted as it is: occurrences it
// creates are not replaced again. *count receives the number of
// replacements. An empty search replaces nothing.
std::string ReplaceAll(int codePage, std::string_view text, std::string_view search,
                       std::string_view replacement, int* count);

// search replaced once when text starts with it (byte comparison); false,
// and text unchanged in *out, when it does not.
bool ReplacePrefix(std::string_view text, std::string_view search, std::string_view replacement,
                   std::string* out);

// A replaced value cut to its field's limit: its first `limit` bytes,
// without a double-byte character of the code page split at the end.
std::string CutReplaced(int codePage, std::string_view value, std::size_t limit);

}  // namespace rules
