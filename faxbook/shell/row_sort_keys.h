// The sort keys of the list's rows in one column, made once for a sort so
// that each of its comparisons costs a comparison of bytes only.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>

#include "platform/text/list_sort_key.h"

class RowSortKeys {
 public:
  // Forgets the keys of an earlier sort.
  void Clear();
  // The key of the row `rowId` showing `cell`.
  void Add(const text::ListSortKeys& keys, int rowId, std::string_view cell);
  // -1, 0 or 1 as the keys of the two rows compare; 0 when a row has none.
  int Compare(int a, int b) const;

 private:
  std::string keys_;
  std::string one_;
  struct Span {
    std::size_t at, size;
  };
  std::unordered_map<int, Span> spans_;
};
