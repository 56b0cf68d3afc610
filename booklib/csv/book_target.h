// A book in memory as the book imported addresses go into, and as the name
// lookup of the address dialog's uniqueness test.
#pragma once

#include "booklib/rules/field_rules.h"
#include "booklib/csv/import_book.h"
#include "store/book.h"

namespace csv {

class BookTarget : public ImportBook {
 public:
  explicit BookTarget(store::Book& book) : book_(book) {}
  int EntryCount() const override { return book_.Size(); }
  bool RegNoInUse(int regNo) const override { return book_.RegNoInUse(regNo); }
  void ForEachEntry(const std::function<void(const store::AddressRecord&)>& visit) const override;
  // Puts the address at the top of the book's list.
  void AddAddress(const store::AddressRecord& record) override { book_.Add(record); }

 private:
  store::Book& book_;
};

// The book's entries as a name lookup (one lookup per confirmation: a plain
// walk of the entries).
class BookNameLookup : public rules::NameLookup {
 public:
  explicit BookNameLookup(const store::Book& book) : book_(book) {}
  bool IsNameUsed(const std::string& text, int kind) const override;

 private:
  const store::Book& book_;
};

}  // namespace csv
