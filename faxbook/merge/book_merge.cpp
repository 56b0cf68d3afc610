#include "faxbook/merge/book_merge.h"

#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "faxbook/rules/name_fitting.h"
#include "faxbook/rules/name_index.h"
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

std::vector<FieldDifference> Differences(const EntryVersion& mine, const EntryVersion& theirs) {
  std::vector<FieldDifference> out;
  if (!mine.present || !theirs.present) {
    out.push_back({"Entry", mine.present ? mine.record.dispName : std::string(),
                   theirs.present ? theirs.record.dispName : std::string()});
    return out;
  }
  const store::AddressRecord& a = mine.record;
  const store::AddressRecord& b = theirs.record;
  if (a.kind != b.kind) out.push_back({"Kind", std::to_string(a.kind), std::to_string(b.kind)});
  for (const store::TextField& f : store::kTextFields) {
    if (a.*f.member != b.*f.member) out.push_back({f.name, a.*f.member, b.*f.member});
  }
  if (a.respect != b.respect) {
    out.push_back({"Respect", std::to_string(a.respect), std::to_string(b.respect)});
  }
  if (!SameMembers(mine.members, theirs.members)) {
    out.push_back({"Members", Readings(mine.members), Readings(theirs.members)});
  }
  return out;
}

// A book's entries by registration number: the first in list order of each.
class NumberIndex {
 public:
  explicit NumberIndex(const store::Book& book) : book_(book) {
    first_.reserve(static_cast<std::size_t>(book.Size()));
    for (int i = 0; i < book.Size(); ++i) first_.emplace(book.RecordAt(i).regNo, i);
    // The members of each group as one hash, in position order, so that
    // unchanged groups compare without copying them.
    const store::GroupTable& groups = book.Groups();
    groups.ForEachPosition([&](int slot, int, const store::TextsView& texts) {
      const int key = groups.Slot(slot).key;
      if (groups.SlotOf(key) != slot) return;
      std::uint64_t& h = members_[key];
      h = (h ^ store::HashTexts(texts)) * 0x9E3779B97F4A7C15ull + 0x632BE59BD9B4E019ull;
    });
  }
  // The members' hash of a group; 0 for none.
  std::uint64_t MembersHash(int regNo) const {
    const auto it = members_.find(regNo);
    return it == members_.end() ? 0 : it->second;
  }
  const store::Book& Book() const { return book_; }
  const store::AddressRecord* Find(int regNo) const {
    const auto it = first_.find(regNo);
    return it == first_.end() ? nullptr : &book_.RecordAt(it->second);
  }

 private:
  const store::Book& book_;
  std::unordered_map<int, int> first_;
  std::unordered_map<int, std::uint64_t> members_;
};

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

}  // namespace

const std::string& Conflict::Name() const {
  const store::AddressRecord& r = mine.present ? mine.record : theirs.record;
  return r.dispName.empty() || !registrationNames ? r.dispNameJP : r.dispName;
}

std::vector<store::MemberEntry> MembersOf(const store::Book& book, int regNo) {
  std::vector<store::MemberEntry> members;
  book.Groups().CopyMembers(regNo, store::kMaxMembers, &members);
  return members;
}

