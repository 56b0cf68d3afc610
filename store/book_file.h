// Loading and saving the address book file.
//
// A book is read whole or not at all: a file that cannot be opened or read
// to its end, or that is larger than the read limit, is an error that names
// the file and the reason, and nothing of it is kept. Callers must never
// show such a book as empty, since a later save would write over it.
#pragma once

#include <string>
#include <vector>

#include "platform/sys/file_system.h"
#include "platform/text/collation.h"
#include "store/address_record.h"
#include "store/book.h"
#include "store/book_bytes.h"
#include "store/book_format.h"
#include "store/book_reader.h"
#include "store/entry_table.h"
#include "store/file_stamp.h"
#include "store/group_table.h"
#include "store/store_alerts.h"

namespace store {

// The largest book file read.
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

// Why a book could not be read or written, and which file it was.
struct BookStatus {
  sys::FileError error = sys::FileError::kNone;
  std::string path;
  // After a load: the leftover of an interrupted save that was put back
  // under the book's name first (see book_rescue.h); empty when none was.
  std::string restoredFrom;
  // After a load: the stamp of the bytes read (or of the new book written).
  FileStamp stamp;
  bool ok() const { return error == sys::FileError::kNone; }
};

// "cannot read PATH: REASON" for diagnostics, with the read limit spelled
// out for a file that is too large.
std::string DescribeReadFailure(const BookStatus& status);

// Makes sure the default data file exists (created with open access rights
// when missing); only on system classes 1 and 2. It is opened without
// sharing, as the editor has always done.
void EnsureDefaultDataFile(const BookContext& context);

// Prepares path for reading and returns how many records ReadBook may
// produce: a missing or empty file gets the header (and, on classes 1 and 2,
// every line after the first of the file at oldPath, whose count is then
// returned); otherwise the number of entry lines after the header. The file
// is opened with read and write sharing. Returns -1, with *status saying
// why, when path cannot be opened, created or read whole, or the old book
// exists but cannot be read whole (the new book is then left empty, so that
// the next start tries again).
int CountEntries(const BookContext& context, const std::string& path, const std::string& oldPath,
                 BookStatus* status = nullptr);

// The number of entry lines after the header in a book's bytes.
int CountEntryLines(std::string_view bytes);

// Reads the book at path: at most `capacity` entries are appended to
// *records, and the group table gets a slot for every group line and the
// members of the member lines. A member line of a wrong kind shows
// "Error: Unsupported Addr Type" (after the whole file is read) and is
// dropped. Returns the number of entries read. When the file cannot be read
// whole it returns -1 with *status saying why; *records is then as before
// and the group table empty.
int ReadBook(const BookContext& context, const std::string& path, int capacity,
             std::vector<AddressRecord>* records, GroupTable* groups,
             BookStatus* status = nullptr);

// CountEntries and ReadBook of all the entries it counts, in one reading of
// the file: what the editor's load does. A book lost by an interrupted save
// is first put back from its leftover (RescueBook; the status then says
// from where); when that fails the load fails, and no new book is made.
// The file is read whole into memory of its size, once; the members of its
// groups stay where their lines lie in those bytes, which the group table
// keeps, until their group is first used. *bytesRead, when given, shares
// the bytes the book was read from (those of the new book for a file that
// was empty).
BookStatus LoadBook(const BookContext& context, const std::string& path,
                    const std::string& oldPath, std::vector<AddressRecord>* records,
                    GroupTable* groups, BookBytes* bytesRead = nullptr);

// ReadBook into the packed entry table, for tools that handle books of any
// size: the file is read in pieces and never held whole.
BookStatus ReadBookTables(const BookContext& context, const std::string& path, int capacity,
                          EntryTable* entries, GroupTable* groups);

// ReadBook on bytes already in memory, optionally reporting each line.
int ReadBookBytes(const BookContext& context, std::string_view bytes, int capacity,
                  std::vector<AddressRecord>* records, GroupTable* groups,
                  BookLineObserver* observer = nullptr);
int ReadBookBytes(const BookContext& context, std::string_view bytes, int capacity,
                  EntryTable* entries, GroupTable* groups, BookLineObserver* observer = nullptr);

// Writes the header, the records in the given order and the members of each
// group, replacing the file as a whole. On failure the previous file is left
// as it was and the error says why.
sys::FileError WriteBook(const BookContext& context, const std::string& path,
                         const std::vector<AddressRecord>& records, const GroupTable& groups);
// The same for a book in memory, written as apply writes it (ApplyOrder).
// *written, when given, gets the stamp of the bytes once they are in place,
// and *writtenBytes (with *written only) what they are: the member lines
// copied from the bytes the book was read from are shared, not copied.
sys::FileError WriteBook(const BookContext& context, const std::string& path,
                         const text::Collation& collation, const Book& book,
                         FileStamp* written = nullptr, BookBytes* writtenBytes = nullptr);

}  // namespace store
