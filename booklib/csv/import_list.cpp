#include "booklib/csv/import_list.h"

#include <algorithm>
#include <new>

#include "platform/text/list_order.h"
#include "platform/text/list_sort_key.h"

namespace csv {

ImportList::ImportList(int langId, const text::Collation& collation)
    : langId_(langId), collation_(collation) {
  columns_.push_back(-1);
  for (int field = langId == 1041 ? 0 : 1; field < rules::kFieldCount; ++field) {
    columns_.push_back(field);
  }
}

void ImportList::Assign(ImportRows rows) {
  rows_ = std::move(rows);
  order_.resize(rows_.size());
  for (std::size_t i = 0; i < order_.size(); ++i) order_[i] = static_cast<int>(i);
  Reindex();
}

int ImportList::FieldOfColumn(int column) const {
  if (column < 0 || column >= ColumnCount()) return -1;
  return columns_[static_cast<std::size_t>(column)];
}

std::string_view ImportList::Cell(int position, int column) const {
  if (position < 0 || position >= Size() || column < 0 || column >= ColumnCount()) return {};
  const ImportRow& row = At(position);
  const int field = columns_[static_cast<std::size_t>(column)];
  if (field < 0) return MarkOf(row.score);
  return row.values[static_cast<std::size_t>(field)];
}

int ImportList::PositionOf(int id) const {
  if (id < 0 || static_cast<std::size_t>(id) >= positions_.size()) return -1;
  return positions_[static_cast<std::size_t>(id)];
}

void ImportList::Reindex() {
  positions_.assign(rows_.size(), -1);
  for (std::size_t p = 0; p < order_.size(); ++p) {
    positions_[static_cast<std::size_t>(order_[p])] = static_cast<int>(p);
  }
}

bool ImportList::SortByKeys(int column, bool ascending) {
  const text::ListSortKeys keys(collation_, langId_);
  if (!keys.Available()) return false;
  // The keys take memory in proportion to the rows; without it the sort
  // compares the texts instead.
  try {
    // One key per row, indexed by position; the permutation is sorted.
    std::vector<std::string> key(order_.size());
    for (std::size_t p = 0; p < order_.size(); ++p) {
      keys.KeyOf(Cell(static_cast<int>(p), column), &key[p]);
    }
    std::vector<int> by(order_.size());
    for (std::size_t p = 0; p < by.size(); ++p) by[p] = static_cast<int>(p);
    std::stable_sort(by.begin(), by.end(), [&](int a, int b) {
      const int r = key[static_cast<std::size_t>(a)].compare(key[static_cast<std::size_t>(b)]);
      return ascending ? r < 0 : r > 0;
    });
    std::vector<int> order(order_.size());
    for (std::size_t p = 0; p < by.size(); ++p) order[p] = order_[static_cast<std::size_t>(by[p])];
    order_.swap(order);
    return true;
  } catch (const std::bad_alloc&) {
    return false;
  }
}

void ImportList::Sort(int column, bool ascending) {
  if (column < 0 || column >= ColumnCount() || order_.size() < 2) return;
  if (!SortByKeys(column, ascending)) {
    const std::size_t field = static_cast<std::size_t>(columns_[static_cast<std::size_t>(column)]);
    const bool mark = columns_[static_cast<std::size_t>(column)] < 0;
    auto cell = [&](int id) -> std::string_view {
      const ImportRow& row = rows_[static_cast<std::size_t>(id)];
      return mark ? std::string_view(MarkOf(row.score)) : std::string_view(row.values[field]);
    };
    std::stable_sort(order_.begin(), order_.end(), [&](int a, int b) {
      const int r = text::CompareListTexts(collation_, langId_, cell(a), cell(b));
      return ascending ? r < 0 : r > 0;
    });
  }
  Reindex();
}

void ImportList::Remove(const std::vector<int>& positions) {
  std::vector<char> gone(order_.size(), 0);
  for (int p : positions) {
    if (p >= 0 && p < Size()) gone[static_cast<std::size_t>(p)] = 1;
  }
  std::size_t kept = 0;
  for (std::size_t p = 0; p < order_.size(); ++p) {
    if (!gone[p]) order_[kept++] = order_[p];
  }
  order_.resize(kept);
  Reindex();
}

}  // namespace csv
