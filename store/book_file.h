// Loading and saving the address book file.
#pragma once

#include <string>
#include <vector>

#include "platform/sys/file_system.h"
#include "store/address_record.h"
#include "store/book_format.h"
#include "store/group_table.h"
#include "store/store_alerts.h"

namespace store {

// A book file is read whole, up to this size; a larger file is read to here.
constexpr std::size_t kMaxBookBytes = 256u << 20;

// What the book's readers and writers need of the system.
struct BookContext {
  sys::FileSystem* files = nullptr;
  StoreAlerts* alerts = nullptr;
  ReadOptions read;
  // 1 or 2 on systems that keep the book in a per-user data folder: the
  // default data file is then made sure of before every load and save, and
  // a new book is seeded from the old location.
  int systemClass = 0;
  std::string defaultDataFile;
};

// Makes sure the default data file exists (created with open access rights
// when missing); only on system classes 1 and 2.
void EnsureDefaultDataFile(const BookContext& context);

// Prepares path for reading and returns how many records ReadBook may
// produce: a missing or empty file gets the header (and, on classes 1 and 2,
// every line after the first of the file at oldPath, whose count is then
// returned); otherwise the number of entry lines after the header.
// Returns -1 when path can be neither opened nor created.
int CountEntries(const BookContext& context, const std::string& path, const std::string& oldPath);

// The number of entry lines after the header in a book's bytes.
int CountEntryLines(std::string_view bytes);

// Reads the book at path: at most `capacity` entries are appended to
// *records, and the group table gets a slot for every group line and the
// members of the member lines. A member line of a wrong kind shows
// "Error: Unsupported Addr Type" and is dropped. Returns the number of
// entries read; a file that cannot be read gives 0.
int ReadBook(const BookContext& context, const std::string& path, int capacity,
             std::vector<AddressRecord>* records, GroupTable* groups);

// Sees every line after the header as ReadBook handles it.
class BookLineObserver {
 public:
  virtual ~BookLineObserver() = default;
  // stored: an entry was kept (within capacity) or a member was accepted by
  // the group table.
  virtual void OnLine(int lineNumber, const BookLine& line, bool stored) = 0;
};

// ReadBook on bytes already in memory, optionally reporting each line.
int ReadBookBytes(const BookContext& context, std::string_view bytes, int capacity,
                  std::vector<AddressRecord>* records, GroupTable* groups,
                  BookLineObserver* observer = nullptr);

// Writes the header, the records in the given order and the members of each
// group, replacing the file as a whole. Returns false when the book could
// not be written; the previous file is then left as it was.
bool WriteBook(const BookContext& context, const std::string& path,
               const std::vector<AddressRecord>& records, const GroupTable& groups);

}  // namespace store
