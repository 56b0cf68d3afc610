// The two orderings of the editor's address list and of the written book.
#pragma once

#include <string_view>

#include "platform/text/collation.h"

namespace text {

// Japanese interface: the locale's multibyte case-insensitive collation.
int CompareJapaneseList(const Collation& collation, std::string_view a, std::string_view b);

// Other interface languages: position by position up to the shorter length,
// each byte mapped alone (Collation::MapByteIgnoringSymbols). A byte is plain
// when it maps to one character below 0x80, else special. Both special: raw
// bytes decide; one special: it sorts first; both plain: the mapped
// characters ignoring case, then exactly (upper case first), then the raw
// bytes. When every compared position is equal the shorter text sorts first.
// Returns -1, 0 or 1.
int CompareOtherList(const Collation& collation, std::string_view a, std::string_view b);

// The list comparison for an interface language (1041 Japanese, else
// other). Texts the ordering counts as equal compare as 0: the list's sort
// is stable, so such rows keep the order they had.
int CompareListTexts(const Collation& collation, int langId, std::string_view a,
                     std::string_view b);

}  // namespace text
