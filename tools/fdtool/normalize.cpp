#include "tools/fdtool/normalize.h"

#include <algorithm>
#include <vector>

#include "store/book_file.h"
#include "store/book_order.h"

namespace fdtool {

std::string NormalizeBook(std::string_view bytes, int langId, const text::Collation& collation,
                          store::StoreAlerts* alerts) {
  store::BookContext context;
  context.alerts = alerts;
  context.read.langId = langId;
  context.read.codePage = collation.CodePage();
  store::GroupTable groups(collation.CodePage(), alerts);
  std::vector<store::AddressRecord> records;
  store::ReadBookBytes(context, bytes, store::CountEntryLines(bytes), &records, &groups);

  std::vector<store::AddressRecord> rows = store::DropRepeatedReadings(std::move(records));
  std::reverse(rows.begin(), rows.end());  // the loader inserts each row at the top
  store::SortByReading(collation, langId, &rows);
  for (store::AddressRecord& row : rows) row.kind = store::KindForSave(row.kind);
  return store::FormatBook(rows, groups);
}

}  // namespace fdtool
