#include "store/entry_table.h"

namespace store {

void EntryTable::Add(int kind, int regNo, const TextsView& texts) {
  entries_.push_back({packer_.Add(texts.texts), kind, texts.respect, regNo});
}

EntryToWrite EntryTable::Get(std::size_t index) const {
  const Packed& p = entries_[index];
  EntryToWrite e;
  e.kind = p.kind;
  e.regNo = p.regNo;
  packer_.Get(p.at, &e.texts.texts);
  e.texts.respect = p.respect;
  return e;
}

void EntryTable::AppendTo(std::vector<AddressRecord>* records) const {
  records->reserve(records->size() + entries_.size());
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    const EntryToWrite e = Get(i);
    AddressRecord r;
    CopyInto(e.texts, &r);
    r.kind = e.kind;
    r.regNo = e.regNo;
    records->push_back(std::move(r));
  }
}

void EntryTable::Clear() {
  packer_.Clear();
  entries_.clear();
}

}  // namespace store
