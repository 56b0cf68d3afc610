// Decimal numbers in texts, read as the runtime's integer reading reads
// them on a system whose long is 32 bits.
#pragma once

#include <string_view>

namespace text {

// Leading blanks (space, tab, line feed, vertical tab, form feed, carriage
// return) skipped, an optional sign, then decimal digits up to the first
// other byte; no digits give 0; values beyond the 32-bit range stop at its
// ends.
int ParseDecimal(std::string_view text);

}  // namespace text
