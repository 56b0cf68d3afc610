// The rows of the import confirmation in the order the list shows them:
// their cells (the mark, then the values in the language's column order),
// the sort, the edits and the removal of added rows.
//
// The list holds 100 000 rows and more: sorting makes one key per row (see
// text::ListSortKeys), removing rows is one pass, and every lookup takes
// constant time.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "booklib/csv/import_row.h"
#include "platform/text/collation.h"

namespace csv {

class ImportList {
 public:
  ImportList(int langId, const text::Collation& collation);

  // The rows in file order; they show in that order until sorted.
  void Assign(ImportRows rows);
  int Size() const { return static_cast<int>(order_.size()); }

  // Japanese: mark, DispName, DispNameJP, FaxNumber, SubAddress, Password,
  // CompanyName, DepartmentName, ClientName. Other languages the same
  // without DispName.
  int ColumnCount() const { return static_cast<int>(columns_.size()); }
  // The field a column shows; -1 for the mark column 0.
  int FieldOfColumn(int column) const;
  // The text of a cell; empty outside the list.
  std::string_view Cell(int position, int column) const;

  const ImportRow& At(int position) const { return rows_[static_cast<std::size_t>(order_[static_cast<std::size_t>(position)])]; }
  ImportRow& At(int position) { return rows_[static_cast<std::size_t>(order_[static_cast<std::size_t>(position)])]; }

  // A row keeps its id through sorts and removals of other rows.
  int IdAt(int position) const { return order_[static_cast<std::size_t>(position)]; }
  // The position of a row; -1 when it was removed.
  int PositionOf(int id) const;

  // Sorts by a column with the list comparison of the language; rows that
  // compare equal keep their order.
  void Sort(int column, bool ascending);

  // Takes the rows at these positions out of the list (any order,
  // duplicates allowed); the others keep their order.
  void Remove(const std::vector<int>& positions);

 private:
  void Reindex();
  // Sorts by one key per row; false when the collation makes no keys or
  // there is no memory for them (the order is then unchanged).
  bool SortByKeys(int column, bool ascending);

  int langId_;
  const text::Collation& collation_;
  std::vector<int> columns_;      // the field of each column, -1 for the mark
  ImportRows rows_;               // by id
  std::vector<int> order_;        // the ids in list order
  std::vector<int> positions_;    // by id: position, -1 when removed
};

}  // namespace csv
