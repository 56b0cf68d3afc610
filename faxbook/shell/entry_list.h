// The entry list behind the address list: one record per row, found by the
// row id the row carries as item data, and the registration numbers in use.
// Every lookup takes constant time, so that a sort over all rows costs only
// its comparisons.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "store/address_record.h"

class EntryList {
 public:
  struct Entry {
    bool hasRecord = false;
    store::AddressRecord record;
    // The texts the row shows, in column order: what the sort compares.
    std::vector<std::string> cells;
  };

  // Hands out the next row id: 0, 1, 2, ... up to the largest int, then on
  // through the negative numbers to -2 and from 0 again; never -1.
  int NextRowId() {
    const int id = nextRowId_;
    nextRowId_ = RowIdAfter(id);
    return id;
  }
  void ResetRowIds() { nextRowId_ = 0; }
  // The row id handed out after `rowId`.
  static int RowIdAfter(int rowId);

  // The texts a row shows (kept from the row's insertion on).
  void SetCells(int rowId, std::vector<std::string> cells);
  // Adds or replaces the record of a row.
  void Add(int rowId, const store::AddressRecord& record);
  void Add(int rowId, store::AddressRecord&& record);
  // Forgets the row: its record and its texts.
  bool Remove(int rowId);
  void Clear();

  // The row's entry (null for a row id never given texts or a record).
  Entry* Find(int rowId);
  const Entry* Find(int rowId) const;
  // The row's record; null when the row has none.
  store::AddressRecord* FindRecord(int rowId);
  bool RegNoInUse(int regNo) const;
  std::size_t Size() const { return entries_.size(); }

 private:
  void Count(int regNo, int delta);

  int nextRowId_ = 0;
  std::unordered_map<int, Entry> entries_;
  std::unordered_map<int, int> regNos_;  // registration number -> entries using it
};
