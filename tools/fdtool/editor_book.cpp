#include "tools/fdtool/editor_book.h"

#include <algorithm>

#include "store/book_file.h"
#include "store/book_format.h"
#include "store/book_order.h"

namespace fdtool {

EditorBook LoadAsEditor(std::string_view bytes, int langId, const text::Collation& collation,
                        store::StoreAlerts* alerts) {
  store::BookContext context;
  context.alerts = alerts;
  context.read.langId = langId;
  context.read.codePage = collation.CodePage();
  EditorBook book;
  book.groups = std::make_unique<store::GroupTable>(collation.CodePage(), alerts);
  std::vector<store::AddressRecord> records;
  store::ReadBookBytes(context, bytes, store::CountEntryLines(bytes), &records, book.groups.get());
  book.rows = store::DropRepeatedReadings(std::move(records));
  std::reverse(book.rows.begin(), book.rows.end());  // the loader inserts each row at the top
  store::SortByReading(collation, langId, &book.rows);
  return book;
}

std::string ApplyAsEditor(const EditorBook& book, int langId, const text::Collation& collation) {
  std::vector<store::AddressRecord> rows = book.rows;
  store::SortByReading(collation, langId, &rows);
  for (store::AddressRecord& row : rows) row.kind = store::KindForSave(row.kind);
  return store::FormatBook(rows, *book.groups);
}

}  // namespace fdtool
