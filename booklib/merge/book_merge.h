// The three-way merge of a book edited in two places: base is the book as it
// was last read or written, mine the book in memory, theirs the file as it is
// now. Entries are matched by registration number.
//
// An entry changed, added or removed on one side only takes that side. Both
// sides' additions are kept; where both took the same number for different
// entries, mine takes the next free one. Removed on one side and unchanged
// on the other: removed. Removed on one side and changed on the other, or
// changed differently on both: a conflict, which the caller resolves by
// taking one side's version. A group's names and its members merge apart:
// the members as a set keyed by their reading (without case), so that an
// address edited here and another edited there both reach the group's
// copies; the same member changed differently on both sides is a conflict.
//
// Portable: no system, no user interface.
#pragma once

#include <string>
#include <vector>

#include "booklib/rules/field_rules.h"
#include "store/address_record.h"
#include "store/book.h"

namespace merge {

// One side's version of an entry; `present` false: the side has no entry of
// this number (removed, or never had it).
struct EntryVersion {
  bool present = false;
  store::AddressRecord record;
  std::vector<store::MemberEntry> members;  // a group's, in position order
};

enum class Side { kMine, kTheirs };

// A field the two versions of a conflict differ in: one of the eight text
// fields by its file name, "Respect", "Kind", "Entry" when one side removed
// the entry (its value is then empty there), or "Used" (see
// Conflict::removedBy). For a group's members, `member` names the member
// by its reading: a member field by its file name, or "Members" when the
// member is on one side only (the value is then its reading there, empty
// where it is missing).
struct FieldDifference {
  std::string field;
  std::string mine;
  std::string theirs;
  std::string member;
};

struct Conflict {
  int regNo = 0;
  EntryVersion mine;
  EntryVersion theirs;
  std::vector<FieldDifference> fields;
  // An address one side removed (with its copies) while the other side
  // made it a member of groups: keeping the removing side's version
  // removes its copies from every group too ("remove everywhere"), the
  // other side's keeps the address ("keep the address"). The difference is
  // one field "Used" whose value on the side that kept the address names
  // the groups, ", " between them. Not set for other conflicts.
  bool removedButUsed = false;
  Side removedBy = Side::kMine;
  // Whether the language of the merge shows registration names.
  bool registrationNames = true;
  // The entry's registration name (its reading where it has none, and in
  // languages that show none): this side's, or the file's when this side
  // removed it.
  const std::string& Name() const;
};

// An entry the merge decided on, with the side its version comes from.
struct MergedEntry {
  EntryVersion version;
  Side from = Side::kTheirs;
  // Both sides added an entry of this number: this one (mine) needs a new one.
  bool renumber = false;
  // For the members: which came from mine (renamed with their address).
  std::vector<bool> memberFromMine;
  // A conflict's place: its index in the plan's conflicts, whose chosen
  // version stands here; -1 for an entry decided already.
  int conflict = -1;
  // A group whose members are not copied into `version.members`: each is
  // a position of one side's group table (MergePlan::mine, ::theirs), in
  // the merged group's order. Merging the largest book then copies no
  // member until the merged book is built.
  struct Pick {
    Side side = Side::kTheirs;
    int slot = 0;
    int pos = 0;
  };
  bool picked = false;
  std::vector<Pick> picks;
};

struct MergePlan {
  // In the order the merged book lists them: theirs' entries in their
  // order, then mine's entries theirs lacks in mine's order.
  std::vector<MergedEntry> entries;
  // In the order of `entries`.
  std::vector<Conflict> conflicts;
  // The books the picked members are read from: they must live until the
  // merged book is built.
  const store::Book* mine = nullptr;
  const store::Book* theirs = nullptr;
};

// The interface language that shows registration names and honorifics.
constexpr int kJapanese = 1041;

// Plans the merge. The books must share a code page (readings compare
// without case in it), and mine and theirs must live until BuildMerged.
// In an interface language other than Japanese (langId), which shows no
// registration names and honorifics, those two of an entry or member merge
// apart from its other texts: the one side's change of them and the other
// side's change of the rest are both kept.
MergePlan PlanMerge(const store::Book& base, const store::Book& mine, const store::Book& theirs,
                    int langId = kJapanese);

// The book the merge leaves, as records in list order and their groups.
struct MergedBook {
  explicit MergedBook(int codePage, store::StoreAlerts* alerts) : groups(codePage, alerts) {}
  std::vector<store::AddressRecord> records;
  store::GroupTable groups;
  // False when the merged book would pass the limits (3000 entries, 80
  // members a group): nothing of it may be written.
  bool ok = true;
};

// The merged book with each conflict resolved to the side `choices` names
// (one per conflict, in plan order; a missing choice takes mine). Mine's new
// numbers are given, then names and readings that mine's versions share with
// another entry are made unique with a "(n)" suffix as a paste makes them
// (mine yields to theirs); group copies of a renamed address follow.
// The plan is used up: pass it moved where it is not needed any more.
void BuildMerged(MergePlan plan, const std::vector<Side>& choices,
                 const rules::TextRules& rules, MergedBook* out);

// The same with every conflict resolved to one side.
std::vector<Side> AllChoices(const MergePlan& plan, Side side);

// How many of base's entries (by registration number) theirs no longer
// holds.
int EntriesLost(const store::Book& base, const store::Book& theirs);
// More than half of base's entries lost (all of them included): a merge
// asks first, since a damaged or swapped file looks like this far more
// often than a colleague's deletions.
inline bool IsMassRemoval(int lost, int baseEntries) {
  return lost > 0 && 2 * lost > baseEntries;
}

// The members of a group entry of a book, in position order.
std::vector<store::MemberEntry> MembersOf(const store::Book& book, int regNo);

}  // namespace merge
