#include "faxbook/shell/row_sort_keys.h"


void RowSortKeys::Clear() {
  keys_.clear();
  spans_.clear();
}

void RowSortKeys::Add(const text::ListSortKeys& keys, int rowId, std::string_view cell) {
  keys.KeyOf(cell, &one_);
  spans_[rowId] = {keys_.size(), one_.size()};
  keys_.append(one_);
}

int RowSortKeys::Compare(int a, int b) const {
  const auto x = spans_.find(a);
  const auto y = spans_.find(b);
  if (x == spans_.end() || y == spans_.end()) return 0;
  const std::string_view all(keys_);
  const int r = all.substr(x->second.at, x->second.size).compare(all.substr(y->second.at, y->second.size));
  return (r > 0) - (r < 0);
}
