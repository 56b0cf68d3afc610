// The member tables of the groups: 3000 slots of up to 80 members each.
//
// A slot belongs to the group entry whose registration number is its key;
// key 0 marks a free slot. Members are copies of addresses, identified by
// their reading compared without case; a position whose reading is empty is
// free, and free positions may lie between used ones. Lookups by key take
// constant time; the slot order (lowest free slot first, first slot with a
// key wins) is the one the file format and the commands rely on. The texts
// of all members are packed into one buffer, so that the table costs about
// what the book's member lines take in the file. The members of a book just
// read may instead stay where their lines lie in the book's bytes (see
// KeepBytes), read when their group is first used.
#pragma once

#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "store/address_record.h"
#include "store/book_bytes.h"
#include "store/kept_lines.h"
#include "store/packed_texts.h"
#include "store/text_fields.h"
#include "store/store_alerts.h"

namespace store {

// What a slot is, without its members.
struct GroupRecord {
  int key = 0;         // registration number of the group entry; 0 = free
  int count = 0;       // members held
  int originKind = 0;  // 3 made for a group line, 4 made from a member
};

// Where a member sits: its slot and its position there.
struct MemberSpot {
  std::uint16_t slot = 0;
  std::uint8_t pos = 0;
};

// A slot as it is, members and all, to be put back as it was: a free
// position is a member with an empty reading; key 0 is a free slot.
struct SlotImage {
  int index = 0;
  GroupRecord info;
  std::vector<MemberEntry> positions;
};

// What UpdateMember or RemoveMember did, enough to take it back or do it
// again exactly. Members are copies of an address: only those that were not
// the address's own texts (books made by hand) are kept here.
struct MemberEdit {
  // The positions changed, slot by slot, in the order they were changed.
  std::vector<MemberSpot> spots;
  // The members at those spots that differed from the address: the spot's
  // index in `spots` and the member as it was.
  std::vector<std::pair<std::uint32_t, MemberEntry>> others;
  // RemoveMember: for each slot it touched, the number of positions it had
  // (free ones at the end go) and, for a slot it freed, what the slot was.
  struct SlotBefore {
    std::uint16_t slot = 0;
    std::uint8_t positions = 0;
    GroupRecord freed;  // key 0: the slot stayed
  };
  std::vector<SlotBefore> slots;
  std::size_t Bytes() const;
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
  bool AddMember(int key, int kind, const MemberEntry& member);
  bool AddMember(int key, int kind, const TextsView& member);
  // The same for a member line's fields after its number, kept as the line
  // holds them and read when they are asked for (the reading, which the
  // reader has read, decides on their own). Fields that are exactly what
  // the writer writes are written back by copying them.
  bool AddMemberFields(int key, int kind, std::string_view fields, std::string_view reading);

  // The bytes of the book being read, which AddKeptMember's lines lie in;
  // kept with the table until it is cleared. Only for a table without
  // groups: false (and nothing kept) otherwise.
  bool KeepBytes(SharedBytes bytes);
  const SharedBytes& KeptBytes() const { return kept_; }
  // A member line within the kept bytes: `line` as the file holds it
  // (without its end) and `fields`, the fields after its number (to the
  // line's end: they are cut at their first NUL when read). The
  // group's slot is found or made now (false when there is none to have:
  // key 0, the table full); the member's reading is read when the group is
  // first used, and the member is then taken or not exactly as
  // AddMemberFields would have taken it now. A line outside the kept bytes
  // goes to AddMemberFields at once.
  bool AddKeptMember(int key, std::string_view line, std::string_view fields);

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
  // The same, noting in *edit what it changed; `address` holds the texts the
  // members are expected to be copies of.
  bool UpdateMember(const std::string& oldReading, int kind, const MemberEntry& member,
                    const EntryTexts& address, MemberEdit* edit);
  // Puts `member` at every spot of `edit`, or, with `others`, the member
  // kept there for the spots it names: UpdateMember taken back (member: the
  // address as it was) or done again (member: as it became, no others).
  void PutMembers(const MemberEdit& edit, const MemberEntry& member, bool others);
  // For each reading, the spots UpdateMember would overwrite for it (the
  // first member of each group whose reading equals it, ignoring case, group
  // by group), found in one pass over the table.
  std::vector<std::vector<MemberSpot>> FindCopies(const std::vector<std::string_view>& readings) const;
  // The hash readings are matched by: equal for readings equal ignoring
  // case; never 0.
  std::uint32_t ReadingHash(std::string_view reading) const;

  // In every group, removes each member whose reading equals `reading`
  // (ignoring case). A group left without members is deleted: its slot is
  // freed and owner removes its entry from the list.
  bool RemoveMember(const std::string& reading, GroupEntryOwner* owner);
  // The same, noting in *edit what it changed (`address`: as above); the
  // keys of the slots it freed are appended to *freedKeys.
  bool RemoveMember(const std::string& reading, const EntryTexts& address, MemberEdit* edit,
                    std::vector<int>* freedKeys);
  // RemoveMember taken back (member: the address removed) and done again.
  void UndoRemoval(const MemberEdit& edit, const MemberEntry& member);
  void RedoRemoval(const MemberEdit& edit);

  // The first slot with this key; -1 when there is none.
  int SlotOf(int key) const { return FindSlot(key); }
  // Every slot with this key, lowest first.
  std::vector<int> SlotsOf(int key) const;
  // The slot a new group would take; -1 when every slot is in use.
  int NextFreeSlot() const { return LowestFreeSlot(); }
  // A picture of a slot, and the slot put back as a picture shows it (a
  // used slot is emptied first; the image's index is the slot).
  SlotImage ImageOf(int index) const;
  void Restore(const SlotImage& image);

