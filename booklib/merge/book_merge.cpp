#include "booklib/merge/book_merge.h"

#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "booklib/merge/number_index.h"
#include "booklib/rules/name_fitting.h"
#include "booklib/rules/name_index.h"
#include "store/content_hash.h"
#include "platform/text/codepage.h"
#include "store/reg_no.h"

namespace merge {
namespace {

bool SameTexts(const store::EntryTexts& a, const store::EntryTexts& b) {
  for (const store::TextField& f : store::kTextFields) {
    if (a.*f.member != b.*f.member) return false;
  }
  return a.respect == b.respect;
}

bool SameRecord(const store::AddressRecord& a, const store::AddressRecord& b) {
  return a.kind == b.kind && SameTexts(a, b);
}

// In a language that shows no registration name and no honorific, those two
// are a part of an entry of their own: the user there changes the rest,
// and a change of the two elsewhere is no change of theirs.
bool SameUnseen(const store::EntryTexts& a, const store::EntryTexts& b) {
  return a.dispName == b.dispName && a.respect == b.respect;
}

bool SameSeen(const store::EntryTexts& a, const store::EntryTexts& b) {
  for (const store::TextField& f : store::kTextFields) {
    if (f.member != &store::EntryTexts::dispName && a.*f.member != b.*f.member) return false;
  }
  return true;
}

// Texts both sides changed, merged part by part (the unseen part and the
// rest), each part taken from the side that changed it. False when a part
// changed differently on both. *seenFromMine: the rest came from mine.
bool MergeParts(const store::EntryTexts& base, const store::EntryTexts& mine,
                const store::EntryTexts& theirs, store::EntryTexts* out, bool* seenFromMine) {
  const bool seenHere = !SameSeen(mine, base);
  if (seenHere && !SameSeen(theirs, base) && !SameSeen(mine, theirs)) return false;
  const bool unseenHere = !SameUnseen(mine, base);
  if (unseenHere && !SameUnseen(theirs, base) && !SameUnseen(mine, theirs)) return false;
  *out = seenHere ? mine : theirs;
  const store::EntryTexts& unseen = unseenHere ? mine : theirs;
  out->dispName = unseen.dispName;
  out->respect = unseen.respect;
  *seenFromMine = seenHere;
  return true;
}

// The same for two members or two records of one kind; a record's kind
// belongs to its seen part.
template <typename Texts>
bool MergeApart(const Texts& base, const Texts& mine, const Texts& theirs, Texts* out,
                bool* seenFromMine) {
  *out = theirs;
  return MergeParts(base, mine, theirs, out, seenFromMine);
}

bool SameMembers(const std::vector<store::MemberEntry>& a,
                 const std::vector<store::MemberEntry>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (!SameTexts(a[i], b[i])) return false;
  }
  return true;
}

bool IsGroup(const EntryVersion& v) { return v.record.kind == store::kKindGroup; }

// Two versions hold the same: both absent, or the same record and members.
bool Same(const EntryVersion& a, const EntryVersion& b) {
  if (a.present != b.present) return false;
  if (!a.present) return true;
  return SameRecord(a.record, b.record) && SameMembers(a.members, b.members);
}

// A reading as groups match it: each character folded as the comparison
// without case folds it.
std::string FoldedKey(int codePage, std::string_view text) {
  std::string key;
  key.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t n = text::CharLengthAt(codePage, text, i);
    const unsigned v = text::FoldCase(codePage, text::CharValueAt(codePage, text, i));
    if (n == 2) key.push_back(static_cast<char>(v >> 8));
    key.push_back(static_cast<char>(v & 0xFF));
    i += n == 0 ? 1 : n;
  }
  return key;
}

using MemberMap = std::unordered_map<std::string, const store::MemberEntry*>;

MemberMap MapMembers(int codePage, const std::vector<store::MemberEntry>& members) {
  MemberMap map;
  for (const store::MemberEntry& m : members) map.emplace(FoldedKey(codePage, m.dispNameJP), &m);
  return map;
}

const store::MemberEntry* Lookup(const MemberMap& map, const std::string& key) {
  const auto it = map.find(key);
  return it == map.end() ? nullptr : it->second;
}

// A member both sides changed: *out is the merge of its parts when `apart`
// (see MergeParts); otherwise, and when a part changed differently on both
// sides, false.
bool MergeChangedMember(bool apart, const store::MemberEntry& base, const store::MemberEntry& mine,
                        const store::MemberEntry& theirs, std::vector<store::MemberEntry>* out,
                        std::vector<bool>* fromMine) {
  store::MemberEntry merged;
  bool seenFromMine = false;
  if (!apart || !MergeApart(base, mine, theirs, &merged, &seenFromMine)) return false;
  out->push_back(std::move(merged));
  fromMine->push_back(seenFromMine);
  return true;
}

