#include "booklib/merge/number_index.h"

#include "store/content_hash.h"

namespace merge {

NumberIndex::NumberIndex(const store::Book& book) : book_(book) {
  // The tables reach the highest number in use, no further: a small book
  // costs little.
  int highest = 0;
  for (int i = 0; i < book.Size(); ++i) {
    const int regNo = book.RecordAt(i).regNo;
    if (InRange(regNo) && regNo > highest) highest = regNo;
  }
  entry_.assign(static_cast<std::size_t>(highest) + 1, 0);
  groupOf_.assign(static_cast<std::size_t>(highest) + 1, 0);
  for (int i = book.Size() - 1; i >= 0; --i) {
    const int regNo = book.RecordAt(i).regNo;
    if (InRange(regNo)) entry_[static_cast<std::size_t>(regNo)] = i + 1;
  }
  const store::GroupTable& table = book.Groups();
  groups_.reserve(static_cast<std::size_t>(table.UsedSlots()));
  table.ForEachPosition([&](int slot, int pos, const store::TextsView& texts) {
    const int key = table.Slot(slot).key;
    // A key's first slot is its group's; any later one is never read.
    // Members of a group no entry has are never asked for.
    if (!Known(key) || table.SlotOf(key) != slot) return;
    int& place = groupOf_[static_cast<std::size_t>(key)];
    if (place == 0) {
      groups_.emplace_back();
      groups_.back().members.reserve(store::kMaxMembers);
      place = static_cast<int>(groups_.size());
    }
    Group& group = groups_[static_cast<std::size_t>(place - 1)];
    store::TextsView reading;
    reading.texts[1] = texts.Reading();
    MemberKey member;
    member.slot = slot;
    member.pos = pos;
    member.reading = store::HashTexts(reading);
    member.texts = store::HashTexts(texts);
    group.members.push_back(member);
    group.hash = (group.hash ^ member.texts) * 0x9E3779B97F4A7C15ull + 0x632BE59BD9B4E019ull;
  });
}

const store::AddressRecord* NumberIndex::Find(int regNo) const {
  if (!Known(regNo)) return nullptr;
  const int place = entry_[static_cast<std::size_t>(regNo)];
  return place == 0 ? nullptr : &book_.RecordAt(place - 1);
}

std::uint64_t NumberIndex::MembersHash(int regNo) const {
  if (!Known(regNo)) return 0;
  const int place = groupOf_[static_cast<std::size_t>(regNo)];
  return place == 0 ? 0 : groups_[static_cast<std::size_t>(place - 1)].hash;
}

const std::vector<MemberKey>& NumberIndex::Members(int regNo) const {
  static const std::vector<MemberKey> kNone;
  if (!Known(regNo)) return kNone;
  const int place = groupOf_[static_cast<std::size_t>(regNo)];
  return place == 0 ? kNone : groups_[static_cast<std::size_t>(place - 1)].members;
}

}  // namespace merge
