#include "store/book_order.h"

#include <algorithm>
#include <numeric>
#include <string>

#include "platform/text/list_order.h"
#include "platform/text/list_sort_key.h"
#include "store/book_format.h"

namespace store {

std::vector<std::uint32_t> LoadRows(std::size_t count,
                                    const std::function<std::string_view(std::size_t)>& readingAt) {
  std::vector<std::uint32_t> rows;
  rows.reserve(count);
  // A copy: a reading's view may not outlive the next one asked for.
  std::string previous;
  for (std::size_t i = 0; i < count; ++i) {
    const std::string_view reading = readingAt(i);
    if (i == 0 || reading != previous) rows.push_back(static_cast<std::uint32_t>(i));
    previous.assign(reading.data(), reading.size());
  }
  std::reverse(rows.begin(), rows.end());
  return rows;
}

std::vector<AddressRecord> LoadOrder(std::vector<AddressRecord> fileRecords) {
  const std::vector<std::uint32_t> rows = LoadRows(
      fileRecords.size(), [&](std::size_t i) -> std::string_view { return fileRecords[i].dispNameJP; });
  std::vector<AddressRecord> ordered;
  ordered.reserve(rows.size());
  for (std::uint32_t i : rows) ordered.push_back(std::move(fileRecords[i]));
  return ordered;
}

void ArrangeByReading(const text::Collation& collation, int langId, Book* book) {
  const std::vector<std::uint32_t> order =
      OrderByText(collation, langId, static_cast<std::size_t>(book->Size()),
                  [book](std::size_t i) -> std::string_view {
                    return book->RecordAt(static_cast<int>(i)).dispNameJP;
                  });
  std::vector<EntryId> ids;
  ids.reserve(order.size());
  for (std::uint32_t i : order) ids.push_back(book->IdAt(static_cast<int>(i)));
  book->Arrange(std::move(ids));
}

std::vector<const AddressRecord*> ApplyOrder(const text::Collation& collation, int langId,
                                             const Book& book) {
  const std::vector<std::uint32_t> order =
      OrderByText(collation, langId, static_cast<std::size_t>(book.Size()),
                  [&book](std::size_t i) -> std::string_view {
                    return book.RecordAt(static_cast<int>(i)).dispNameJP;
                  });
  std::vector<const AddressRecord*> records;
  records.reserve(order.size());
  for (std::uint32_t i : order) records.push_back(&book.RecordAt(static_cast<int>(i)));
  return records;
}

bool WriteInApplyOrder(sys::ByteSink& sink, std::size_t count,
                       const std::function<EntryToWrite(std::size_t)>& entry,
                       const GroupTable& groups, BookBytes* keep) {
  return WriteBookTo(
      sink, count,
      [&entry](std::size_t i) {
        EntryToWrite e = entry(i);
        e.kind = KindForSave(e.kind);
        return e;
      },
      groups, keep);
}

bool WriteAppliedBook(sys::ByteSink& sink, const text::Collation& collation, int langId,
                      const Book& book, BookBytes* keep) {
  const std::vector<const AddressRecord*> records = ApplyOrder(collation, langId, book);
  return WriteInApplyOrder(
      sink, records.size(),
      [&records](std::size_t i) {
        const AddressRecord& r = *records[i];
        return EntryToWrite{r.kind, r.regNo, ViewOf(r)};
      },
      book.Groups(), keep);
}

std::string FormatAppliedBook(const text::Collation& collation, int langId, const Book& book) {
  std::string out;
  sys::StringSink sink(&out);
  WriteAppliedBook(sink, collation, langId, book);
  return out;
}

std::vector<std::uint32_t> OrderByText(const text::Collation& collation, int langId,
                                       std::size_t count,
                                       const std::function<std::string_view(std::size_t)>& readingAt,
                                       bool descending) {
  std::vector<std::uint32_t> order(count);
  std::iota(order.begin(), order.end(), 0u);
  // All keys in one buffer: a million readings cost their keys, no more.
  const text::ListSortKeys sortKeys(collation, langId);
  if (sortKeys.Available()) {
    std::string keys, one;
    std::vector<std::uint32_t> starts(count + 1);
    for (std::size_t i = 0; i < count; ++i) {
      starts[i] = static_cast<std::uint32_t>(keys.size());
      sortKeys.KeyOf(readingAt(i), &one);
      keys.append(one);
    }
    starts[count] = static_cast<std::uint32_t>(keys.size());
    const std::string_view all(keys);
    const auto key = [&](std::uint32_t i) { return all.substr(starts[i], starts[i + 1] - starts[i]); };
    // The first eight bytes of each key beside its position, so that most
    // comparisons need no look into the key buffer.
    struct Item {
      std::uint64_t prefix;
      std::uint32_t index;
    };
    std::vector<Item> items(count);
    for (std::uint32_t i = 0; i < count; ++i) {
      const std::string_view k = key(i);
      std::uint64_t prefix = 0;
      for (std::size_t b = 0; b < 8; ++b) {
        prefix = (prefix << 8) | (b < k.size() ? static_cast<unsigned char>(k[b]) : 0u);
      }
      items[i] = {prefix, i};
    }
    const auto less = [&](const Item& a, const Item& b) {
      if (a.prefix != b.prefix) return a.prefix < b.prefix;
      return key(a.index) < key(b.index);
    };
    if (descending) {
      std::stable_sort(items.begin(), items.end(),
                       [&](const Item& a, const Item& b) { return less(b, a); });
    } else {
      std::stable_sort(items.begin(), items.end(), less);
    }
    for (std::size_t i = 0; i < count; ++i) order[i] = items[i].index;
    return order;
  }
  const int sign = descending ? -1 : 1;
  std::stable_sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
    return sign * text::CompareListTexts(collation, langId, readingAt(a), readingAt(b)) < 0;
  });
  return order;
}

void SortByReading(const text::Collation& collation, int langId,
                   std::vector<AddressRecord>* records) {
  const std::vector<std::uint32_t> order = OrderByText(
      collation, langId, records->size(),
      [records](std::size_t i) -> std::string_view { return (*records)[i].dispNameJP; });
  std::vector<AddressRecord> sorted;
  sorted.reserve(records->size());
  for (std::uint32_t i : order) sorted.push_back(std::move((*records)[i]));
  records->swap(sorted);
}

}  // namespace store
