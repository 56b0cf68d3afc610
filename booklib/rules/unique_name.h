// Making a registration name or reading unique in the book.
#pragma once

#include <string>
#include <string_view>

#include "booklib/rules/field_rules.h"

namespace rules {

// base itself when no entry carries it in the field (kind 0 DispName, 1
// DispNameJP; exact comparison); otherwise the first of base + "(1)",
// base + "(2)", ... that no entry carries. A candidate longer than 16 bytes
// keeps only the first 16 - length("(n)") bytes of base, cut so that no
// double-byte character of the code page is split. Linear in the names of
// one base when the lookup keeps a memo (NameIndex does).
std::string MakeUniqueName(std::string_view base, int kind, const rules::TextRules& rules,
                           const rules::NameLookup& names);

}  // namespace rules
