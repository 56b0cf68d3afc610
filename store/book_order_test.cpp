#include "store/book_order.h"

#include <gtest/gtest.h>

#include "platform/text/portable_collation.h"

namespace store {
namespace {

AddressRecord Entry(int regNo, const std::string& reading) {
  AddressRecord r;
  r.regNo = regNo;
  r.dispNameJP = reading;
  return r;
}

std::vector<int> RegNos(const std::vector<AddressRecord>& records) {
  std::vector<int> out;
  for (const AddressRecord& r : records) out.push_back(r.regNo);
  return out;
}

// Only a repeat of the record just before is dropped, and each record goes
// to the top of the list in turn.
TEST(BookOrder, TheLoadDropsARepeatOfTheRecordJustBeforeAndPutsTheLastFirst) {
  const std::vector<AddressRecord> file = {Entry(1, "A"), Entry(2, "A"), Entry(3, "A"),
                                           Entry(4, "B"), Entry(5, "A"), Entry(6, "a")};
  EXPECT_EQ(RegNos(LoadOrder(file)), std::vector<int>({6, 5, 4, 1}));
  EXPECT_TRUE(LoadOrder({}).empty());
}

TEST(BookOrder, SortsByReadingForEachLanguage) {
  text::PortableCollation japanese(932);
  std::vector<AddressRecord> rows = {Entry(1, "\xB6\xB9"), Entry(2, "b"), Entry(3, "\xB1"),
                                     Entry(4, "B"), Entry(5, "#x")};
  SortByReading(japanese, 1041, &rows);
  // "b" and "B" are equal to the Japanese order and keep the order they had.
  EXPECT_EQ(RegNos(rows), std::vector<int>({5, 2, 4, 3, 1}));

  text::PortableCollation western(1252);
  std::vector<AddressRecord> other = {Entry(1, "b"), Entry(2, "\xE0z"), Entry(3, "#x"),
                                      Entry(4, "a")};
  SortByReading(western, 1033, &other);
  EXPECT_EQ(RegNos(other), std::vector<int>({3, 4, 2, 1}));
}

}  // namespace
}  // namespace store
