#include "store/group_table.h"

#include <gtest/gtest.h>

#include "store/test_support.h"

namespace store {
namespace {

class RemovedGroups : public GroupEntryOwner {
 public:
  void RemoveGroupEntry(int regNo) override { removed.push_back(regNo); }
  std::vector<int> removed;
};

std::vector<std::string> Readings(const GroupTable& t, int key) {
  std::vector<MemberEntry> members;
  t.CopyMembers(key, kMaxMembers, &members);
  std::vector<std::string> out;
  for (const MemberEntry& m : members) out.push_back(m.dispNameJP);
  return out;
}

class GroupTableTest : public ::testing::Test {
 protected:
  RecordingAlerts alerts;
  GroupTable table{932, &alerts};
};

TEST_F(GroupTableTest, MembersAreUniqueByReadingWithoutCase) {
  ASSERT_TRUE(table.AddMember(7, kKindGroup, MemberEntry()));  // the group line makes the slot
  EXPECT_EQ(table.MemberCount(7), 0);
  EXPECT_TRUE(table.AddMember(7, kKindMember, Member("abc")));
  EXPECT_FALSE(table.AddMember(7, kKindMember, Member("ABC")));
  EXPECT_TRUE(table.AddMember(7, kKindMember, Member("\x82\x60")));   // full-width A
  EXPECT_FALSE(table.AddMember(7, kKindMember, Member("\x82\x81")));  // full-width a
  EXPECT_EQ(table.MemberCount(7), 2);
  EXPECT_TRUE(alerts.shown.empty());
}

// Readings are compared eight bytes at a time: a letter that differs only
// in case is found as the same member wherever it stands, also where a
// full-width letter's two bytes lie in different groups of eight.
TEST_F(GroupTableTest, ReadingsEqualWithoutCaseAtAnyPlace) {
  struct Case {
    std::string first, second;
    bool same;
  } cases[] = {
      {"abcdefgH", "abcdefgh", true},
      {"abcdefghI", "abcdefghi", true},
      {"Zbcdefghijklmnopq", "zbcdefghijklmnopQ", true},
      {"abcdefg\x82\x60", "abcdefg\x82\x81", true},   // full-width A across eight
      {"abcdef\x82\x79x", "abcdef\x82\x9Ax", true},   // full-width Z
      {"abcdefg\x82\x7A", "abcdefg\x82\x9B", false},  // not a letter
      {"abcdefg\x83\x60", "abcdefg\x83\x81", false},  // not after 0x82
      {"@[`{abcd", "@[`{ABCD", true},
      {"@abcdefg", "`abcdefg", false},
      {"abcdefg[", "abcdefg{", false},
  };
  int key = 100;
  for (const Case& c : cases) {
    ++key;
    ASSERT_TRUE(table.AddMember(key, kKindMember, Member(c.first))) << c.first;
    EXPECT_EQ(table.AddMember(key, kKindMember, Member(c.second)), !c.same) << c.second;
  }
}

TEST_F(GroupTableTest, AGroupHoldsAtMostEightyMembers) {
  for (int i = 0; i < kMaxMembers; ++i) {
    ASSERT_TRUE(table.AddMember(1, kKindMember, Member("m" + std::to_string(i))));
  }
  EXPECT_FALSE(table.AddMember(1, kKindMember, Member("one more")));
  EXPECT_EQ(table.MemberCount(1), kMaxMembers);
}

TEST_F(GroupTableTest, MemberLinesBeforeTheirGroupLineShareOneSlot) {
  EXPECT_TRUE(table.AddMember(5, kKindMember, Member("a")));
  EXPECT_TRUE(table.AddMember(5, kKindGroup, MemberEntry()));
  EXPECT_TRUE(table.AddMember(5, kKindGroup, MemberEntry()));  // a repeated group line
  EXPECT_TRUE(table.AddMember(5, kKindMember, Member("b")));
  EXPECT_EQ(table.UsedSlots(), 1);
  EXPECT_EQ(table.MemberCount(5), 2);
  EXPECT_EQ(table.Slot(0).originKind, kKindMember);
}

TEST_F(GroupTableTest, KeyZeroNeverNamesAGroup) {
  EXPECT_FALSE(table.AddMember(0, kKindMember, Member("stray")));
  ASSERT_TRUE(table.CreateGroupSlot(9, 1, kKindMember, {Member("x")}));
  EXPECT_EQ(Readings(table, 9), std::vector<std::string>({"x"}));
}

TEST_F(GroupTableTest, FreedPositionsAreReusedAndCopiedInPositionOrder) {
  for (const char* r : {"a", "b", "c"}) table.AddMember(3, kKindMember, Member(r));
  RemovedGroups owner;
  EXPECT_TRUE(table.RemoveMember("B", &owner));  // position 1 becomes free
  EXPECT_EQ(Readings(table, 3), std::vector<std::string>({"a", "c"}));
  EXPECT_TRUE(table.AddMember(3, kKindMember, Member("d")));  // lands in position 1
  EXPECT_EQ(Readings(table, 3), std::vector<std::string>({"a", "d", "c"}));
  std::vector<MemberEntry> two;
  EXPECT_EQ(table.CopyMembers(3, 2, &two), 2);
  EXPECT_TRUE(owner.removed.empty());
}

TEST_F(GroupTableTest, RemovingTheLastMemberDeletesTheGroup) {
  table.AddMember(10, kKindGroup, MemberEntry());
  table.AddMember(10, kKindMember, Member("solo"));
  table.AddMember(11, kKindGroup, MemberEntry());
  table.AddMember(11, kKindMember, Member("solo"));
  table.AddMember(11, kKindMember, Member("other"));
  table.AddMember(12, kKindGroup, MemberEntry());  // empty before, untouched by the removal
  RemovedGroups owner;
  EXPECT_TRUE(table.RemoveMember("SOLO", &owner));
  EXPECT_EQ(owner.removed, std::vector<int>({10}));
  EXPECT_EQ(table.MemberCount(10), 0);
  EXPECT_FALSE(table.DeleteGroup(10));
  EXPECT_EQ(Readings(table, 11), std::vector<std::string>({"other"}));
  EXPECT_TRUE(table.DeleteGroup(12));
  EXPECT_FALSE(table.RemoveMember("nobody", &owner));
}

TEST_F(GroupTableTest, UpdateReplacesTheFirstMatchInEveryGroup) {
  table.AddMember(1, kKindMember, Member("old"));
  table.AddMember(2, kKindMember, Member("x"));
  table.AddMember(2, kKindMember, Member("OLD"));
  MemberEntry renamed = Member("new", "06-2222");
  EXPECT_TRUE(table.UpdateMember("Old", kKindMember, renamed));
  EXPECT_EQ(Readings(table, 1), std::vector<std::string>({"new"}));
  EXPECT_EQ(Readings(table, 2), std::vector<std::string>({"x", "new"}));
  EXPECT_FALSE(table.UpdateMember("missing", kKindMember, renamed));
  EXPECT_TRUE(alerts.shown.empty());
  table.UpdateMember("x", 1, renamed);  // callers always pass 4
  EXPECT_EQ(alerts.shown, std::vector<std::string>({kUnsupportedAddrType}));
}

TEST_F(GroupTableTest, SlotsAreTakenLowestFirstAndFreedForReuse) {
  ASSERT_TRUE(table.CreateGroupSlot(100, 0, kKindMember, {}));
  ASSERT_TRUE(table.CreateGroupSlot(200, 0, kKindMember, {}));
  EXPECT_TRUE(table.DeleteGroup(100));
  ASSERT_TRUE(table.CreateGroupSlot(300, 2, kKindMember, {Member("p"), Member("q")}));
  EXPECT_EQ(table.Slot(0).key, 300);
  EXPECT_EQ(table.Slot(1).key, 200);
  EXPECT_EQ(Readings(table, 300), std::vector<std::string>({"p", "q"}));
}

TEST_F(GroupTableTest, AFullTableRefusesNewGroupsQuietly) {
  for (int key = 1; key <= kGroupSlots; ++key) {
    ASSERT_TRUE(table.AddMember(key, kKindGroup, MemberEntry()));
  }
  EXPECT_FALSE(table.AddMember(kGroupSlots + 1, kKindMember, Member("late")));
  EXPECT_FALSE(table.CreateGroupSlot(kGroupSlots + 2, 0, kKindMember, {}));
  table.ClearGroups();
  EXPECT_EQ(table.UsedSlots(), 0);
  EXPECT_TRUE(table.AddMember(1, kKindMember, Member("again")));
  EXPECT_TRUE(alerts.shown.empty());
}

TEST_F(GroupTableTest, UnexpectedSlotKindsAreReported) {
  ASSERT_TRUE(table.CreateGroupSlot(4, 1, 2, {Member("k")}));
  std::vector<MemberEntry> out;
  table.CopyMembers(4, kMaxMembers, &out);
  EXPECT_EQ(out.size(), 1u);
  EXPECT_TRUE(table.DeleteGroup(4));
  EXPECT_EQ(alerts.shown.size(), 2u);
}

}  // namespace
}  // namespace store