MergePlan PlanMerge(const store::Book& baseBook, const store::Book& mineBook,
                    const store::Book& theirsBook, int langId) {
  MergePlan plan;
  const bool apart = langId != kJapanese;
  const NumberIndex base(baseBook);
  const NumberIndex mine(mineBook);
  const NumberIndex theirs(theirsBook);
  const int codePage = theirsBook.CodePage();
  auto place = [&plan, apart](int regNo, Decision d, const EntryVersion& m,
                              const EntryVersion& t) {
    if (d.kind == Decision::kEntry) plan.entries.push_back(std::move(d.entry));
    if (d.kind == Decision::kBoth) plan.entries.push_back(std::move(d.entry));
    if (d.kind != Decision::kConflict) return;
    Conflict c;
    c.regNo = regNo;
    c.registrationNames = !apart;
    c.mine = m;
    c.theirs = t;
    c.fields = Differences(m, t);
    MergedEntry e;
    e.conflict = static_cast<int>(plan.conflicts.size());
    plan.conflicts.push_back(std::move(c));
    plan.entries.push_back(std::move(e));
  };
  std::unordered_map<int, MergedEntry> bothAdded;
  // A book made by hand may repeat a number: the entries after the first of
  // it stay as theirs has them, and mine's others are kept with new numbers
  // unless theirs holds them already.
  std::unordered_set<int> seen;
  for (int i = 0; i < theirsBook.Size(); ++i) {
    const int regNo = theirsBook.RecordAt(i).regNo;
    if (!seen.insert(regNo).second) {
      EntryVersion t;
      t.present = true;
      t.record = theirsBook.RecordAt(i);
      plan.entries.push_back(Take(t, Side::kTheirs));
      continue;
    }
    // Most entries are unchanged on one side at least: only the side taken
    // is copied.
    if (SameEntry(mine, base, regNo) || SameEntry(mine, theirs, regNo)) {
      plan.entries.push_back(Take(VersionOf(theirs, regNo), Side::kTheirs));
      continue;
    }
    if (SameEntry(theirs, base, regNo)) {
      const EntryVersion m = VersionOf(mine, regNo);
      if (m.present) plan.entries.push_back(Take(m, Side::kMine));
      continue;
    }
    const EntryVersion b = VersionOf(base, regNo);
    const EntryVersion m = VersionOf(mine, regNo);
    const EntryVersion t = VersionOf(theirs, regNo);
    Decision d = Decide(codePage, apart, b, m, t);
    if (d.kind == Decision::kBoth) bothAdded.emplace(regNo, std::move(d.mine));
    place(regNo, std::move(d), m, t);
  }
  seen.clear();
  for (int i = 0; i < mineBook.Size(); ++i) {
    const int regNo = mineBook.RecordAt(i).regNo;
    if (!seen.insert(regNo).second) {
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
    const EntryVersion b = VersionOf(base, regNo);
    const EntryVersion m = VersionOf(mine, regNo);
    place(regNo, Decide(codePage, apart, b, m, EntryVersion()), m, EntryVersion());
  }
  return plan;
}

std::vector<Side> AllChoices(const MergePlan& plan, Side side) {
  return std::vector<Side>(plan.conflicts.size(), side);
}

namespace {

// The names and readings of the merged book, and which of them theirs
// brought: those are the ones mine's versions yield to.
struct NameRenamer {
  NameRenamer(const rules::TextRules& rules, std::vector<MergedEntry>* entries)
      : rules_(rules), entries_(entries) {
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
    if (value->empty() || theirs_[kind].count(*value) == 0) return;
    const std::string fitted = rules::MakeSuffixedName(*value, kind, rules_, index_);
    index_.Rename(kind, *value, fitted);
    *value = fitted;
  }

  // Mine's copies of a renamed address in the groups take its new names.
  void FollowCopies(const std::string& oldName, const std::string& oldReading,
                    const store::AddressRecord& address) {
    const std::string key = FoldedKey(rules_.codePage, oldReading);
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
  std::vector<MergedEntry>* entries_;
  rules::NameIndex index_;
  std::unordered_set<std::string> theirs_[2];
};

}  // namespace

void BuildMerged(MergePlan plan, const std::vector<Side>& choices,
                 const rules::TextRules& rules, MergedBook* out) {
  std::vector<MergedEntry> entries;
  entries.reserve(plan.entries.size());
  for (MergedEntry& e : plan.entries) {
    if (e.conflict < 0) {
      entries.push_back(std::move(e));
      continue;
    }
    const auto index = static_cast<std::size_t>(e.conflict);
    const Side side = index < choices.size() ? choices[index] : Side::kMine;
    const Conflict& c = plan.conflicts[index];
    const EntryVersion& chosen = side == Side::kMine ? c.mine : c.theirs;
    if (chosen.present) entries.push_back(Take(chosen, side));
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

  NameRenamer(rules, &entries).Run();

  out->records.clear();
  out->groups.ClearGroups();
  out->records.reserve(entries.size());
  for (MergedEntry& e : entries) {
    const store::AddressRecord& r = e.version.record;
    if (r.kind == store::kKindGroup) {
      out->groups.AddMember(r.regNo, store::kKindGroup, store::MemberEntry());
      for (const store::MemberEntry& m : e.version.members) {
        out->groups.AddMember(r.regNo, store::kKindMember, m);
      }
    }
    out->records.push_back(std::move(e.version.record));
  }
}

}  // namespace merge
