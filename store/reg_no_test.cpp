#include "store/reg_no.h"

#include <gtest/gtest.h>

#include <set>

namespace store {
namespace {

TEST(NextRegNo, FirstFreeCandidateAfterTheRowCount) {
  struct Case {
    std::set<int> used;
    bool ok;
    int expected;
  } cases[] = {
      {{}, true, 1},
      {{1, 2, 3}, true, 4},
      {{1, 3, 4, 5}, true, 6},   // 2 was deleted: 4 rows, 5 is taken, so 6
      {{2, 3}, true, 4},         // 2 rows: candidate 3 is taken, so 4
  };
  for (const Case& c : cases) {
    int regNo = 0;
    const bool ok =
        NextRegNo(static_cast<int>(c.used.size()), [&](int n) { return c.used.count(n) > 0; }, &regNo);
    EXPECT_EQ(ok, c.ok);
    EXPECT_EQ(regNo, c.expected);
  }
}

TEST(NextRegNo, FailsAtTheBookLimitOrWhenEveryCandidateIsTaken) {
  int regNo = 0;
  EXPECT_FALSE(NextRegNo(3000, [](int) { return false; }, &regNo));
  EXPECT_FALSE(NextRegNo(10, [](int) { return true; }, &regNo));
  EXPECT_TRUE(NextRegNo(2999, [](int n) { return n < 3005; }, &regNo));
  EXPECT_EQ(regNo, 3005);
}

}  // namespace
}  // namespace store
