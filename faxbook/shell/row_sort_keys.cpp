#include "faxbook/shell/row_sort_keys.h"

#include "platform/text/list_order.h"

void RowSortKeys::Clear() {
  keys_.clear();
  spans_.clear();
}

bool RowSortKeys::Add(const text::Collation& collation, int langId, int rowId,
                      std::string_view cell) {
  const std::size_t at = keys_.size();
  if (!text::AppendListSortKey(collation, langId, cell, &keys_)) return false;
  spans_[rowId] = {at, keys_.size() - at};
  return true;
}

int RowSortKeys::Compare(int a, int b) const {
  const auto x = spans_.find(a);
  const auto y = spans_.find(b);
  if (x == spans_.end() || y == spans_.end()) return 0;
  const std::string_view all(keys_);
  const int r = all.substr(x->second.at, x->second.size).compare(all.substr(y->second.at, y->second.size));
  return (r > 0) - (r < 0);
}