// Both sides changed a group's members: each member (by its reading) merged
// as an entry is. False on a member changed differently on both sides, or
// when the result passes a group's limit.
bool MergeMembers(int codePage, bool apart, const std::vector<store::MemberEntry>& base,
                  const std::vector<store::MemberEntry>& mine,
                  const std::vector<store::MemberEntry>& theirs,
                  std::vector<store::MemberEntry>* out, std::vector<bool>* fromMine) {
  // Most often the same readings stand at the same positions on all sides
  // (addresses edited, none added or removed): position by position then.
  bool aligned = base.size() == mine.size() && base.size() == theirs.size();
  for (std::size_t i = 0; aligned && i < base.size(); ++i) {
    aligned = base[i].dispNameJP == mine[i].dispNameJP &&
              base[i].dispNameJP == theirs[i].dispNameJP;
  }
  if (aligned) {
    for (std::size_t i = 0; i < base.size(); ++i) {
      const bool mineChanged = !SameTexts(mine[i], base[i]);
      const bool theirsChanged = !SameTexts(theirs[i], base[i]);
      if (mineChanged && theirsChanged && !SameTexts(mine[i], theirs[i])) {
        if (!MergeChangedMember(apart, base[i], mine[i], theirs[i], out, fromMine)) return false;
        continue;
      }
      out->push_back(mineChanged ? mine[i] : theirs[i]);
      fromMine->push_back(mineChanged);
    }
    return true;
  }
  const MemberMap b = MapMembers(codePage, base);
  const MemberMap m = MapMembers(codePage, mine);
  const MemberMap t = MapMembers(codePage, theirs);
  for (const store::MemberEntry& theirsMember : theirs) {
    const std::string key = FoldedKey(codePage, theirsMember.dispNameJP);
    const store::MemberEntry* bm = Lookup(b, key);
    const store::MemberEntry* mm = Lookup(m, key);
    if (!bm) {
      if (mm && !SameTexts(*mm, theirsMember)) return false;
      out->push_back(theirsMember);
      fromMine->push_back(false);
      continue;
    }
    const bool theirsChanged = !SameTexts(theirsMember, *bm);
    if (!mm) {
      if (theirsChanged) return false;  // removed here, changed there
      continue;
    }
    const bool mineChanged = !SameTexts(*mm, *bm);
    if (mineChanged && theirsChanged && !SameTexts(*mm, theirsMember)) {
      if (!MergeChangedMember(apart, *bm, *mm, theirsMember, out, fromMine)) return false;
      continue;
    }
    out->push_back(mineChanged ? *mm : theirsMember);
    fromMine->push_back(mineChanged);
  }
  for (const store::MemberEntry& mineMember : mine) {
    const std::string key = FoldedKey(codePage, mineMember.dispNameJP);
    if (Lookup(t, key)) continue;
    const store::MemberEntry* bm = Lookup(b, key);
    if (!bm) {
      out->push_back(mineMember);
      fromMine->push_back(true);
    } else if (!SameTexts(mineMember, *bm)) {
      return false;  // removed there, changed here
    }
  }
  return static_cast<int>(out->size()) <= store::kMaxMembers;
}

std::string Readings(const std::vector<store::MemberEntry>& members) {
  std::string text;
  for (const store::MemberEntry& m : members) {
    if (!text.empty()) text += ", ";
    text += m.dispNameJP;
  }
  return text;
}

// What differs between two versions of a group's members: each member on
// one side only, and each field of a member both hold that differs; the
// whole lists only when the same members differ in their order alone.
void MemberDifferences(int codePage, const std::vector<store::MemberEntry>& mine,
                       const std::vector<store::MemberEntry>& theirs,
                       std::vector<FieldDifference>* out) {
  const std::size_t before = out->size();
  const MemberMap m = MapMembers(codePage, mine);
  const MemberMap t = MapMembers(codePage, theirs);
  for (const store::MemberEntry& mm : mine) {
    const store::MemberEntry* tm = Lookup(t, FoldedKey(codePage, mm.dispNameJP));
    if (!tm) {
      out->push_back({"Members", mm.dispNameJP, std::string(), mm.dispNameJP});
      continue;
    }
    for (const store::TextField& f : store::kTextFields) {
      if (mm.*f.member != tm->*f.member) {
        out->push_back({f.name, mm.*f.member, tm->*f.member, mm.dispNameJP});
      }
    }
    if (mm.respect != tm->respect) {
      out->push_back(
          {"Respect", std::to_string(mm.respect), std::to_string(tm->respect), mm.dispNameJP});
    }
  }
  for (const store::MemberEntry& tm : theirs) {
    if (!Lookup(m, FoldedKey(codePage, tm.dispNameJP))) {
      out->push_back({"Members", std::string(), tm.dispNameJP, tm.dispNameJP});
    }
  }
  if (out->size() == before) out->push_back({"Members", Readings(mine), Readings(theirs), ""});
}

