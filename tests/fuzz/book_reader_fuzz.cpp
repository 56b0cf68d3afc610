// The book reader takes any bytes. What it reads, written and read again, is
// the same book: the writer never produces a line the reader misreads. And
// members kept as their lines' fields (and copied back when the writer would
// write them alike) give the same file as members read whole; so do members
// kept where their lines lie in the bytes of a book loaded as the editor
// loads it, first used by an edit or by the writer, and apply keeps what it
// wrote as the file holds it.
#include <cstddef>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/fake/fake_file_system.h"
#include "platform/text/portable_collation.h"
#include "store/book_file.h"
#include "store/book_order.h"

namespace {

const int kLanguages[] = {1041, 1033, 2052, 1042, 1028, 1045};

bool SameRecords(const std::vector<store::AddressRecord>& a,
                 const std::vector<store::AddressRecord>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i].kind != b[i].kind || a[i].regNo != b[i].regNo) return false;
    if (a[i].kind == store::kKindGroup) {
      if (a[i].dispName != b[i].dispName || a[i].dispNameJP != b[i].dispNameJP) return false;
      continue;
    }
    for (const store::TextField& f : store::kTextFields) {
      if (a[i].*f.member != b[i].*f.member) return false;
    }
    if (a[i].respect != b[i].respect) return false;
  }
  return true;
}

// Sees every line, which makes the reader read members whole.
class EveryLine : public store::BookLineObserver {
 public:
  void OnLine(int, std::string_view, const store::BookLine&, bool) override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  store::SilentAlerts alerts;
  store::BookContext context;
  context.alerts = &alerts;
  context.read.langId = kLanguages[data[0] % 6];
  context.read.codePage = data[0] % 6 == 0 ? 932 : (data[0] % 6 == 5 ? 1250 : 936);
  const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);

  const int capacity = store::CountEntryLines(bytes);
  store::GroupTable groups(context.read.codePage, &alerts);
  std::vector<store::AddressRecord> records;
  const int read = store::ReadBookBytes(context, bytes, capacity / 2, &records, &groups);
  if (read != static_cast<int>(records.size()) || read > capacity / 2) std::abort();

  const std::string written = store::FormatBook(records, groups);
  EveryLine observer;
  store::GroupTable whole(context.read.codePage, &alerts);
  std::vector<store::AddressRecord> wholeRecords;
  store::ReadBookBytes(context, bytes, capacity / 2, &wholeRecords, &whole, &observer);
  if (store::FormatBook(wholeRecords, whole) != written) std::abort();
  store::GroupTable again(context.read.codePage, &alerts);
  std::vector<store::AddressRecord> reread;
  store::ReadBookBytes(context, written, store::CountEntryLines(written), &reread, &again);
  if (!SameRecords(records, reread)) std::abort();
  if (store::FormatBook(reread, again) != written) std::abort();

  sys::FakeFileSystem files;
  files.SetFile("book.fdt", std::string(bytes));
  store::BookContext loading = context;
  loading.files = &files;
  store::GroupTable kept(context.read.codePage, &alerts);
  std::vector<store::AddressRecord> keptRecords;
  if (!store::LoadBook(loading, "book.fdt", "", &keptRecords, &kept).ok()) std::abort();
  store::GroupTable all(context.read.codePage, &alerts);
  std::vector<store::AddressRecord> allRecords;
  const std::string_view loaded(*files.File("book.fdt"));
  store::ReadBookBytes(context, loaded, INT_MAX, &allRecords, &all, &observer);
  if (data[0] & 0x40) {
    // An edit first: the first entry's reading leaves every group, the
    // second's copies change.
    for (store::GroupTable* table : {&kept, &all}) {
      if (!allRecords.empty()) table->RemoveMember(allRecords[0].dispNameJP, nullptr);
      if (allRecords.size() > 1) {
        table->UpdateMember(allRecords[1].dispNameJP, store::kKindMember,
                            store::MemberFrom(allRecords[0]));
      }
    }
  }
  if (store::FormatBook(keptRecords, kept) != store::FormatBook(allRecords, all)) std::abort();
  const text::PortableCollation collation(context.read.codePage);
  store::Book keptBook(context.read.codePage, &alerts), allBook(context.read.codePage, &alerts);
  keptBook.Load(store::LoadOrder(std::move(keptRecords)), std::move(kept));
  allBook.Load(store::LoadOrder(std::move(allRecords)), std::move(all));
  store::FileStamp stamp;
  store::BookBytes applied;
  if (store::WriteBook(loading, "book.fdt", collation, keptBook, &stamp, &applied) !=
      sys::FileError::kNone) {
    std::abort();
  }
  const std::string& file = *files.File("book.fdt");
  if (applied.View() != file || !stamp.SameBytes(store::StampOf(file))) std::abort();
  if (store::FormatAppliedBook(collation, context.read.langId, allBook) != file) std::abort();
  return 0;
}
