#include "store/group_table.h"

#include <algorithm>

#include "platform/text/codepage.h"

namespace store {

GroupTable::GroupTable(int codePage, StoreAlerts* alerts)
    : codePage_(codePage), alerts_(alerts), slots_(kGroupSlots) {}

void GroupTable::ClearGroups() {
  for (int i = 0; i < neverUsed_; ++i) slots_[static_cast<std::size_t>(i)] = GroupRecord();
  byKey_.clear();
  freed_ = decltype(freed_)();
  neverUsed_ = 0;
  usedSlots_ = 0;
}

int GroupTable::FindSlot(int key) const {
  if (key == 0) return -1;
  auto it = byKey_.find(key);
  return it == byKey_.end() ? -1 : it->second.front();
}

const GroupRecord* GroupTable::FindGroup(int key) const {
  const int index = FindSlot(key);
  return index < 0 ? nullptr : &slots_[static_cast<std::size_t>(index)];
}

int GroupTable::LowestFreeSlot() const {
  if (!freed_.empty()) return freed_.top();
  return neverUsed_ < kGroupSlots ? neverUsed_ : -1;
}

void GroupTable::TakeSlot(int index, int key, int kind) {
  GroupRecord& slot = slots_[static_cast<std::size_t>(index)];
  slot = GroupRecord();
  slot.key = key;
  slot.originKind = kind;
  if (!freed_.empty() && freed_.top() == index) {
    freed_.pop();
  } else {
    ++neverUsed_;
  }
  ++usedSlots_;
  std::vector<int>& holders = byKey_[key];
  holders.insert(std::lower_bound(holders.begin(), holders.end(), index), index);
}

void GroupTable::FreeSlot(int index) {
  GroupRecord& slot = slots_[static_cast<std::size_t>(index)];
  auto it = byKey_.find(slot.key);
  if (it != byKey_.end()) {
    std::vector<int>& holders = it->second;
    holders.erase(std::remove(holders.begin(), holders.end(), index), holders.end());
    if (holders.empty()) byKey_.erase(it);
  }
  slot = GroupRecord();
  freed_.push(index);
  --usedSlots_;
}

bool GroupTable::SlotKindSupported(const GroupRecord& slot) const {
  return slot.originKind == kKindGroup || slot.originKind == kKindMember;
}

bool GroupTable::AddMember(int key, int kind, MemberEntry member) {
  // Key 0 marks free slots; a member under it would land in a free slot and
  // later leak into the next group created there.
  if (key == 0) return false;
  const int index = FindSlot(key);
  if (index < 0) {
    std::vector<MemberEntry> first;
    if (!member.dispNameJP.empty()) first.push_back(std::move(member));
    return CreateGroupSlot(key, static_cast<int>(first.size()), kind, first);
  }
  GroupRecord& slot = slots_[static_cast<std::size_t>(index)];
  // A second group line with the same key only confirms the slot: an empty
  // member must not raise the count without filling a position.
  if (member.dispNameJP.empty()) return true;
  if (slot.count + 1 > kMaxMembers) return false;
  std::size_t freePos = slot.members.size();
  for (std::size_t pos = 0; pos < slot.members.size(); ++pos) {
    const std::string& reading = slot.members[pos].dispNameJP;
    if (reading.empty()) {
      if (freePos == slot.members.size()) freePos = pos;
    } else if (text::EqualNoCase(codePage_, reading, member.dispNameJP)) {
      return false;
    }
  }
  if (freePos >= static_cast<std::size_t>(kMaxMembers)) return false;
  if (freePos == slot.members.size()) {
    if (slot.members.capacity() == slot.members.size()) {
      slot.members.reserve(slot.members.size() < 8 ? 8 : static_cast<std::size_t>(kMaxMembers));
    }
    slot.members.push_back(std::move(member));
  } else {
    slot.members[freePos] = std::move(member);
  }
  ++slot.count;
  return true;
}

bool GroupTable::CreateGroupSlot(int key, int count, int kind,
                                 const std::vector<MemberEntry>& members) {
  const int index = LowestFreeSlot();
  if (index < 0) return false;
  if (count < 0) count = 0;
  if (count > kMaxMembers) count = kMaxMembers;
  if (count > static_cast<int>(members.size())) count = static_cast<int>(members.size());
  TakeSlot(index, key, kind);
  GroupRecord& slot = slots_[static_cast<std::size_t>(index)];
  slot.count = count;
  slot.members.assign(members.begin(), members.begin() + count);
  return true;
}

int GroupTable::MemberCount(int key) const {
  const int index = FindSlot(key);
  return index < 0 ? 0 : slots_[static_cast<std::size_t>(index)].count;
}

int GroupTable::CopyMembers(int key, int max, std::vector<MemberEntry>* out) const {
  const int index = FindSlot(key);
  if (index < 0) return 0;
  const GroupRecord& slot = slots_[static_cast<std::size_t>(index)];
  if (!SlotKindSupported(slot)) alerts_->Alert(kUnsupportedAddrType);
  int copied = 0;
  for (const MemberEntry& m : slot.members) {
    if (copied >= max) break;
    if (m.dispNameJP.empty()) continue;
    out->push_back(m);
    ++copied;
  }
  return copied;
}

bool GroupTable::DeleteGroup(int key) {
  const int index = FindSlot(key);
  if (index < 0) return false;
  if (!SlotKindSupported(slots_[static_cast<std::size_t>(index)])) {
    alerts_->Alert(kUnsupportedAddrType);
  }
  FreeSlot(index);
  return true;
}

bool GroupTable::UpdateMember(const std::string& oldReading, int kind, const MemberEntry& member) {
  if (kind != kKindMember) alerts_->Alert(kUnsupportedAddrType);
  if (oldReading.empty()) return false;
  bool replaced = false;
  for (GroupRecord& slot : slots_) {
    if (slot.key == 0) continue;
    for (MemberEntry& m : slot.members) {
      if (!m.dispNameJP.empty() && text::EqualNoCase(codePage_, m.dispNameJP, oldReading)) {
        m = member;
        replaced = true;
        break;
      }
    }
  }
  return replaced;
}

bool GroupTable::RemoveMember(const std::string& reading, GroupEntryOwner* owner) {
  if (reading.empty()) return false;
  bool removedAny = false;
  for (int index = 0; index < kGroupSlots; ++index) {
    GroupRecord& slot = slots_[static_cast<std::size_t>(index)];
    if (slot.key == 0) continue;
    if (!SlotKindSupported(slot) && slot.originKind != 0) alerts_->Alert(kUnsupportedAddrType);
    bool removed = false;
    for (MemberEntry& m : slot.members) {
      if (m.dispNameJP.empty() || !text::EqualNoCase(codePage_, m.dispNameJP, reading)) continue;
      m = MemberEntry();
      --slot.count;
      removed = true;
    }
    if (!removed) continue;
    removedAny = true;
    while (!slot.members.empty() && slot.members.back().dispNameJP.empty()) {
      slot.members.pop_back();
    }
    if (slot.count <= 0) {
      const int key = slot.key;
      FreeSlot(index);
      if (owner) owner->RemoveGroupEntry(key);
    }
  }
  return removedAny;
}

}  // namespace store
