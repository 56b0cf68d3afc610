// The three-way merge takes any three books: the input is cut at its first
// two 0xFF bytes into BASE, MINE and THEIRS. Whatever they hold, the merge
// ends, stays within the book's limits with either side's choices, and
// where only one side changed anything it gives that side's book, each
// entry with its members in their order (the list order of readings that
// compare equal may differ; books that repeat a number or a name aside:
// the merge keeps only the first entry of a number whole, and makes the
// names of the side it takes unique as a paste would).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "booklib/merge/book_merge.h"
#include "platform/text/portable_collation.h"
#include "store/book_order.h"
#include "tools/fdtool/editor_book.h"

namespace {

std::unique_ptr<store::Book> Merge(const store::Book& base, const store::Book& mine,
                                   const store::Book& theirs, merge::Side side,
                                   const rules::TextRules& rules, store::StoreAlerts* alerts) {
  merge::MergePlan plan = merge::PlanMerge(base, mine, theirs);
  const std::vector<merge::Side> choices = merge::AllChoices(plan, side);
  merge::MergedBook merged(theirs.CodePage(), alerts);
  merge::BuildMerged(std::move(plan), choices, rules, &merged);
  if (!merged.ok) return nullptr;
  if (merged.records.size() > static_cast<std::size_t>(store::kMaxEntries)) std::abort();
  auto book = std::make_unique<store::Book>(theirs.CodePage(), alerts);
  book->Load(std::move(merged.records), std::move(merged.groups));
  return book;
}

// The file apply writes, as its entries each with its member lines, in an
// order of their own.
std::vector<std::string> Entries(const text::Collation& collation, int langId,
                                 const store::Book& book) {
  const std::string bytes = store::FormatAppliedBook(collation, langId, book);
  std::vector<std::string> entries;
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = bytes.find('\n', start);
    end = end == std::string::npos ? bytes.size() : end + 1;
    const std::string line = bytes.substr(start, end - start);
    if (line.rfind("[FAX_ADDR_GM]", 0) == 0 && !entries.empty()) {
      entries.back() += line;
    } else if (line != "\r\n") {
      entries.push_back(line);
    }
    start = end;
  }
  std::sort(entries.begin(), entries.end());
  return entries;
}

bool Repeats(const store::Book& book) {
  std::unordered_set<int> numbers;
  std::unordered_set<std::string> names[2];
  for (int i = 0; i < book.Size(); ++i) {
    const store::AddressRecord& r = book.RecordAt(i);
    if (!numbers.insert(r.regNo).second) return true;
    if (!names[1].insert(r.dispNameJP).second) return true;
    if (!r.dispName.empty() && !names[0].insert(r.dispName).second) return true;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const bool japanese = data[0] & 1;
  const int langId = japanese ? 1041 : 1033;
  text::PortableCollation collation(japanese ? 932 : 1252);
  store::SilentAlerts alerts;
  std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
  std::string_view parts[3];
  for (int i = 0; i < 2; ++i) {
    const std::size_t cut = rest.find('\xFF');
    parts[i] = rest.substr(0, cut);
    rest = cut == std::string_view::npos ? std::string_view() : rest.substr(cut + 1);
  }
  parts[2] = rest;
  std::unique_ptr<store::Book> books[3];
  for (int i = 0; i < 3; ++i) books[i] = fdtool::LoadAsEditor(parts[i], langId, collation, &alerts);
  rules::TextRules rules;
  rules.langId = langId;
  rules.codePage = collation.CodePage();
  for (merge::Side side : {merge::Side::kMine, merge::Side::kTheirs}) {
    Merge(*books[0], *books[1], *books[2], side, rules, &alerts);
  }
  // Only one side changed: its book, as apply writes it.
  for (int changed : {1, 2}) {
    const store::Book& side = *books[changed];
    if (Repeats(side) || Repeats(*books[0])) continue;
    const auto merged = changed == 1
                            ? Merge(*books[0], side, *books[0], merge::Side::kMine, rules, &alerts)
                            : Merge(*books[0], *books[0], side, merge::Side::kMine, rules, &alerts);
    if (!merged) std::abort();
    if (Entries(collation, langId, *merged) != Entries(collation, langId, side)) std::abort();
  }
  return 0;
}
