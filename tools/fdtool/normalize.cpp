#include "tools/fdtool/normalize.h"

#include <climits>
#include <vector>

#include "store/book_file.h"
#include "store/book_order.h"

namespace fdtool {

std::vector<std::uint32_t> ShownInApplyOrder(const store::EntryTable& entries, int langId,
                                             const text::Collation& collation) {
  // The editor's rules, on the packed entries.
  const std::vector<std::uint32_t> shown = store::LoadRows(
      entries.Size(), [&](std::size_t i) { return entries.Get(i).texts.Reading(); });
  std::vector<std::uint32_t> order = store::OrderByText(
      collation, langId, shown.size(),
      [&](std::size_t i) { return entries.Get(shown[i]).texts.Reading(); });
  for (std::uint32_t& i : order) i = shown[i];
  return order;
}

bool WriteNormalized(sys::ByteSink& sink, const store::EntryTable& entries,
                     const store::GroupTable& groups, int langId,
                     const text::Collation& collation) {
  const std::vector<std::uint32_t> order = ShownInApplyOrder(entries, langId, collation);
  return store::WriteInApplyOrder(
      sink, order.size(), [&](std::size_t i) { return entries.Get(order[i]); }, groups);
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
