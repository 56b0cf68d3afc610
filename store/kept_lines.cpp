#include "store/kept_lines.h"

#include <new>

namespace store {

KeptLines::Stored& KeptLines::StoredAt(std::uint32_t place) const {
  char* block = blocks_[place / kPerBlock].Data();
  return *reinterpret_cast<Stored*>(block + (place % kPerBlock) * sizeof(Stored));
}

void KeptLines::Append(Chain* chain, const Line& line) {
  if (size_ == blocks_.size() * kPerBlock) blocks_.emplace_back(kBlockBytes);
  const std::uint32_t place = size_++;
  new (&StoredAt(place)) Stored{line, 0};
  if (chain->Empty()) {
    chain->first = place + 1;
  } else {
    StoredAt(chain->last - 1).next = place + 1;
  }
  chain->last = place + 1;
  ++chain->count;
  ++waiting_;
}

void KeptLines::Drop(Chain* chain) {
  waiting_ -= chain->count;
  *chain = Chain();
  if (waiting_ == 0) Clear();
}

void KeptLines::Clear() {
  blocks_.clear();
  size_ = 0;
  waiting_ = 0;
}

}  // namespace store