  // The texts of the member at a used position of a slot (as
  // ForEachPosition names them); empty texts for any other. The view is
  // valid until the table is next read or changed.
  TextsView MemberAt(int slot, int pos) const;

  // Hands every used position to `each` (slot, position, texts), slot by
  // slot; the views are valid during the call only.
  void ForEachPosition(const std::function<void(int slot, int pos, const TextsView&)>& each) const;

  // Whether a slot has this key.
  bool HasGroup(int key) const { return FindSlot(key) >= 0; }

  // For the writer: the member's fields after the number as they are to be
  // written (canonical), or else its texts.
  void ForEachMemberToWrite(
      int key,
      const std::function<void(const TextsView* texts, std::string_view canonical)>& each) const;

  // For the writer: the group's member lines, where the kept bytes hold
  // them as one run of whole lines ended by CR LF, when they are exactly
  // what the writer writes for its members (each line read and taken as it
  // is, the group unchanged since); empty otherwise.
  std::string_view KeptMemberLines(int key) const;

  // About the memory the table holds, in bytes.
  std::size_t MemoryBytes() const;

  // Read access for tools and tests.
  const GroupRecord& Slot(int index) const;
  int UsedSlots() const { return usedSlots_; }
  // Bytes the members' texts take, those edits left behind included: it
  // drops when the texts still held are packed afresh.
  std::size_t PackedBytes() const { return packer_.Size(); }

 private:
  struct Position {
    std::uint32_t at = 0;      // texts in packer_
    std::uint32_t size = 0;    // bytes they take there
    std::uint32_t hash = 0;    // of the reading without case
    int respect = 0;
    bool used = false;         // the reading is not empty
    bool fields = false;       // at holds the line's fields, not the eight texts
    bool kept = false;         // fields: at and size place them in kept_
  };
  // Where the member lines of a slot lie in kept_ as one run, while the
  // slot holds exactly the members read from them; and, once looked at,
  // whether the writer would write them alike (0 not yet, 1 yes, -1 no).
  struct KeptRun {
    std::uint32_t start = 0;
    std::uint32_t end = 0;
    bool valid = false;
    std::int8_t copies = 0;
  };
  struct SlotData {
    GroupRecord info;
    std::vector<Position> positions;  // 0..size-1; from size() to 79 free
    // The reading hash of each position, 0 for a free one: searched as one
    // run of numbers.
    std::vector<std::uint32_t> hashes;
    int freePositions = 0;  // zeros among the hashes
    // Member lines of the kept bytes to be read, in file order, before
    // anything else looks at the slot.
    KeptLines::Chain waiting;
    mutable KeptRun run;
  };

  int FindSlot(int key) const;
  // Reads the slot's waiting member lines, if any. That changes how the
  // table holds the members, never what any call answers, so it is done
  // from const calls too (no table is a const object).
  void Ready(int index) const;
  void ReadWaitingLines(int index);
  // The fields a member of a line is kept as.
  std::string_view FieldsOf(const Position& p) const;
  // Whether the writer writes a member kept as its fields by copying them.
  bool CopiedAsWritten(const Position& p) const;
  void TakeSlot(int index, int key, int kind);
  // Removes a spot's member (the count follows).
  void EmptyPosition(SlotData& slot, std::size_t pos);
  // Drops the free positions at the end of a slot.
  void TrimFreePositions(SlotData& slot);
  bool Matches(const TextsView& member, const EntryTexts& address) const;
  // Notes a spot about to change in *edit, with its member when that is
  // not a copy of address.
  void NoteSpot(int index, std::size_t pos, const EntryTexts& address, MemberEdit* edit) const;
  void FreeSlot(int index);
  bool SlotKindSupported(const GroupRecord& slot) const;
  int LowestFreeSlot() const;
  Position Pack(const TextsView& member, std::uint32_t hash);
  Position PackFields(std::string_view fields, std::string_view reading, std::uint32_t hash);
  template <typename MakePosition>
  bool Add(int key, int kind, std::string_view reading, MakePosition pack);
  // Add to a slot that is there and ready.
  template <typename MakePosition>
  bool AddTo(SlotData& slot, std::string_view reading, MakePosition pack);
  void Forget(const Position& p);
  TextsView Unpack(const Position& p) const;
  bool SameReading(const Position& p, std::uint32_t hash, std::string_view reading) const;
  void Put(SlotData& slot, std::size_t pos, const Position& p);
  void CompactIfWasteful();

  int codePage_;
  StoreAlerts* alerts_;
  // The slots taken since the last clear and the free ones below them;
  // those from neverUsed_ on are free (room for all is made at once).
  std::vector<SlotData> slots_;
  TextPacker packer_;
  mutable FieldScratch scratch_;  // for members kept as their fields
  // For the reading of a kept line while it is taken (which reads other
  // members into scratch_).
  FieldScratch readingScratch_;
  SharedBytes kept_;
  KeptLines keptLines_;
  std::size_t wasted_ = 0;  // bytes of packer_ no position uses any more
  int usedSlots_ = 0;
  // Slots from neverUsed_ on have never been taken since the last clear;
  // freed_ holds the free slots below it.
  int neverUsed_ = 0;
  std::set<int> freed_;
  // key -> the slots holding it, in ascending order (the first one counts).
  std::unordered_map<int, std::vector<int>> byKey_;
  // The last key looked up and its first slot (-1: none); key 0 is never
  // looked up, so it marks no answer.
  mutable int lastKey_ = 0;
  mutable int lastSlot_ = -1;
};

}  // namespace store
