// The address book in memory: the entries in the order the list shows them,
// each with its kind and an id that stays with it, and the member tables of
// the groups.
//
// Every change goes through the verbs below. While a step is open (see
// BeginStep) each verb notes what it takes to take the change back or do it
// again exactly, so that undo gives back the book as it was: entries,
// registration numbers, groups and the order of their members. What is
// noted are the changes themselves, never copies of the book, except where
// the change is the whole book (an import that replaces every entry).
//
// The book also knows whether it equals what was last loaded or written
// (Modified), and counts its changes (Revision) so that a view can tell when
// to draw it again.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "store/address_record.h"
#include "store/group_table.h"
#include "store/store_alerts.h"

namespace store {

// Names one entry for the life of a book; never 0, never used again.
using EntryId = std::uint32_t;
constexpr EntryId kNoEntry = 0;

class BookChange;
class BookHistory;

// Hears of a book's changes: once a step, an undo or a redo is over, or a
// verb outside a step.
class BookObserver {
 public:
  virtual ~BookObserver() = default;
  virtual void OnBookChanged() = 0;
};

class Book {
 public:
  Book(int codePage, StoreAlerts* alerts);
  ~Book();
  Book(const Book&) = delete;
  Book& operator=(const Book&) = delete;

  // --- what the book holds ---------------------------------------------------
  int Size() const { return static_cast<int>(order_.size()); }
  // The entry at a place of the list order (0 is the top).
  EntryId IdAt(int index) const { return order_[static_cast<std::size_t>(index)]; }
  const AddressRecord& RecordAt(int index) const { return *Find(IdAt(index)); }
  // The place of an entry in the list order; -1 for an id the book lacks.
  int IndexOf(EntryId id) const;
  // Null for an id the book lacks.
  const AddressRecord* Find(EntryId id) const;
  bool Contains(EntryId id) const { return Find(id) != nullptr; }
  // A group entry (kind 3); every other kind is a single address.
  bool IsGroup(EntryId id) const;
  bool RegNoInUse(int regNo) const;
  // The entry with this registration number; kNoEntry when none has it.
  EntryId WithRegNo(int regNo) const;
  const GroupTable& Groups() const { return *groups_; }
  int CodePage() const { return codePage_; }
  StoreAlerts* Alerts() const { return alerts_; }

  // --- verbs -----------------------------------------------------------------
  // Puts a new entry at the top of the list. A group gets the lowest free
  // slot with the members given (kind 4), or no slot when `members` is empty
  // and `slot` false. Returns the new entry's id; kNoEntry when a group
  // could not get a slot (the table is full).
  EntryId Add(const AddressRecord& record);
  EntryId AddGroup(const AddressRecord& record, const std::vector<MemberEntry>& members);
  // Gives an entry new texts (a group takes the two names only). For an
  // address, the copies groups hold of it, found by the reading it had,
  // become copies of the new texts.
  void Change(EntryId id, const EntryTexts& texts);
  // A group's members become `members`, in this order: its slot is freed and
  // a slot is taken anew as the group dialog's OK does. Members with an
  // empty reading are skipped; none at all leaves the group without a slot.
  void SetMembers(EntryId id, const std::vector<MemberEntry>& members);
  // Removes an entry. A group's member table goes with it. An address
  // leaves every group that holds it; a group left without members is
  // removed too (its id is appended to *alsoRemoved when given).
  void Remove(EntryId id, std::vector<EntryId>* alsoRemoved = nullptr);
  // Every entry replaced: `records` top to bottom and their groups (the
  // imports that replace the book).
  void ReplaceAll(std::vector<AddressRecord> records, GroupTable groups);
  // The same as a load: the book is then what a file holds, unmodified and
  // without history.
  void Load(std::vector<AddressRecord> records, GroupTable groups);

  // Orders the entries as the list shows them: `order` holds every id once.
  // Not a change: apply keeps this order among readings that compare equal.
  void Arrange(std::vector<EntryId> order);

  void SetObserver(BookObserver* observer) { observer_ = observer; }

