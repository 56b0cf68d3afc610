// BookEntry::OrderMembers (a template; included by book_entry.h).
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

namespace picker {

template <typename Before>
void BookEntry::OrderMembers(Before before) {
  std::reverse(members_.begin(), members_.end());
  // The readings are sorted with the places they came from, and the
  // members then put in that order: each comparison looks at two readings
  // found once, and no member moves more than once.
  struct Key {
    std::string_view reading;
    std::uint32_t index;
  };
  std::vector<Key> keys;
  keys.reserve(members_.size());
  for (std::size_t i = 0; i < members_.size(); ++i) {
    keys.push_back({Text(members_[i], Field::kDispNameJP), static_cast<std::uint32_t>(i)});
  }
  std::stable_sort(keys.begin(), keys.end(),
                   [&](const Key& a, const Key& b) { return before(a.reading, b.reading); });
  std::vector<Span> ordered;
  ordered.reserve(members_.size());
  for (const Key& key : keys) ordered.push_back(members_[key.index]);
  members_.swap(ordered);
}

}  // namespace picker