std::vector<FieldDifference> Differences(int codePage, const EntryVersion& mine,
                                         const EntryVersion& theirs) {
  std::vector<FieldDifference> out;
  if (!mine.present || !theirs.present) {
    out.push_back({"Entry", mine.present ? mine.record.dispName : std::string(),
                   theirs.present ? theirs.record.dispName : std::string(), std::string()});
    return out;
  }
  const store::AddressRecord& a = mine.record;
  const store::AddressRecord& b = theirs.record;
  if (a.kind != b.kind) out.push_back({"Kind", std::to_string(a.kind), std::to_string(b.kind), ""});
  for (const store::TextField& f : store::kTextFields) {
    if (a.*f.member != b.*f.member) out.push_back({f.name, a.*f.member, b.*f.member, ""});
  }
  if (a.respect != b.respect) {
    out.push_back({"Respect", std::to_string(a.respect), std::to_string(b.respect), ""});
  }
  if (!SameMembers(mine.members, theirs.members)) {
    MemberDifferences(codePage, mine.members, theirs.members, &out);
  }
  return out;
}

// Two books' entries of one number hold the same (both absent included),
// their members compared by hash.
bool SameEntry(const NumberIndex& a, const NumberIndex& b, int regNo) {
  const store::AddressRecord* x = a.Find(regNo);
  const store::AddressRecord* y = b.Find(regNo);
  if (!x || !y) return x == y;
  return SameRecord(*x, *y) &&
         (x->kind != store::kKindGroup || a.MembersHash(regNo) == b.MembersHash(regNo));
}

EntryVersion VersionOf(const NumberIndex& index, int regNo) {
  EntryVersion v;
  const store::Book& book = index.Book();
  const store::AddressRecord* record = index.Find(regNo);
  if (!record) return v;
  v.present = true;
  v.record = *record;
  if (record->kind == store::kKindGroup) v.members = MembersOf(book, regNo);
  return v;
}

// Whether the book has an entry of the record's number that equals it.
bool HoldsRecord(const store::Book& book, const store::AddressRecord& record) {
  for (int i = 0; i < book.Size(); ++i) {
    const store::AddressRecord& r = book.RecordAt(i);
    if (r.regNo == record.regNo && SameRecord(r, record)) return true;
  }
  return false;
}

MergedEntry Take(const EntryVersion& version, Side from) {
  MergedEntry e;
  e.version = version;
  e.from = from;
  e.memberFromMine.assign(version.members.size(), from == Side::kMine);
  return e;
}

// A group's members as picks of one side's positions.
void PickAll(const NumberIndex& index, int regNo, Side side, MergedEntry* e) {
  e->picked = true;
  e->picks.clear();
  for (const MemberKey& m : index.Members(regNo)) e->picks.push_back({side, m.slot, m.pos});
}

// One side's entry of this number (which it holds), its members picked,
// not copied.
MergedEntry TakeAsIs(const NumberIndex& index, int regNo, Side side) {
  MergedEntry e;
  e.version.present = true;
  e.version.record = *index.Find(regNo);
  e.from = side;
  if (e.version.record.kind == store::kKindGroup) PickAll(index, regNo, side, &e);
  return e;
}

// Both sides changed a group whose members are at the same places on all
// three (addresses edited, none added or removed): decided on the members'
// hashes, each member picked from the side that changed it. False when
// the names or a member changed differently on both sides, or the members
// moved: the entry is then decided on copies (see Decide).
bool MergeGroupByHashes(const NumberIndex& base, const NumberIndex& mine,
                        const NumberIndex& theirs, int regNo, MergedEntry* out) {
  const store::AddressRecord& b = *base.Find(regNo);
  const store::AddressRecord& m = *mine.Find(regNo);
  const store::AddressRecord& t = *theirs.Find(regNo);
  const bool namesHere = !SameRecord(m, b);
  const bool namesThere = !SameRecord(t, b);
  if (namesHere && namesThere && !SameRecord(m, t)) return false;
  out->version.present = true;
  out->version.record = namesHere ? m : t;
  out->from = namesHere && !namesThere ? Side::kMine : Side::kTheirs;
  const std::uint64_t bh = base.MembersHash(regNo);
  const std::uint64_t mh = mine.MembersHash(regNo);
  const std::uint64_t th = theirs.MembersHash(regNo);
  if (mh == bh || mh == th) {
    PickAll(theirs, regNo, Side::kTheirs, out);
    return true;
  }
  if (th == bh) {
    PickAll(mine, regNo, Side::kMine, out);
    return true;
  }
  const std::vector<MemberKey>& bm = base.Members(regNo);
  const std::vector<MemberKey>& mm = mine.Members(regNo);
  const std::vector<MemberKey>& tm = theirs.Members(regNo);
  if (bm.size() != mm.size() || bm.size() != tm.size()) return false;
  for (std::size_t i = 0; i < bm.size(); ++i) {
    if (bm[i].reading != mm[i].reading || bm[i].reading != tm[i].reading) return false;
  }
  out->picked = true;
  out->picks.clear();
  out->picks.reserve(bm.size());
  for (std::size_t i = 0; i < bm.size(); ++i) {
    const bool mineChanged = mm[i].texts != bm[i].texts;
    const bool theirsChanged = tm[i].texts != bm[i].texts;
    if (mineChanged && theirsChanged && mm[i].texts != tm[i].texts) return false;
    const MemberKey& from = mineChanged ? mm[i] : tm[i];
    out->picks.push_back({mineChanged ? Side::kMine : Side::kTheirs, from.slot, from.pos});
  }
  return true;
}

