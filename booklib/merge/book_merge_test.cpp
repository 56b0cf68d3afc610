#include "booklib/merge/book_merge.h"

#include <gtest/gtest.h>

#include "booklib/merge/merge_test_books.h"

namespace merge {
namespace {

using namespace testing_books;

std::vector<Plan> With(std::vector<Plan> plans, const Plan& changed) {
  for (Plan& s : plans) {
    if (s.record.regNo == changed.record.regNo) {
      s = changed;
      return plans;
    }
  }
  plans.push_back(changed);
  return plans;
}

std::vector<Plan> Without(std::vector<Plan> plans, int regNo) {
  std::vector<Plan> out;
  for (Plan& s : plans) {
    if (s.record.regNo != regNo) out.push_back(s);
  }
  return out;
}

const std::vector<Plan> kBase = {A(1, "a"), A(2, "b"), G(9, "g", {M("a"), M("b")})};

struct Case {
  const char* what;
  std::vector<Plan> mine;
  std::vector<Plan> theirs;
  std::vector<Plan> whenMine;    // the merge with every conflict taken from mine
  std::vector<Plan> whenTheirs;  // ... from theirs
  std::vector<int> conflicts;    // the numbers in conflict
};

TEST(BookMerge, EachCaseOfTwoSidesByRegistrationNumber) {
  const std::vector<Case> cases = {
      {"nothing changed", kBase, kBase, kBase, kBase, {}},
      {"changed there only", kBase, With(kBase, A(1, "a", "7")), With(kBase, A(1, "a", "7")),
       With(kBase, A(1, "a", "7")), {}},
      {"changed here only", With(kBase, A(1, "a", "7")), kBase, With(kBase, A(1, "a", "7")),
       With(kBase, A(1, "a", "7")), {}},
      {"changed the same way on both", With(kBase, A(1, "a", "7")), With(kBase, A(1, "a", "7")),
       With(kBase, A(1, "a", "7")), With(kBase, A(1, "a", "7")), {}},
      {"changed differently on both", With(kBase, A(1, "a", "7")), With(kBase, A(1, "a", "8")),
       With(kBase, A(1, "a", "7")), With(kBase, A(1, "a", "8")), {1}},
      {"removed here, unchanged there", Without(kBase, 2), kBase, Without(kBase, 2),
       Without(kBase, 2), {}},
      {"removed there, unchanged here", kBase, Without(kBase, 2), Without(kBase, 2),
       Without(kBase, 2), {}},
      {"removed here, changed there", Without(kBase, 2), With(kBase, A(2, "b", "5")),
       Without(kBase, 2), With(kBase, A(2, "b", "5")), {2}},
      {"changed here, removed there", With(kBase, A(2, "b", "5")), Without(kBase, 2),
       With(kBase, A(2, "b", "5")), Without(kBase, 2), {2}},
      {"removed on both", Without(kBase, 2), Without(kBase, 2), Without(kBase, 2),
       Without(kBase, 2), {}},
      {"added on both sides under other numbers", With(kBase, A(3, "x")), With(kBase, A(4, "y")),
       With(With(kBase, A(3, "x")), A(4, "y")), With(With(kBase, A(3, "x")), A(4, "y")), {}},
      {"added under one number: mine takes the next free one (4 entries: from 5)", With(kBase, A(3, "x")),
       With(kBase, A(3, "y")), With(With(kBase, A(3, "y")), A(5, "x")),
       With(With(kBase, A(3, "y")), A(5, "x")), {}},
      {"the same entry added on both", With(kBase, A(3, "x")), With(kBase, A(3, "x")),
       With(kBase, A(3, "x")), With(kBase, A(3, "x")), {}},
      {"the kind changed differently", With(kBase, G(2, "b", {M("a")})),
       With(kBase, A(2, "b", "5")), With(kBase, G(2, "b", {M("a")})),
       With(kBase, A(2, "b", "5")), {2}},
      // Groups: the names and the members merge apart, members by reading.
      {"members added on both sides", With(kBase, G(9, "g", {M("a"), M("b"), M("c")})),
       With(kBase, G(9, "g", {M("a"), M("b"), M("d")})),
       With(kBase, G(9, "g", {M("a"), M("b"), M("d"), M("c")})),
       With(kBase, G(9, "g", {M("a"), M("b"), M("d"), M("c")})), {}},
      {"an address edited on each side: both copies follow",
       With(With(kBase, A(1, "a", "7")), G(9, "g", {M("a", "7"), M("b")})),
       With(With(kBase, A(2, "b", "8")), G(9, "g", {M("a"), M("b", "8")})),
       With(With(With(kBase, A(1, "a", "7")), A(2, "b", "8")),
            G(9, "g", {M("a", "7"), M("b", "8")})),
       With(With(With(kBase, A(1, "a", "7")), A(2, "b", "8")),
            G(9, "g", {M("a", "7"), M("b", "8")})),
       {}},
      {"a member removed here and changed there", With(kBase, G(9, "g", {M("b")})),
       With(kBase, G(9, "g", {M("a", "5"), M("b")})), With(kBase, G(9, "g", {M("b")})),
       With(kBase, G(9, "g", {M("a", "5"), M("b")})), {9}},
      {"a member removed here and another there", With(kBase, G(9, "g", {M("b"), M("e")})),
       With(kBase, G(9, "g", {M("a")})), With(kBase, G(9, "g", {M("e")})),
       With(kBase, G(9, "g", {M("e")})), {}},
      {"members reordered on one side keep that order", With(kBase, G(9, "g", {M("b"), M("a")})),
       kBase, With(kBase, G(9, "g", {M("b"), M("a")})), With(kBase, G(9, "g", {M("b"), M("a")})),
       {}},
      {"a member's reading in another case is the same member",
       With(kBase, G(9, "g", {M("A"), M("b"), M("c")})), With(kBase, G(9, "g", {M("a")})),
       With(kBase, G(9, "g", {M("A"), M("c")})), With(kBase, G(9, "g", {M("A"), M("c")})), {}},
      {"names changed here, members there",
       With(kBase, [] { Plan g = G(9, "h", {M("a"), M("b")}); return g; }()),
       With(kBase, G(9, "g", {M("a")})), With(kBase, G(9, "h", {M("a")})),
       With(kBase, G(9, "h", {M("a")})), {}},
      {"names changed differently on both", With(kBase, G(9, "h", {M("a"), M("b")})),
       With(kBase, G(9, "i", {M("a"), M("b")})), With(kBase, G(9, "h", {M("a"), M("b")})),
       With(kBase, G(9, "i", {M("a"), M("b")})), {9}},
      {"a group removed here, given a member there", Without(kBase, 9),
       With(kBase, G(9, "g", {M("a"), M("b"), M("c")})), Without(kBase, 9),
       With(kBase, G(9, "g", {M("a"), M("b"), M("c")})), {9}},
      // An address removed with its copies on one side while the other made
      // it a member of a group: the remover did not see that use.
      {"an address removed here while a group took it there",
       With(Without(kBase, 1), G(9, "g", {M("b")})), With(kBase, G(8, "h", {M("a")})),
       With(Without(kBase, 1), G(9, "g", {M("b")})),
       With(With(kBase, G(9, "g", {M("b")})), G(8, "h", {M("a")})), {1}},
      {"an address removed there while a group took it here",
       With(kBase, G(8, "h", {M("a"), M("b")})), With(Without(kBase, 1), G(9, "g", {M("b")})),
       With(With(kBase, G(9, "g", {M("b")})), G(8, "h", {M("a"), M("b")})),
       With(With(Without(kBase, 1), G(9, "g", {M("b")})), G(8, "h", {M("b")})), {1}},
      {"an address removed here whose reading a new address there carries",
       With(Without(kBase, 1), G(9, "g", {M("b")})),
       With(With(kBase, A(5, "a", "9")), G(8, "h", {M("a", "9")})),
       With(With(With(Without(kBase, 1), G(9, "g", {M("b")})), A(5, "a", "9")),
            G(8, "h", {M("a", "9")})),
       With(With(With(Without(kBase, 1), G(9, "g", {M("b")})), A(5, "a", "9")),
            G(8, "h", {M("a", "9")})),
       {}},
      // Uniqueness after the merge: mine yields to theirs.
      {"an empty reading added on both sides is a reading as any other",
       With(kBase, A(3, "")), With(kBase, A(4, "")),
       With(With(kBase, A(4, "")), [] {
         Plan s = A(3, "(1)");
         s.record.dispName = "N(1)";
         return s;
       }()),
       With(With(kBase, A(4, "")), [] {
         Plan s = A(3, "(1)");
         s.record.dispName = "N(1)";
         return s;
       }()),
       {}},
      {"one reading added on both sides", With(kBase, A(3, "x")), With(kBase, A(4, "x")),
       With(With(kBase, A(4, "x")), [] {
         Plan s = A(3, "x(1)");
         s.record.dispName = "Nx(1)";
         return s;
       }()),
       With(With(kBase, A(4, "x")), [] {
         Plan s = A(3, "x(1)");
         s.record.dispName = "Nx(1)";
         return s;
       }()),
       {}},
      {"a renamed address's copies in mine's group follow it",
       With(With(kBase, A(3, "x")), G(9, "g", {M("a"), M("b"), M("x")})), With(kBase, A(4, "x")),
       With(With(With(kBase, A(4, "x")),
                 [] {
                   Plan s = A(3, "x(1)");
                   s.record.dispName = "Nx(1)";
                   return s;
                 }()),
            G(9, "g",
              {M("a"), M("b"),
               [] {
                 store::MemberEntry m = M("x(1)");
                 m.dispName = "Nx(1)";
                 return m;
               }()})),
       With(With(With(kBase, A(4, "x")),
                 [] {
                   Plan s = A(3, "x(1)");
                   s.record.dispName = "Nx(1)";
                   return s;
                 }()),
            G(9, "g",
              {M("a"), M("b"),
               [] {
                 store::MemberEntry m = M("x(1)");
                 m.dispName = "Nx(1)";
                 return m;
               }()})),
       {}},
  };
  const auto base = BookOf(kBase);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const auto mine = BookOf(c.mine);
    const auto theirs = BookOf(c.theirs);
    MergePlan plan;
    const auto asMine = Merged(*base, *mine, *theirs, Side::kMine, &plan);
    const auto asTheirs = Merged(*base, *mine, *theirs, Side::kTheirs);
    std::vector<int> conflicts;
    for (const Conflict& conflict : plan.conflicts) conflicts.push_back(conflict.regNo);
    EXPECT_EQ(conflicts, c.conflicts);
    EXPECT_EQ(Picture(*asMine), Picture(*BookOf(c.whenMine)));
    EXPECT_EQ(Picture(*asTheirs), Picture(*BookOf(c.whenTheirs)));
  }
}

template <typename Texts>
Texts Named(Texts t, const std::string& name, int respect = -1) {
  store::EntryTexts& texts = t;
  texts.dispName = name;
  if (respect >= 0) texts.respect = respect;
  return t;
}
Plan Named(Plan p, const std::string& name, int respect = -1) {
  p.record = Named(p.record, name, respect);
  return p;
}

TEST(BookMerge, OtherLanguagesMergeTheUnseenNameAndHonorificApartFromTheRest) {
  struct UnseenCase {
    const char* what;
    std::vector<Plan> mine;
    std::vector<Plan> theirs;
    std::vector<Plan> merged;    // in English, conflicts taken from mine
    std::vector<int> conflicts;  // in English; in Japanese every case conflicts
  };
  const std::vector<UnseenCase> cases = {
      {"the fax here, the name there", With(kBase, A(1, "a", "7")),
       With(kBase, Named(A(1, "a"), "Other")), With(kBase, Named(A(1, "a", "7"), "Other")), {}},
      {"the honorific here, the fax there", With(kBase, Named(A(1, "a"), "Na", 2)),
       With(kBase, A(1, "a", "8")), With(kBase, Named(A(1, "a", "8"), "Na", 2)), {}},
      {"the honorific changed differently on both", With(kBase, Named(A(1, "a", "7"), "Na", 1)),
       With(kBase, Named(A(1, "a"), "Na", 2)), With(kBase, Named(A(1, "a", "7"), "Na", 1)), {1}},
      {"a group's reading here, its name there",
       With(kBase, Named(G(9, "h", {M("a"), M("b")}), "Ng")),
       With(kBase, Named(G(9, "g", {M("a"), M("b")}), "Other")),
       With(kBase, Named(G(9, "h", {M("a"), M("b")}), "Other")), {}},
      {"an address and its copy: the fax here, the name there",
       With(With(kBase, A(1, "a", "7")), G(9, "g", {M("a", "7"), M("b")})),
       With(With(kBase, Named(A(1, "a"), "Other")), G(9, "g", {Named(M("a"), "Other"), M("b")})),
       With(With(kBase, Named(A(1, "a", "7"), "Other")),
            G(9, "g", {Named(M("a", "7"), "Other"), M("b")})),
       {}},
  };
  const auto base = BookOf(kBase);
  for (const UnseenCase& c : cases) {
    SCOPED_TRACE(c.what);
    const auto mine = BookOf(c.mine);
    const auto theirs = BookOf(c.theirs);
    MergePlan english;
    const auto merged = Merged(*base, *mine, *theirs, Side::kMine, &english, 1033);
    std::vector<int> conflicts;
    for (const Conflict& conflict : english.conflicts) {
      conflicts.push_back(conflict.regNo);
      EXPECT_EQ(conflict.Name(), conflict.mine.record.dispNameJP) << "named as the list shows it";
    }
    EXPECT_EQ(conflicts, c.conflicts);
    EXPECT_EQ(Picture(*merged), Picture(*BookOf(c.merged)));
    EXPECT_FALSE(PlanMerge(*base, *mine, *theirs, kJapanese).conflicts.empty());
  }
}

TEST(BookMerge, AConflictNamesTheEntryAndEveryFieldThatDiffers) {
  const auto base = BookOf(kBase);
  Plan here = A(1, "a", "7");
  here.record.companyName = "Here";
  Plan there = A(1, "a", "8");
  there.record.respect = 2;
  const auto mine = BookOf(With(kBase, here));
  const auto theirs = BookOf(With(kBase, there));
  const MergePlan plan = PlanMerge(*base, *mine, *theirs);
  ASSERT_EQ(plan.conflicts.size(), 1u);
  const Conflict& c = plan.conflicts[0];
  EXPECT_EQ(c.Name(), "Na");
  std::vector<std::string> fields;
  for (const FieldDifference& f : c.fields) fields.push_back(f.field + "=" + f.mine + "|" + f.theirs);
  EXPECT_EQ(fields, (std::vector<std::string>{"FaxNumber=7|8", "CompanyName=Here|",
                                              "Respect=0|2"}));

  const auto removedHere = BookOf(Without(kBase, 1));
  // Without a registration name (other languages), the reading names it.
  Plan unnamed = A(2, "b", "5");
  unnamed.record.dispName.clear();
  Plan unnamedThere = A(2, "b", "6");
  unnamedThere.record.dispName.clear();
  const MergePlan noNames = PlanMerge(*BookOf(With(kBase, A(2, "b")) ), *BookOf(With(kBase, unnamed)),
                                      *BookOf(With(kBase, unnamedThere)));
  ASSERT_FALSE(noNames.conflicts.empty());
  EXPECT_EQ(noNames.conflicts[0].Name(), "b");

  const MergePlan removal = PlanMerge(*base, *removedHere, *theirs);
  ASSERT_EQ(removal.conflicts.size(), 1u);
  EXPECT_EQ(removal.conflicts[0].Name(), "Na");
  ASSERT_EQ(removal.conflicts[0].fields.size(), 1u);
  EXPECT_EQ(removal.conflicts[0].fields[0].field, "Entry");
  EXPECT_EQ(removal.conflicts[0].fields[0].mine, "");
}

TEST(BookMerge, AGroupConflictNamesTheMembersAndFieldsThatDiffer) {
  const std::vector<Plan> base = {A(1, "kita"), A(2, "abe"), G(9, "g", {M("kita"), M("abe")})};
  struct Case {
    const char* what;
    std::vector<store::MemberEntry> mine;
    std::vector<store::MemberEntry> theirs;
    std::vector<std::string> fields;  // member:field=mine|theirs
  };
  const Case cases[] = {
      {"one member's fax differs", {M("kita", "7"), M("abe")}, {M("kita", "8"), M("abe")},
       {"kita:FaxNumber=7|8"}},
      {"a member added on one side, another field on the other",
       {M("kita", "7"), M("abe"), M("sato")}, {M("kita", "8"), M("abe")},
       {"kita:FaxNumber=7|8", "sato:Members=sato|"}},
      {"a member only there", {M("kita", "7"), M("abe")}, {M("kita", "8"), M("abe"), M("ito")},
       {"kita:FaxNumber=7|8", "ito:Members=|ito"}},
      {"the same members in another order", {M("abe"), M("kita"), M("ito")},
       {M("kita"), M("ito"), M("abe")}, {":Members=abe, kita, ito|kita, ito, abe"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    // Both sides changed the group's names too, so that it is one conflict.
    Plan here = G(9, "g", c.mine);
    here.record.dispName = "Here";
    Plan there = G(9, "g", c.theirs);
    there.record.dispName = "There";
    const MergePlan plan =
        PlanMerge(*BookOf(base), *BookOf(With(base, here)), *BookOf(With(base, there)));
    ASSERT_EQ(plan.conflicts.size(), 1u);
    std::vector<std::string> fields;
    for (const FieldDifference& f : plan.conflicts[0].fields) {
      if (f.field == "DispName") continue;
      fields.push_back(f.member + ":" + f.field + "=" + f.mine + "|" + f.theirs);
    }
    EXPECT_EQ(fields, c.fields);
    for (const FieldDifference& f : plan.conflicts[0].fields) {
      EXPECT_FALSE(f.mine == f.theirs) << f.field << " shows two equal values to choose between";
    }
  }
}

TEST(BookMerge, AnAddressRemovedHereAndUsedThereNamesTheGroups) {
  const auto base = BookOf(kBase);
  const auto mine = BookOf(With(Without(kBase, 1), G(9, "g", {M("b")})));
  const auto theirs = BookOf(With(With(kBase, G(8, "h", {M("a")})), G(7, "k", {M("a"), M("b")})));
  const MergePlan plan = PlanMerge(*base, *mine, *theirs);
  ASSERT_EQ(plan.conflicts.size(), 1u);
  const Conflict& c = plan.conflicts[0];
  EXPECT_TRUE(c.removedButUsed);
  EXPECT_EQ(c.removedBy, Side::kMine);
  EXPECT_EQ(c.Name(), "Na");
  ASSERT_EQ(c.fields.size(), 1u);
  EXPECT_EQ(c.fields[0].field, "Used");
  EXPECT_EQ(c.fields[0].mine, "");
  EXPECT_EQ(c.fields[0].theirs, "Nh, Nk");
}

TEST(BookMerge, AFileThatLostMostOfItsEntriesIsAMassRemoval) {
  struct Case {
    int baseEntries;
    int theirsEntries;  // the first ones of base
    bool mass;
  } cases[] = {{7, 7, false}, {7, 4, false}, {7, 3, true}, {7, 0, true}, {2, 1, false},
               {1, 0, true},  {0, 0, false}, {3000, 1499, true}, {3000, 1500, false}};
  for (const Case& c : cases) {
    std::vector<Plan> base;
    for (int i = 1; i <= c.baseEntries; ++i) base.push_back(A(i, "r" + std::to_string(i)));
    std::vector<Plan> theirs(base.begin(), base.begin() + c.theirsEntries);
    theirs.push_back(A(9000, "new"));
    const int lost = EntriesLost(*BookOf(base), *BookOf(theirs));
    EXPECT_EQ(lost, c.baseEntries - c.theirsEntries);
    EXPECT_EQ(IsMassRemoval(lost, c.baseEntries), c.mass) << c.baseEntries << "/" << c.theirsEntries;
  }
}

TEST(BookMerge, ChoicesArePerConflict) {
  const auto base = BookOf(kBase);
  const auto mine = BookOf(With(With(kBase, A(1, "a", "7")), A(2, "b", "7")));
  const auto theirs = BookOf(With(With(kBase, A(1, "a", "8")), A(2, "b", "8")));
  const MergePlan plan = PlanMerge(*base, *mine, *theirs);
  ASSERT_EQ(plan.conflicts.size(), 2u);
  MergedBook merged(932, Alerts());
  BuildMerged(plan, {Side::kTheirs, Side::kMine}, rules::TextRules(), &merged);
  store::Book book(932, Alerts());
  book.Load(std::move(merged.records), std::move(merged.groups));
  EXPECT_EQ(Picture(book), Picture(*BookOf(With(With(kBase, A(1, "a", "8")), A(2, "b", "7")))));
}

TEST(BookMerge, AMergePastTheBooksLimitIsRefused) {
  std::vector<Plan> base;
  std::vector<Plan> mine;
  std::vector<Plan> theirs;
  for (int i = 1; i <= 2000; ++i) {
    mine.push_back(A(i, "m" + std::to_string(i)));
    theirs.push_back(A(5000 + i, "t" + std::to_string(i)));
  }
  MergedBook merged(932, Alerts());
  const MergePlan plan = PlanMerge(*BookOf(base), *BookOf(mine), *BookOf(theirs));
  BuildMerged(plan, {}, rules::TextRules(), &merged);
  EXPECT_FALSE(merged.ok);
}

}  // namespace
}  // namespace merge
