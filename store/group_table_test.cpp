#include "store/group_table.h"

#include <gtest/gtest.h>

#include <map>

#include "store/csv_field.h"

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

// Deleting and editing groups leaves old texts behind until most of the
// buffer is waste; then the members still held are packed afresh. A large
// group set goes through that twice, and every member, however it was
// added, reads and writes as before.
TEST(GroupTableCompaction, EveryMemberSurvivesRepacking) {
  RecordingAlerts alerts;
  GroupTable table(932, &alerts);
  std::map<int, std::vector<MemberEntry>> expected;  // key -> members in position order
  std::vector<int> slotKeys(kGroupSlots, 0);
  // A member of group g at position m, every text at its limit, with
  // commas, quotes and double-byte text that the writer must quote.
  const auto memberOf = [](int g, int m) {
    MemberEntry e;
    const std::string id = std::to_string(g) + "-" + std::to_string(m);
    const auto fill = [&](const std::string& start, std::size_t size) {
      std::string t = start + id;
      while (t.size() < size) t += static_cast<char>('a' + (t.size() + g + m) % 26);
      return t.substr(0, size);
    };
    e.dispName = fill("\x93\x63\x92\x86", 16);
    e.dispNameJP = fill("R", 16);
    e.faxNumber = fill("03-", 32);
    e.subAddress = fill("1", 20);
    e.password = fill("p", 20);
    e.companyName = fill("\"Co, \"\"", 64);
    e.departmentName = fill("D,", 64);
    e.clientName = fill("C", 20);
    e.respect = (g + m) % 4;
    return e;
  };
  const auto fieldsOf = [](const MemberEntry& e) {
    std::string line;
    for (const TextField& f : kTextFields) {
      AppendQuotedField(e.*f.member, &line);
      line += ',';
    }
    return line + std::to_string(e.respect);
  };
  // Groups of 80 from firstKey on: members added one by one (as the texts of
  // a member line, or as the line's fields) or made with the group's slot.
  const auto addGroups = [&](int firstKey, int count) {
    for (int key = firstKey; key < firstKey + count; ++key) {
      std::vector<MemberEntry>& members = expected[key];
      for (int m = 0; m < kMaxMembers; ++m) members.push_back(memberOf(key, m));
      if (key % 3 == 0) {
        ASSERT_TRUE(table.CreateGroupSlot(key, kMaxMembers, kKindGroup, members));
      } else {
        ASSERT_TRUE(table.AddMember(key, kKindGroup, MemberEntry()));
        for (const MemberEntry& e : members) {
          ASSERT_TRUE(key % 3 == 1
                          ? table.AddMemberFields(key, kKindMember, fieldsOf(e), e.dispNameJP)
                          : table.AddMember(key, kKindMember, e));
        }
      }
    }
  };
  const auto expectEveryMember = [&](const char* when) {
    SCOPED_TRACE(when);
    ASSERT_EQ(table.UsedSlots(), static_cast<int>(expected.size()));
    for (const auto& group : expected) {
      const int key = group.first;
      const std::vector<MemberEntry>& members = group.second;
      std::vector<MemberEntry> got;
      ASSERT_EQ(table.CopyMembers(key, kMaxMembers, &got), static_cast<int>(members.size()));
      for (std::size_t i = 0; i < members.size(); ++i) {
        for (const TextField& f : kTextFields) {
          ASSERT_EQ(got[i].*f.member, members[i].*f.member) << "group " << key << " member " << i;
        }
        ASSERT_EQ(got[i].respect, members[i].respect) << "group " << key << " member " << i;
      }
      std::size_t written = 0;
      table.ForEachMemberToWrite(key, [&](const TextsView* texts, std::string_view canonical) {
        const std::string want = fieldsOf(members[written++]);
        if (texts) {
          MemberEntry m;
          CopyInto(*texts, &m);
          ASSERT_EQ(fieldsOf(m), want) << "group " << key;
        } else {
          ASSERT_EQ(canonical, want) << "group " << key;
        }
      });
      ASSERT_EQ(written, members.size());
    }
    for (int i = 0; i < kGroupSlots; ++i) ASSERT_EQ(table.Slot(i).key, slotKeys[static_cast<std::size_t>(i)]);
  };
  // Deletes groups from `key` on, one at a time, until the texts are packed
  // afresh; returns the next key.
  const auto deleteUntilRepacked = [&](int key) {
    for (std::size_t before = table.PackedBytes();
         table.PackedBytes() >= before && !expected.empty(); ++key) {
      before = table.PackedBytes();
      if (!expected.count(key)) continue;
      EXPECT_TRUE(table.DeleteGroup(key));
      expected.erase(key);
      for (int& k : slotKeys) k = k == key ? 0 : k;
    }
    return key;
  };

  addGroups(1, 1000);
  for (int i = 0; i < 1000; ++i) slotKeys[static_cast<std::size_t>(i)] = i + 1;
  const std::size_t full = table.PackedBytes();
  ASSERT_GT(full, 16u << 20);
  expectEveryMember("before");

  // Groups go from the first on; the members left are repacked once half of
  // the buffer is waste.
  int key = 1;
  key = deleteUntilRepacked(key);
  EXPECT_LT(table.PackedBytes(), full * 3 / 4);
  expectEveryMember("after the first repacking");

  // New groups take the freed slots, lowest first, and free positions
  // between members; then deletions and edits repack again.
  int freed = 0;
  for (int i = 0; i < kGroupSlots; ++i) freed += slotKeys[static_cast<std::size_t>(i)] == 0 && i < 1000;
  addGroups(2001, freed);
  for (int i = 0, next = 2001; i < 1000; ++i) {
    if (slotKeys[static_cast<std::size_t>(i)] == 0) slotKeys[static_cast<std::size_t>(i)] = next++;
  }
  RemovedGroups owner;
  const MemberEntry gone = memberOf(2001, 5);
  ASSERT_TRUE(table.RemoveMember(gone.dispNameJP, &owner));
  auto& members = expected[2001];
  members.erase(members.begin() + 5);
  ASSERT_TRUE(table.AddMember(2001, kKindMember, memberOf(2001, 99)));  // into the free position
  members.insert(members.begin() + 5, memberOf(2001, 99));
  expectEveryMember("with the new groups");
  deleteUntilRepacked(key);
  expectEveryMember("after the second repacking");
  EXPECT_TRUE(owner.removed.empty());
  EXPECT_TRUE(alerts.shown.empty());
}

}  // namespace
}  // namespace store