bool IsGroupThere(const NumberIndex& index, int regNo) {
  const store::AddressRecord* r = index.Find(regNo);
  return r && r->kind == store::kKindGroup;
}

// Where picked members are read from.
class MemberSources {
 public:
  MemberSources(const store::Book* mine, const store::Book* theirs) : mine_(mine), theirs_(theirs) {}
  // The view is valid until that side's book is read again.
  store::TextsView View(const MergedEntry::Pick& pick) const {
    const store::Book* book = pick.side == Side::kMine ? mine_ : theirs_;
    return book ? book->Groups().MemberAt(pick.slot, pick.pos) : store::TextsView();
  }
  // The picks copied into the entry's members.
  void Materialize(MergedEntry* e) const {
    if (!e->picked) return;
    e->version.members.clear();
    e->memberFromMine.clear();
    e->version.members.reserve(e->picks.size());
    for (const MergedEntry::Pick& pick : e->picks) {
      store::MemberEntry m;
      store::CopyInto(View(pick), &m);
      e->version.members.push_back(std::move(m));
      e->memberFromMine.push_back(pick.side == Side::kMine);
    }
    e->picked = false;
    e->picks.clear();
  }

 private:
  const store::Book* mine_;
  const store::Book* theirs_;
};

// What the merge makes of one number.
struct Decision {
  enum Kind { kNone, kEntry, kBoth, kConflict } kind = kNone;
  MergedEntry entry;  // kEntry, and theirs' of kBoth
  MergedEntry mine;   // kBoth: mine's, to be renumbered
};

// apart: the unseen part of each entry and member merges apart from the
// rest (see MergeParts).
Decision Decide(int codePage, bool apart, const EntryVersion& b, const EntryVersion& m,
                const EntryVersion& t) {
  Decision d;
  auto take = [&d](const EntryVersion& v, Side side) {
    if (v.present) {
      d.kind = Decision::kEntry;
      d.entry = Take(v, side);
    }
    return d;
  };
  if (!b.present) {
    if (!m.present) return take(t, Side::kTheirs);
    if (!t.present) return take(m, Side::kMine);
    if (Same(m, t)) return take(t, Side::kTheirs);
    d.kind = Decision::kBoth;
    d.entry = Take(t, Side::kTheirs);
    d.mine = Take(m, Side::kMine);
    d.mine.renumber = true;
    return d;
  }
  if (Same(m, b) || Same(m, t)) return take(t, Side::kTheirs);
  if (Same(t, b)) return take(m, Side::kMine);
  d.kind = Decision::kConflict;
  if (!m.present || !t.present) return d;
  const bool sameKind = m.record.kind == b.record.kind && t.record.kind == b.record.kind;
  if (!IsGroup(b) || !IsGroup(m) || !IsGroup(t)) {
    // Both changed an address: only its parts can be merged apart.
    bool seenFromMine = false;
    MergedEntry e;
    e.version.present = true;
    if (!apart || IsGroup(b) || IsGroup(m) || IsGroup(t) || !sameKind ||
        !MergeApart(b.record, m.record, t.record, &e.version.record, &seenFromMine)) {
      return d;
    }
    e.from = seenFromMine ? Side::kMine : Side::kTheirs;
    d.kind = Decision::kEntry;
    d.entry = std::move(e);
    return d;
  }
  // Both changed a group: its names and its members merge apart.
  const bool namesHere = !SameRecord(m.record, b.record);
  const bool namesThere = !SameRecord(t.record, b.record);
  MergedEntry e;
  e.version.present = true;
  e.version.record = namesHere ? m.record : t.record;
  e.from = namesHere && !namesThere ? Side::kMine : Side::kTheirs;
  if (namesHere && namesThere && !SameRecord(m.record, t.record)) {
    bool seenFromMine = false;
    if (!apart || !MergeApart(b.record, m.record, t.record, &e.version.record, &seenFromMine)) {
      return d;
    }
    e.from = seenFromMine ? Side::kMine : Side::kTheirs;
  }
  const bool membersHere = !SameMembers(m.members, b.members);
  const bool membersThere = !SameMembers(t.members, b.members);
  if (!membersHere || SameMembers(m.members, t.members)) {
    e.version.members = t.members;
    e.memberFromMine.assign(t.members.size(), false);
  } else if (!membersThere) {
    e.version.members = m.members;
    e.memberFromMine.assign(m.members.size(), true);
  } else if (!MergeMembers(codePage, apart, b.members, m.members, t.members, &e.version.members,
                           &e.memberFromMine)) {
    return d;
  }
  d.kind = Decision::kEntry;
  d.entry = std::move(e);
  return d;
}

