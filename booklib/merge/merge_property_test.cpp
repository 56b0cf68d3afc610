// Random edits on two copies of one book: where they touch different
// entries, the merge is the book both edits make one after the other.
#include <gtest/gtest.h>

#include <random>
#include <set>

#include "booklib/merge/book_merge.h"
#include "booklib/merge/merge_test_books.h"

namespace merge {
namespace {

using namespace testing_books;

std::vector<Plan> PlansOf(const store::Book& book) {
  std::vector<Plan> plans;
  for (int i = 0; i < book.Size(); ++i) {
    Plan s;
    s.record = book.RecordAt(i);
    if (s.record.kind == store::kKindGroup) s.members = MembersOf(book, s.record.regNo);
    plans.push_back(s);
  }
  return plans;
}

std::unique_ptr<store::Book> Clone(const store::Book& book) { return BookOf(PlansOf(book)); }

struct Op {
  enum Kind { kChange, kRemove, kAdd, kMembers } kind = kChange;
  int regNo = 0;
  store::AddressRecord record;
  std::vector<store::MemberEntry> members;
};

void Apply(const Op& op, store::Book* book) {
  const store::EntryId id = book->WithRegNo(op.regNo);
  switch (op.kind) {
    case Op::kChange: book->Change(id, op.record); break;
    case Op::kRemove: book->Remove(id); break;
    case Op::kAdd:
      if (op.record.kind == store::kKindGroup) {
        book->AddGroup(op.record, op.members);
      } else {
        book->Add(op.record);
      }
      break;
    case Op::kMembers: book->SetMembers(id, op.members); break;
  }
}

// The groups of a book that hold a copy of the address of this reading.
std::set<int> GroupsHolding(const store::Book& book, const std::string& reading) {
  std::set<int> out;
  for (int i = 0; i < book.Size(); ++i) {
    const store::AddressRecord& r = book.RecordAt(i);
    if (r.kind != store::kKindGroup) continue;
    for (const store::MemberEntry& m : MembersOf(book, r.regNo)) {
      if (m.dispNameJP == reading) out.insert(r.regNo);
    }
  }
  return out;
}

std::unique_ptr<store::Book> MakeBase(std::mt19937* random) {
  std::vector<Plan> plans;
  const int addresses = 30;
  for (int i = 1; i <= addresses; ++i) plans.push_back(A(i, "r" + std::to_string(i)));
  for (int g = 0; g < 8; ++g) {
    std::vector<store::MemberEntry> members;
    std::set<int> chosen;
    const int count = 1 + static_cast<int>((*random)() % 5);
    for (int k = 0; k < count; ++k) chosen.insert(1 + static_cast<int>((*random)() % addresses));
    for (int a : chosen) members.push_back(store::MemberFrom(plans[static_cast<std::size_t>(a - 1)].record));
    plans.push_back(G(100 + g, "g" + std::to_string(g), members));
  }
  return BookOf(plans);
}

// A random script on *book touching no entry of `avoid` (in either book of
// `others`' view), noting what it touched in *touched. `tag` keeps the two
// scripts' new names and numbers apart.
std::vector<Op> RandomScript(std::mt19937* random, store::Book* book, const store::Book& other,
                             const std::set<int>& avoid, int tag, std::set<int>* touched) {
  std::vector<Op> script;
  int fresh = 0;
  for (int step = 0; step < 12; ++step) {
    Op op;
    std::set<int> touches;
    const int choice = static_cast<int>((*random)() % 4);
    if (choice == 2 || book->Size() == 0) {
      op.kind = Op::kAdd;
      op.record = A(tag * 1000 + fresh, "t" + std::to_string(tag) + "n" + std::to_string(fresh)).record;
      ++fresh;
      if ((*random)() % 3 == 0) {
        op.record.kind = store::kKindGroup;
        const store::AddressRecord& a = book->RecordAt(static_cast<int>((*random)() % book->Size()));
        op.members.push_back(store::MemberFrom(a));
        // Making an address a member touches it: removed on the other side,
        // the two edits are in conflict.
        if (a.kind != store::kKindGroup) touches.insert(a.regNo);
      }
      op.regNo = op.record.regNo;
      touches.insert(op.regNo);
    } else {
      const store::AddressRecord target =
          book->RecordAt(static_cast<int>((*random)() % book->Size()));
      op.regNo = target.regNo;
      touches.insert(op.regNo);
      const bool group = target.kind == store::kKindGroup;
      if (choice == 0) {
        op.kind = Op::kChange;
        op.record = target;
        op.record.faxNumber += std::to_string(tag);
        if ((*random)() % 2) op.record.dispName += "x" + std::to_string(tag);
        if (!group && (*random)() % 4 == 0) {
          op.record.dispNameJP = "t" + std::to_string(tag) + "c" + std::to_string(fresh++);
        }
      } else if (choice == 1) {
        op.kind = Op::kRemove;
      } else if (group) {
        op.kind = Op::kMembers;
        for (int k = 0; k < 3; ++k) {
          const store::AddressRecord& a = book->RecordAt(static_cast<int>((*random)() % book->Size()));
          if (a.kind == store::kKindGroup) continue;
          bool dup = false;
          for (const store::MemberEntry& m : op.members) dup = dup || m.dispNameJP == a.dispNameJP;
          if (!dup) {
            op.members.push_back(store::MemberFrom(a));
            touches.insert(a.regNo);
          }
        }
        if (op.members.empty()) continue;
      } else {
        continue;
      }
      if (!group) {
        for (int g : GroupsHolding(*book, target.dispNameJP)) touches.insert(g);
        for (int g : GroupsHolding(other, target.dispNameJP)) touches.insert(g);
      }
    }
    bool clash = false;
    for (int t : touches) clash = clash || avoid.count(t) != 0;
    if (clash) continue;
    Apply(op, book);
    touched->insert(touches.begin(), touches.end());
    script.push_back(op);
  }
  return script;
}

TEST(BookMergeProperty, EditsOfDifferentEntriesMergeToBothEditsApplied) {
  std::mt19937 random(17);
  for (int round = 0; round < 200; ++round) {
    SCOPED_TRACE(round);
    const auto base = MakeBase(&random);
    auto theirs = Clone(*base);
    auto mine = Clone(*base);
    std::set<int> touchedThere;
    const std::vector<Op> there =
        RandomScript(&random, theirs.get(), *base, std::set<int>(), 1, &touchedThere);
    std::set<int> touchedHere;
    const std::vector<Op> here =
        RandomScript(&random, mine.get(), *theirs, touchedThere, 2, &touchedHere);

    auto both = Clone(*base);
    for (const Op& op : there) Apply(op, both.get());
    for (const Op& op : here) Apply(op, both.get());

    MergePlan plan;
    const auto merged = Merged(*base, *mine, *theirs, Side::kMine, &plan);
    EXPECT_TRUE(plan.conflicts.empty());
    EXPECT_EQ(Picture(*merged), Picture(*both));
  }
}

TEST(BookMergeProperty, ABookMergedWithItselfIsUnchanged) {
  std::mt19937 random(5);
  for (int round = 0; round < 50; ++round) {
    const auto base = MakeBase(&random);
    auto edited = Clone(*base);
    std::set<int> touched;
    RandomScript(&random, edited.get(), *base, std::set<int>(), 1, &touched);
    const std::string picture = Picture(*edited);
    EXPECT_EQ(Picture(*Merged(*edited, *edited, *edited, Side::kMine)), picture);
    EXPECT_EQ(Picture(*Merged(*base, *edited, *edited, Side::kMine)), picture);
    EXPECT_EQ(Picture(*Merged(*base, *base, *edited, Side::kMine)), picture);
    EXPECT_EQ(Picture(*Merged(*base, *edited, *base, Side::kTheirs)), picture);
  }
}

}  // namespace
}  // namespace merge
