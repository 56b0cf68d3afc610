#include "faxbook/shell/entry_list.h"

#include <climits>

int EntryList::RowIdAfter(int rowId) {
  if (rowId == -2) return 0;
  if (rowId == INT_MAX) return INT_MIN;
  return rowId + 1;
}

void EntryList::Count(int regNo, int delta) {
  int& n = regNos_[regNo];
  n += delta;
  if (n <= 0) regNos_.erase(regNo);
}

void EntryList::SetCells(int rowId, std::vector<std::string> cells) {
  entries_[rowId].cells = std::move(cells);
}

void EntryList::Add(int rowId, const store::AddressRecord& record) {
  Add(rowId, store::AddressRecord(record));
}

void EntryList::Add(int rowId, store::AddressRecord&& record) {
  Entry& entry = entries_[rowId];
  if (entry.hasRecord) Count(entry.record.regNo, -1);
  const int regNo = record.regNo;
  entry.record = std::move(record);
  entry.hasRecord = true;
  Count(regNo, +1);
}

bool EntryList::Remove(int rowId) {
  auto it = entries_.find(rowId);
  if (it == entries_.end()) return false;
  const bool had = it->second.hasRecord;
  if (had) Count(it->second.record.regNo, -1);
  entries_.erase(it);
  return had;
}

store::AddressRecord* EntryList::FindRecord(int rowId) {
  Entry* entry = Find(rowId);
  return entry && entry->hasRecord ? &entry->record : nullptr;
}

void EntryList::Clear() {
  entries_.clear();
  regNos_.clear();
}

EntryList::Entry* EntryList::Find(int rowId) {
  auto it = entries_.find(rowId);
  return it == entries_.end() ? nullptr : &it->second;
}

const EntryList::Entry* EntryList::Find(int rowId) const {
  auto it = entries_.find(rowId);
  return it == entries_.end() ? nullptr : &it->second;
}

bool EntryList::RegNoInUse(int regNo) const { return regNos_.count(regNo) != 0; }