// Addresses one side removed while the other kept them unchanged. Each
// holds a place in the plan (an entry of no version: nothing) until the
// plan is whole; then an address whose reading a group of the merged book
// holds as a member that the removing side's version of that group does
// not hold, with no address of that reading left, becomes a conflict: the
// side that removed it did not see that use.
class Removals {
 public:
  explicit Removals(int codePage) : codePage_(codePage) {}

  void Note(MergePlan* plan, int regNo, Side removedBy, const EntryVersion& kept) {
    if (!kept.present || IsGroup(kept)) return;
    removed_.push_back({plan->entries.size(), regNo, removedBy, kept});
    plan->entries.push_back(MergedEntry());
  }

  void ConflictsOfUse(MergePlan* plan, const NumberIndex& mine, const NumberIndex& theirs) {
    if (removed_.empty()) return;
    std::unordered_map<std::string, std::size_t> byKey;
    for (std::size_t i = 0; i < removed_.size(); ++i) {
      byKey.emplace(FoldedKey(codePage_, removed_[i].kept.record.dispNameJP), i);
    }
    std::vector<std::vector<std::string>> users(removed_.size());
    const MemberSources sources(plan->mine, plan->theirs);
    auto scan = [&](const EntryVersion& v, const MergedEntry* e) {
      if (!v.present) return;
      const std::string key = FoldedKey(codePage_, v.record.dispNameJP);
      if (!IsGroup(v)) {
        byKey.erase(key);  // an address of that reading stays: the members are its
        return;
      }
      auto member = [&](std::string_view reading, const Side* pickedFrom) {
        const std::string memberKey = FoldedKey(codePage_, reading);
        const auto it = byKey.find(memberKey);
        if (it == byKey.end()) return;
        const Removed& r = removed_[it->second];
        // The removing side's own group holds it: it saw the use.
        if (pickedFrom && *pickedFrom == r.removedBy) return;
        if (Holds(r.removedBy == Side::kMine ? mine : theirs, v.record.regNo, memberKey)) return;
        std::vector<std::string>& names = users[it->second];
        const std::string& name = v.record.dispName.empty() ? v.record.dispNameJP : v.record.dispName;
        if (names.empty() || names.back() != name) names.push_back(name);
      };
      if (e && e->picked) {
        for (const MergedEntry::Pick& pick : e->picks) member(sources.View(pick).Reading(), &pick.side);
        return;
      }
      for (const store::MemberEntry& m : v.members) member(m.dispNameJP, nullptr);
    };
    for (const MergedEntry& e : plan->entries) {
      if (e.conflict >= 0) continue;
      if (!IsGroup(e.version)) scan(e.version, &e);
    }
    for (const Conflict& c : plan->conflicts) {
      if (!IsGroup(c.mine)) scan(c.mine, nullptr);
      if (!IsGroup(c.theirs)) scan(c.theirs, nullptr);
    }
    for (const MergedEntry& e : plan->entries) {
      if (e.conflict < 0 && IsGroup(e.version)) scan(e.version, &e);
    }
    for (const Conflict& c : plan->conflicts) {
      scan(c.mine, nullptr);
      scan(c.theirs, nullptr);
    }
    bool added = false;
    for (const auto& entry : byKey) {
      const std::size_t i = entry.second;
      if (users[i].empty()) continue;
      const Removed& r = removed_[i];
      Conflict c;
      c.regNo = r.regNo;
      c.removedButUsed = true;
      c.removedBy = r.removedBy;
      (r.removedBy == Side::kMine ? c.theirs : c.mine) = r.kept;
      std::string groups;
      for (const std::string& name : users[i]) groups += (groups.empty() ? "" : ", ") + name;
      FieldDifference f;
      f.field = "Used";
      (r.removedBy == Side::kMine ? f.theirs : f.mine) = groups;
      c.fields.push_back(f);
      plan->entries[r.place].conflict = static_cast<int>(plan->conflicts.size());
      plan->conflicts.push_back(std::move(c));
      added = true;
    }
    if (added) InPlanOrder(plan);
  }

