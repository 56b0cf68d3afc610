// The entries of a book as the reader found them, packed: their texts back
// to back in one buffer, so that even a hand-made file of a million entry
// lines costs little more than its size.
#pragma once

#include <cstdint>
#include <vector>

#include "store/address_record.h"
#include "store/book_format.h"
#include "store/packed_texts.h"

namespace store {

class EntryTable {
 public:
  void Add(int kind, int regNo, const TextsView& texts);
  std::size_t Size() const { return entries_.size(); }
  // The entry's kind, number and texts (valid until the table changes).
  EntryToWrite Get(std::size_t index) const;
  // Appends every entry to *records.
  void AppendTo(std::vector<AddressRecord>* records) const;
  void Clear();

 private:
  struct Packed {
    std::uint32_t at;
    int kind;
    int respect;
    int regNo;
  };
  TextPacker packer_;
  std::vector<Packed> entries_;
};

}  // namespace store
