// BookEntry::OrderMembers (a template; included by book_entry.h).
#pragma once

#include <algorithm>

namespace picker {

template <typename Before>
void BookEntry::OrderMembers(Before before) {
  std::reverse(members_.begin(), members_.end());
  std::stable_sort(members_.begin(), members_.end(), [&](const Span& a, const Span& b) {
    return before(Text(a, Field::kDispNameJP), Text(b, Field::kDispNameJP));
  });
}

}  // namespace picker
