#include "tools/fdtool/normalize.h"

#include <climits>
#include <vector>

#include "store/book_file.h"
#include "store/book_order.h"

namespace fdtool {

bool WriteNormalized(sys::ByteSink& sink, const store::EntryTable& entries,
                     const store::GroupTable& groups, int langId,
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
  const std::vector<std::uint32_t> order = store::OrderByText(
      collation, langId, shown.size(),
      [&](std::size_t i) { return entries.Get(shown[i]).texts.Reading(); });
  return store::WriteBookTo(
      sink, order.size(),
      [&](std::size_t i) {
        store::EntryToWrite e = entries.Get(shown[order[i]]);
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
