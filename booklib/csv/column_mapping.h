// Which column of a CSV file feeds which address field.
#pragma once

#include <array>

#include "booklib/rules/field_rules.h"

namespace csv {

// One column index per field, in the order of rules::Field (DispName,
// DispNameJP, FaxNumber, SubAddress, Password, CompanyName, DepartmentName,
// ClientName). Columns count the fields of a line from 0; -1 leaves the
// field empty. One column may feed several fields.
struct ColumnMapping {
  std::array<int, rules::kFieldCount> columns{-1, -1, -1, -1, -1, -1, -1, -1};
  // A second column whose value follows the first one's after a space (a
  // given and a family name making one name); -1 for none. Only a field
  // with a first column has one.
  std::array<int, rules::kFieldCount> joined{-1, -1, -1, -1, -1, -1, -1, -1};

  int& operator[](rules::Field field) { return columns[static_cast<std::size_t>(field)]; }
  int operator[](rules::Field field) const { return columns[static_cast<std::size_t>(field)]; }
};

// The mapping the mapping dialog proposes for a header of `columnCount`
// columns. Japanese (1041): DispName 0, DispNameJP 1, ... ClientName 7;
// other languages: DispName not imported, DispNameJP 0, ... ClientName 6.
// An index at or beyond the column count falls back to column 0; with no
// columns at all every field is left empty.
ColumnMapping DefaultMapping(int langId, int columnCount);

}  // namespace csv