 private:
  struct Removed {
    std::size_t place;
    int regNo;
    Side removedBy;
    EntryVersion kept;
  };

  // Whether the book's group of this number holds a member of this reading.
  bool Holds(const NumberIndex& index, int regNo, const std::string& key) const {
    const store::AddressRecord* group = index.Find(regNo);
    if (!group || group->kind != store::kKindGroup) return false;
    for (const store::MemberEntry& m : MembersOf(index.Book(), regNo)) {
      if (FoldedKey(codePage_, m.dispNameJP) == key) return true;
    }
    return false;
  }

  // The conflicts in the order of the entries that stand for them.
  static void InPlanOrder(MergePlan* plan) {
    std::vector<Conflict> ordered;
    ordered.reserve(plan->conflicts.size());
    for (MergedEntry& e : plan->entries) {
      if (e.conflict < 0) continue;
      ordered.push_back(std::move(plan->conflicts[static_cast<std::size_t>(e.conflict)]));
      e.conflict = static_cast<int>(ordered.size()) - 1;
    }
    plan->conflicts = std::move(ordered);
  }

  int codePage_;
  std::vector<Removed> removed_;
};

}  // namespace

const std::string& Conflict::Name() const {
  const store::AddressRecord& r = mine.present ? mine.record : theirs.record;
  return r.dispName.empty() || !registrationNames ? r.dispNameJP : r.dispName;
}

int EntriesLost(const store::Book& base, const store::Book& theirs) {
  std::unordered_set<int> held;
  held.reserve(static_cast<std::size_t>(theirs.Size()));
  for (int i = 0; i < theirs.Size(); ++i) held.insert(theirs.RecordAt(i).regNo);
  std::unordered_set<int> lost;
  for (int i = 0; i < base.Size(); ++i) {
    const int regNo = base.RecordAt(i).regNo;
    if (held.count(regNo) == 0) lost.insert(regNo);
  }
  return static_cast<int>(lost.size());
}

std::vector<store::MemberEntry> MembersOf(const store::Book& book, int regNo) {
  std::vector<store::MemberEntry> members;
  book.Groups().CopyMembers(regNo, store::kMaxMembers, &members);
  return members;
}

