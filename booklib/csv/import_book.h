// The book that imported addresses are added to: the editor's list, or a
// book in memory for the command-line tool.
#pragma once

#include <functional>

#include "store/address_record.h"

namespace csv {

class ImportBook {
 public:
  virtual ~ImportBook() = default;
  // The entries of the book, addresses and groups, as its list counts them.
  virtual int EntryCount() const = 0;
  virtual bool RegNoInUse(int regNo) const = 0;
  // Every entry of the book, in list order.
  virtual void ForEachEntry(const std::function<void(const store::AddressRecord&)>& visit) const = 0;
  // Puts a new single address at the top of the list.
  virtual void AddAddress(const store::AddressRecord& record) = 0;
};

}  // namespace csv
