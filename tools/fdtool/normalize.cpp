#include "tools/fdtool/normalize.h"

#include <climits>
#include <vector>

#include "store/book_file.h"
#include "store/book_order.h"

namespace fdtool {

std::vector<std::uint32_t> ShownInApplyOrder(const store::EntryTable& entries, int langId,
                                             const text::Collation& collation) {
  // The rows the load shows, bottom to top as each went in at the top.
  std::vector<std::uint32_t> rows;
  rows.reserve(entries.Size());
  for (std::size_t i = 0; i < entries.Size(); ++i) {
    if (i > 0 && entries.Get(i).texts.Reading() == entries.Get(i - 1).texts.Reading()) continue;
    rows.push_back(static_cast<std::uint32_t>(i));
  }
  std::vector<std::uint32_t> shown(rows.rbegin(), rows.rend());
  rows.clear();
  rows.shrink_to_fit();
  std::vector<std::uint32_t> order = store::OrderByReading(
      collation, langId, shown.size(),
      [&](std::size_t i) { return entries.Get(shown[i]).texts.Reading(); });
  for (std::uint32_t& i : order) i = shown[i];
  return order;
}

bool WriteNormalized(sys::ByteSink& sink, const store::EntryTable& entries,
                     const store::GroupTable& groups, int langId,
                     const text::Collation& collation) {
  const std::vector<std::uint32_t> order = ShownInApplyOrder(entries, langId, collation);
  return store::WriteBookTo(
      sink, order.size(),
      [&](std::size_t i) {
        store::EntryToWrite e = entries.Get(order[i]);
        e.kind = store::KindForSave(e.kind);
        return e;
      },
      groups);
}

std::string NormalizeBook(std::string_view bytes, int langId, const text::Collation& collation,
                          store::StoreAlerts* alerts) {
  store::BookContext context;
  context.alerts = alerts;
  context.read.langId = langId;
  context.read.codePage = collation.CodePage();
  store::GroupTable groups(collation.CodePage(), alerts);
  store::EntryTable entries;
  store::ReadBookBytes(context, bytes, INT_MAX, &entries, &groups);
  std::string out;
  sys::StringSink sink(&out);
  WriteNormalized(sink, entries, groups, langId, collation);
  return out;
}

}  // namespace fdtool