MergePlan PlanMerge(const store::Book& baseBook, const store::Book& mineBook,
                    const store::Book& theirsBook, int langId) {
  MergePlan plan;
  plan.mine = &mineBook;
  plan.theirs = &theirsBook;
  plan.entries.reserve(static_cast<std::size_t>(theirsBook.Size()) + 16);
  const bool apart = langId != kJapanese;
  const NumberIndex base(baseBook);
  const NumberIndex mine(mineBook);
  const NumberIndex theirs(theirsBook);
  const int codePage = theirsBook.CodePage();
  auto place = [&](int regNo, Decision d, const EntryVersion& m, const EntryVersion& t) {
    if (d.kind == Decision::kEntry) plan.entries.push_back(std::move(d.entry));
    if (d.kind == Decision::kBoth) plan.entries.push_back(std::move(d.entry));
    if (d.kind != Decision::kConflict) return;
    Conflict c;
    c.regNo = regNo;
    c.registrationNames = !apart;
    c.mine = m;
    c.theirs = t;
    c.fields = Differences(codePage, m, t);
    MergedEntry e;
    e.conflict = static_cast<int>(plan.conflicts.size());
    plan.conflicts.push_back(std::move(c));
    plan.entries.push_back(std::move(e));
  };
  std::unordered_map<int, MergedEntry> bothAdded;
  Removals removals(codePage);
  // A book made by hand may repeat a number: the entries after the first of
  // it stay as theirs has them, and mine's others are kept with new numbers
  // unless theirs holds them already.
  std::unordered_set<int> seen;
  std::vector<bool> seenNumber(1u << 16);
  auto firstOf = [&](int regNo) {
    if (regNo < 0 || regNo >= static_cast<int>(seenNumber.size())) return seen.insert(regNo).second;
    if (seenNumber[static_cast<std::size_t>(regNo)]) return false;
    seenNumber[static_cast<std::size_t>(regNo)] = true;
    return true;
  };
  for (int i = 0; i < theirsBook.Size(); ++i) {
    const int regNo = theirsBook.RecordAt(i).regNo;
    if (!firstOf(regNo)) {
      EntryVersion t;
      t.present = true;
      t.record = theirsBook.RecordAt(i);
      plan.entries.push_back(Take(t, Side::kTheirs));
      continue;
    }
    // Most entries are unchanged on one side at least: only the side taken
    // is copied.
    if (SameEntry(mine, base, regNo) || SameEntry(mine, theirs, regNo)) {
      plan.entries.push_back(TakeAsIs(theirs, regNo, Side::kTheirs));
      continue;
    }
    if (SameEntry(theirs, base, regNo)) {
      if (mine.Find(regNo)) {
        plan.entries.push_back(TakeAsIs(mine, regNo, Side::kMine));
      } else if (!IsGroupThere(theirs, regNo)) {
        removals.Note(&plan, regNo, Side::kMine, VersionOf(theirs, regNo));
      }
      continue;
    }
    if (IsGroupThere(base, regNo) && IsGroupThere(mine, regNo) && IsGroupThere(theirs, regNo)) {
      MergedEntry e;
      if (MergeGroupByHashes(base, mine, theirs, regNo, &e)) {
        plan.entries.push_back(std::move(e));
        continue;
      }
    }
    const EntryVersion b = VersionOf(base, regNo);
    const EntryVersion m = VersionOf(mine, regNo);
    const EntryVersion t = VersionOf(theirs, regNo);
    Decision d = Decide(codePage, apart, b, m, t);
    if (d.kind == Decision::kBoth) bothAdded.emplace(regNo, std::move(d.mine));
    place(regNo, std::move(d), m, t);
  }
  seen.clear();
  seenNumber.assign(seenNumber.size(), false);
  for (int i = 0; i < mineBook.Size(); ++i) {
    const int regNo = mineBook.RecordAt(i).regNo;
    if (!firstOf(regNo)) {
      if (!HoldsRecord(theirsBook, mineBook.RecordAt(i))) {
        EntryVersion m;
        m.present = true;
        m.record = mineBook.RecordAt(i);
        MergedEntry e = Take(m, Side::kMine);
        e.renumber = true;
        plan.entries.push_back(std::move(e));
      }
      continue;
    }
    const auto both = bothAdded.find(regNo);
    if (both != bothAdded.end()) {
      plan.entries.push_back(std::move(both->second));
      bothAdded.erase(both);
      continue;
    }
    if (theirs.Find(regNo)) continue;
    if (!base.Find(regNo)) {
      plan.entries.push_back(TakeAsIs(mine, regNo, Side::kMine));
      continue;
    }
    if (SameEntry(mine, base, regNo)) {
      if (!IsGroupThere(mine, regNo)) removals.Note(&plan, regNo, Side::kTheirs, VersionOf(mine, regNo));
      continue;
    }
    const EntryVersion b = VersionOf(base, regNo);
    const EntryVersion m = VersionOf(mine, regNo);
    place(regNo, Decide(codePage, apart, b, m, EntryVersion()), m, EntryVersion());
  }
  removals.ConflictsOfUse(&plan, mine, theirs);
  for (Conflict& c : plan.conflicts) c.registrationNames = !apart;
  return plan;
}

std::vector<Side> AllChoices(const MergePlan& plan, Side side) {
  return std::vector<Side>(plan.conflicts.size(), side);
}

namespace {

// The names and readings of the merged book, and which of them theirs
// brought: those are the ones mine's versions yield to.
struct NameRenamer {
  NameRenamer(const rules::TextRules& rules, const MemberSources& sources,
              std::vector<MergedEntry>* entries)
      : rules_(rules), sources_(sources), entries_(entries) {
    for (const MergedEntry& e : *entries_) {
      const store::AddressRecord& r = e.version.record;
      index_.Add(0, r.dispName);
      index_.Add(1, r.dispNameJP);
      if (e.from == Side::kTheirs) {
        theirs_[0].insert(r.dispName);
        theirs_[1].insert(r.dispNameJP);
      }
    }
  }

  void Run() {
    for (MergedEntry& e : *entries_) {
      if (e.from != Side::kMine) continue;
      store::AddressRecord& r = e.version.record;
      const std::string oldName = r.dispName;
      const std::string oldReading = r.dispNameJP;
      Fit(0, &r.dispName);
      Fit(1, &r.dispNameJP);
      if (r.kind != store::kKindGroup && (oldName != r.dispName || oldReading != r.dispNameJP)) {
        FollowCopies(oldName, oldReading, r);
      }
    }
  }

 private:
  void Fit(int kind, std::string* value) {
    // An empty reading is a reading as any other: the load keeps only the
    // first of two equal ones. An empty name is no name, and repeats.
    if ((kind == 0 && value->empty()) || theirs_[kind].count(*value) == 0) return;
    const std::string fitted = rules::MakeSuffixedName(*value, kind, rules_, index_);
    index_.Rename(kind, *value, fitted);
    *value = fitted;
  }

