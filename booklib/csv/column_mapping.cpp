#include "booklib/csv/column_mapping.h"

namespace csv {

ColumnMapping DefaultMapping(int langId, int columnCount) {
  ColumnMapping mapping;
  if (columnCount <= 0) return mapping;
  const bool japanese = langId == 1041;
  for (int field = 0; field < rules::kFieldCount; ++field) {
    const int column = japanese ? field : field - 1;
    if (column < 0) continue;  // the registration name outside Japanese
    mapping.columns[static_cast<std::size_t>(field)] = column < columnCount ? column : 0;
  }
  return mapping;
}

}  // namespace csv
