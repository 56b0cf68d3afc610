// Turns the lines of a book file, one at a time, into entries and group
// members, as the loader stores them.
#pragma once

#include <string_view>

#include "store/book_format.h"
#include "store/entry_table.h"
#include "store/group_table.h"
#include "store/store_alerts.h"

namespace store {

struct BookContext;

// Sees every line after the header as the reader handles it.
class BookLineObserver {
 public:
  virtual ~BookLineObserver() = default;
  // raw: the line as the file holds it (without its end). stored: an entry
  // was kept (within capacity) or a member was accepted by the group table.
  virtual void OnLine(int lineNumber, std::string_view raw, const BookLine& line, bool stored) = 0;
};

class BookReader {
 public:
  // At most `capacity` entries are added to *entries; members go to the
  // group table, and every group entry gets its slot there. With a table
  // that keeps the book's bytes (GroupTable::KeepBytes), the lines must be
  // views of those bytes: members then stay where their lines lie.
  BookReader(const BookContext& context, int capacity, EntryTable* entries, GroupTable* groups,
             BookLineObserver* observer = nullptr);

  // The next line of the file, the header first (which is skipped unseen).
  void Line(std::string_view line);

  // Entries read so far.
  int Read() const { return read_; }

  // Shows "Error: Unsupported Addr Type" once for each member line of a
  // wrong kind. Readers call it once the whole file has been read, so that a
  // book that fails to load shows nothing but its failure.
  void ShowAlerts() const;

 private:
  // A member line of the common form handed to the table as it is; false
  // for any other line.
  bool KeptMemberLine(std::string_view line);

  const BookContext& context_;
  int capacity_;
  EntryTable* entries_;
  GroupTable* groups_;
  BookLineObserver* observer_;
  int lineNumber_ = 0;
  int read_ = 0;
  int badMembers_ = 0;
  bool keep_ = false;  // members stay in the table's kept bytes
  LineParser parser_;
  ParsedLine parsed_;
  BookLine copy_;
};

}  // namespace store
