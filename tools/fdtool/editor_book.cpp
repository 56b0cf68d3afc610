#include "tools/fdtool/editor_book.h"

#include <utility>
#include <vector>

#include "store/book_file.h"
#include "store/book_order.h"

namespace fdtool {

namespace {

std::unique_ptr<store::Book> Load(std::string_view bytes, store::SharedBytes kept, int langId,
                                  const text::Collation& collation, store::StoreAlerts* alerts) {
  store::BookContext context;
  context.alerts = alerts;
  context.read.langId = langId;
  context.read.codePage = collation.CodePage();
  store::GroupTable groups(collation.CodePage(), alerts);
  if (kept) groups.KeepBytes(std::move(kept));
  std::vector<store::AddressRecord> records;
  store::ReadBookBytes(context, bytes, store::CountEntryLines(bytes), &records, &groups);
  auto book = std::make_unique<store::Book>(collation.CodePage(), alerts);
  book->Load(store::LoadOrder(std::move(records)), std::move(groups));
  store::ArrangeByReading(collation, langId, book.get());
  return book;
}

}  // namespace

std::unique_ptr<store::Book> LoadAsEditor(std::string_view bytes, int langId,
                                          const text::Collation& collation,
                                          store::StoreAlerts* alerts) {
  return Load(bytes, nullptr, langId, collation, alerts);
}

std::unique_ptr<store::Book> LoadAsEditor(store::SharedBytes bytes, int langId,
                                          const text::Collation& collation,
                                          store::StoreAlerts* alerts) {
  const std::string_view view = bytes ? bytes->View() : std::string_view();
  return Load(view, std::move(bytes), langId, collation, alerts);
}

std::string ApplyAsEditor(const store::Book& book, int langId, const text::Collation& collation) {
  return store::FormatAppliedBook(collation, langId, book);
}

}  // namespace fdtool