  // --- steps, undo and redo --------------------------------------------------
  // Changes made between BeginStep and EndStep are one step of the history;
  // steps may nest (the outermost counts). A step that changed nothing is
  // not kept. Without a history (fdtool) nothing is noted.
  void EnableHistory(std::size_t maxSteps);
  void BeginStep();
  void EndStep();
  bool CanUndo() const;
  bool CanRedo() const;
  // Takes back the last step (does again the last undone one); the ids of
  // the entries it touched that the book now holds go to *touched.
  bool Undo(std::vector<EntryId>* touched = nullptr);
  bool Redo(std::vector<EntryId>* touched = nullptr);
  // Forgets every step.
  void ClearHistory();
  // Memory the history holds, in bytes.
  std::size_t HistoryBytes() const;

  // --- state -----------------------------------------------------------------
  // Increases with every change, undo and redo.
  std::uint64_t Revision() const { return revision_; }
  // The book is what was last loaded or written (MarkSaved) no more.
  bool Modified() const;
  // What the book now holds is what the file holds.
  void MarkSaved();
  // A hash of what the book holds: its entries (texts, kinds, numbers) and
  // its member tables, whatever the order of the entries in the list.
  std::uint64_t ContentHash() const;

 private:
  friend class EntryAdded;
  friend class EntryRemoved;
  friend class EntryChanged;
  friend class MembersRemoved;
  friend class SlotsRestored;
  friend class BookReplaced;
  friend class TextsChangedRun;

  // The primitive edits the verbs and the changes are made of.
  void InsertEntry(int index, EntryId id, AddressRecord record);
  AddressRecord TakeEntry(EntryId id, int* index);
  AddressRecord* Mutable(EntryId id);
  GroupTable& MutableGroups() { return *groups_; }
  void CountRegNo(int regNo, int delta);
  // Removes an entry, noting it; its member table is the caller's.
  void RemoveEntryOnly(EntryId id);
  // The slots at `indexes` before a change to them (their part of the hash
  // taken away), and after it (added again), noted as one change.
  std::vector<SlotImage> SlotsBefore(std::vector<int> indexes);
  void SlotsAfter(EntryId owner, std::vector<SlotImage> before);
  void Tell();
  void Record(std::unique_ptr<BookChange> change);
  // Notes a change of texts that keeps the reading, in a run of such
  // changes that share one record; false when it cannot join one (the
  // caller then records the change alone).
  bool RecordInRun(EntryId id, std::uint16_t fields, const std::vector<std::string>& values,
                   int respect, bool address, const std::string& reading);
  bool Recording() const;
  // Before a change: the hash of the book as it is, the first time.
  void BeforeChange();
  void AfterChange();
  // The parts of ContentHash, kept up to date once known; sign +1 adds a
  // part, -1 takes it away.
  void HashEntry(const AddressRecord& record, int sign);
  void HashSlot(const SlotImage& image, int sign);
  void HashSpots(const MemberEdit& edit, const MemberEntry& member, bool others, int sign);
  void HashFreedSlots(const MemberEdit& edit, int sign);
  std::uint64_t FullHash() const;
  void RebuildIndex() const;

  int codePage_;
  StoreAlerts* alerts_;
  std::vector<EntryId> order_;
  std::unordered_map<EntryId, AddressRecord> records_;
  std::unique_ptr<GroupTable> groups_;
  std::unordered_map<int, int> regNos_;  // registration number -> entries using it
  EntryId nextId_ = 1;
  mutable std::unordered_map<EntryId, int> index_;
  mutable bool indexValid_ = false;

  std::unique_ptr<BookHistory> history_;
  // The run of text changes the open step ends with, and the readings of
  // its addresses by their hash (no two may compare equal).
  const BookChange* run_ = nullptr;
  std::unordered_multimap<std::uint32_t, EntryId> runReadings_;
  BookObserver* observer_ = nullptr;
  int stepDepth_ = 0;
  std::uint64_t revision_ = 0;
  std::uint64_t toldRevision_ = 0;
  // The content hash, known from the first change after a load on (a load
  // does not pay for it), and the hash of what the file holds. Until the
  // first change the book is what was loaded.
  bool hashKnown_ = false;
  std::uint64_t hash_ = 0;
  bool savedHashKnown_ = false;
  std::uint64_t savedHash_ = 0;
  std::uint64_t savedRevision_ = 0;
};

// Opens a step of the history for as long as it lives.
class BookStep {
 public:
  explicit BookStep(Book& book) : book_(book) { book_.BeginStep(); }
  ~BookStep() { book_.EndStep(); }
  BookStep(const BookStep&) = delete;
  BookStep& operator=(const BookStep&) = delete;

 private:
  Book& book_;
};

}  // namespace store
