// Fitting imported and pasted values into their fields.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "booklib/rules/field_rules.h"

namespace rules {

// The longest a registration name or reading may be, with its suffix.
constexpr std::size_t kNameBytes = 16;

// A value cut to its field's byte limit: unchanged when it fits; else its
// first `limit` bytes, without a double-byte character of the code page cut
// in two (the result may then be limit - 1 bytes). Single-byte pages cut at
// the byte.
std::string FitToField(std::string_view value, std::size_t limit, const rules::TextRules& rules);

// A name made unique with a numbered suffix "(n)", n = 1, 2, ...: the first
// candidate that no entry carries in the field (kind 0 DispName, 1
// DispNameJP; exact comparison). A candidate longer than 16 bytes keeps only
// the first 16 - length("(n)") bytes of base, less a double-byte character
// that the cut would split. Always appends a suffix, even when base itself
// is free. Linear in the names of one base when the lookup keeps a memo.
std::string MakeSuffixedName(std::string_view base, int kind, const rules::TextRules& rules,
                             const rules::NameLookup& names);

}  // namespace rules