  // Mine's copies of a renamed address in the groups take its new names.
  void FollowCopies(const std::string& oldName, const std::string& oldReading,
                    const store::AddressRecord& address) {
    const std::string key = FoldedKey(rules_.codePage, oldReading);
    // Renames are rare: the groups' members are copied out only for them.
    if (!materialized_) {
      for (MergedEntry& g : *entries_) sources_.Materialize(&g);
      materialized_ = true;
    }
    for (MergedEntry& g : *entries_) {
      if (g.version.record.kind != store::kKindGroup) continue;
      for (std::size_t i = 0; i < g.version.members.size(); ++i) {
        store::MemberEntry& m = g.version.members[i];
        if (!g.memberFromMine[i] || FoldedKey(rules_.codePage, m.dispNameJP) != key) continue;
        if (m.dispName == oldName) m.dispName = address.dispName;
        m.dispNameJP = address.dispNameJP;
      }
    }
  }

  const rules::TextRules& rules_;
  const MemberSources& sources_;
  std::vector<MergedEntry>* entries_;
  bool materialized_ = false;
  rules::NameIndex index_;
  std::unordered_set<std::string> theirs_[2];
};

// The copies of the addresses of these readings leave every group; a group
// left without members goes too, as it does when an address is deleted.
void RemoveCopies(int codePage, const std::unordered_set<std::string>& readings,
                  std::vector<MergedEntry>* entries) {
  std::vector<MergedEntry> kept;
  kept.reserve(entries->size());
  for (MergedEntry& e : *entries) {
    if (IsGroup(e.version)) {
      std::vector<store::MemberEntry>& members = e.version.members;
      bool removedAny = false;
      std::size_t to = 0;
      for (std::size_t i = 0; i < members.size(); ++i) {
        if (readings.count(FoldedKey(codePage, members[i].dispNameJP)) != 0) {
          removedAny = true;
          continue;
        }
        if (to != i) {
          members[to] = std::move(members[i]);
          if (i < e.memberFromMine.size()) e.memberFromMine[to] = e.memberFromMine[i];
        }
        ++to;
      }
      members.resize(to);
      if (e.memberFromMine.size() > to) e.memberFromMine.resize(to);
      if (removedAny && members.empty()) continue;
    }
    kept.push_back(std::move(e));
  }
  *entries = std::move(kept);
}

}  // namespace

void BuildMerged(MergePlan plan, const std::vector<Side>& choices,
                 const rules::TextRules& rules, MergedBook* out) {
  std::vector<MergedEntry> entries;
  entries.reserve(plan.entries.size());
  // Readings of addresses removed everywhere: their copies leave the groups.
  std::unordered_set<std::string> removedEverywhere;
  for (MergedEntry& e : plan.entries) {
    if (e.conflict < 0) {
      if (e.version.present) entries.push_back(std::move(e));
      continue;
    }
    const auto index = static_cast<std::size_t>(e.conflict);
    const Side side = index < choices.size() ? choices[index] : Side::kMine;
    const Conflict& c = plan.conflicts[index];
    const EntryVersion& chosen = side == Side::kMine ? c.mine : c.theirs;
    if (chosen.present) entries.push_back(Take(chosen, side));
    if (c.removedButUsed && side == c.removedBy) {
      const EntryVersion& kept = side == Side::kMine ? c.theirs : c.mine;
      removedEverywhere.insert(FoldedKey(rules.codePage, kept.record.dispNameJP));
    }
  }
  const MemberSources sources(plan.mine, plan.theirs);
  if (!removedEverywhere.empty()) {
    for (MergedEntry& e : entries) sources.Materialize(&e);
    RemoveCopies(rules.codePage, removedEverywhere, &entries);
  }
  out->ok = static_cast<int>(entries.size()) <= store::kMaxEntries;
  if (!out->ok) return;

  // Mine's additions that met theirs' under one number take new ones.
  std::unordered_set<int> used;
  int numbered = 0;
  for (const MergedEntry& e : entries) {
    if (e.renumber) continue;
    used.insert(e.version.record.regNo);
    ++numbered;
  }
  for (MergedEntry& e : entries) {
    if (!e.renumber) continue;
    int regNo = 0;
    if (!store::NextRegNo(numbered, [&used](int n) { return used.count(n) != 0; }, &regNo)) {
      out->ok = false;
      return;
    }
    e.version.record.regNo = regNo;
    used.insert(regNo);
    ++numbered;
  }

  NameRenamer(rules, sources, &entries).Run();

  out->records.clear();
  out->groups.ClearGroups();
  out->records.reserve(entries.size());
  for (MergedEntry& e : entries) {
    const store::AddressRecord& r = e.version.record;
    if (r.kind == store::kKindGroup) {
      out->groups.AddMember(r.regNo, store::kKindGroup, store::MemberEntry());
      for (const MergedEntry::Pick& pick : e.picks) {
        out->groups.AddMember(r.regNo, store::kKindMember, sources.View(pick));
      }
      for (const store::MemberEntry& m : e.version.members) {
        out->groups.AddMember(r.regNo, store::kKindMember, m);
      }
    }
    out->records.push_back(std::move(e.version.record));
  }
}

}  // namespace merge
