// The member tables of the groups: 3000 slots of up to 80 members each.
//
// A slot belongs to the group entry whose registration number is its key;
// key 0 marks a free slot. Members are copies of addresses, identified by
// their reading compared without case; a position whose reading is empty is
// free, and free positions may lie between used ones. Lookups by key take
// constant time; the slot order (lowest free slot first, first slot with a
// key wins) is the one the file format and the commands rely on.
#pragma once

#include <functional>
#include <queue>
#include <string>
#include <unordered_map>
#include <vector>

#include "store/address_record.h"
#include "store/store_alerts.h"

namespace store {

struct GroupRecord {
  int key = 0;         // registration number of the group entry; 0 = free
  int count = 0;       // members held
  int originKind = 0;  // 3 made for a group line, 4 made from a member
  // Member positions 0..size-1; positions from size() to 79 are free.
  std::vector<MemberEntry> members;
};

// The owner of the entry list, which removes a group's entry and row when
// the group loses its last member.
class GroupEntryOwner {
 public:
  virtual ~GroupEntryOwner() = default;
  virtual void RemoveGroupEntry(int regNo) = 0;
};

class GroupTable {
 public:
  // codePage decides how readings compare without case; alerts shows
  // "Error: Unsupported Addr Type" for unexpected kinds.
  GroupTable(int codePage, StoreAlerts* alerts);

  // Frees every slot.
  void ClearGroups();

  // Adds a member to the first slot with this key, or creates a slot (kind
  // `kind`) when there is none. An empty reading creates the slot without a
  // member. False when the group is full, the reading is already a member
  // (ignoring case), the key is 0, or the table is full.
  bool AddMember(int key, int kind, MemberEntry member);

  // Takes the lowest free slot for a new group with the first `count` of
  // `members` at positions 0..count-1. False when every slot is in use.
  bool CreateGroupSlot(int key, int count, int kind, const std::vector<MemberEntry>& members);

  // Members held by the first slot with this key; 0 when there is none.
  int MemberCount(int key) const;

  // Appends to *out the members of the first slot with this key in position
  // order, at most max of them; returns how many were copied.
  int CopyMembers(int key, int max, std::vector<MemberEntry>* out) const;

  // Frees the first slot with this key; false when there is none.
  bool DeleteGroup(int key);

  // In every group, overwrites the first member whose reading equals
  // oldReading (ignoring case). True when any was replaced.
  bool UpdateMember(const std::string& oldReading, int kind, const MemberEntry& member);

  // In every group, removes each member whose reading equals `reading`
  // (ignoring case). A group left without members is deleted: its slot is
  // freed and owner removes its entry from the list.
  bool RemoveMember(const std::string& reading, GroupEntryOwner* owner);

  // The first slot with this key, null when there is none.
  const GroupRecord* FindGroup(int key) const;

  // Read access for writers and tools.
  const GroupRecord& Slot(int index) const { return slots_[static_cast<std::size_t>(index)]; }
  int UsedSlots() const { return usedSlots_; }

 private:
  int FindSlot(int key) const;
  void TakeSlot(int index, int key, int kind);
  void FreeSlot(int index);
  bool SlotKindSupported(const GroupRecord& slot) const;

  int LowestFreeSlot() const;

  int codePage_;
  StoreAlerts* alerts_;
  std::vector<GroupRecord> slots_;  // kGroupSlots, fixed
  int usedSlots_ = 0;
  // Slots from neverUsed_ on have never been taken since the last clear;
  // freed_ holds the freed slots below it, lowest on top.
  int neverUsed_ = 0;
  std::priority_queue<int, std::vector<int>, std::greater<int>> freed_;
  // key -> the slots holding it, in ascending order (the first one counts).
  std::unordered_map<int, std::vector<int>> byKey_;
};

}  // namespace store
