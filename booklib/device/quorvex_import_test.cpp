// What the device import makes of the destinations: names and readings as
// the book stores them, unique, and the book's limit.
#include <gtest/gtest.h>

#include "booklib/device/quorvex_import.h"

namespace {

device::QuorvexDestination Destination(const std::string& name, const std::string& key) {
  device::QuorvexDestination d;
  d.name = name;
  d.key = key;
  d.faxNumber = "03";
  return d;
}

TEST(QuorvexImport, NamesAndReadingsAreFittedAndMadeUnique) {
  const rules::TextRules japanese{1041, 932};
  const rules::TextRules english{1033, 1252};
  const struct {
    const char* what;
    rules::TextRules rules;
    std::vector<device::QuorvexDestination> destinations;
    std::vector<std::pair<std::string, std::string>> entries;  // name, reading
  } cases[] = {
      {"the same name twice in Japanese", japanese,
       {Destination("ABC", "#0001"), Destination("ABC", "#0002")},
       {{"ABC", "#0001"}, {"ABC(1)", "#0002"}}},
      {"the same key twice", japanese,
       {Destination("A", "#0001"), Destination("B", "#0001")},
       {{"A", "#0001"}, {"B", "#0001(1)"}}},
      {"a long name is cut, its twin suffixed within 16 bytes", japanese,
       {Destination("ABCDEFGHIJKLMNOPQR", "#0001"), Destination("ABCDEFGHIJKLMNOPQR", "#0002")},
       {{"ABCDEFGHIJKLMNOP", "#0001"}, {"ABCDEFGHIJKLM(1)", "#0002"}}},
      {"a double-byte character across the cut is dropped whole", japanese,
       {Destination("ABCDEFGHIJKLMNO\x82\xA0", "#0001")},
       {{"ABCDEFGHIJKLMNO", "#0001"}}},
      {"a 16-byte name ending in a kanji whose trail looks like a lead byte stays", japanese,
       {Destination("ABCDEFGHIJKLMN\x88\x9F", "#0001")},
       {{"ABCDEFGHIJKLMN\x88\x9F", "#0001"}}},
      {"the suffix never splits a double-byte character", japanese,
       {Destination("ABCDEFGHIJKL\x88\x9F\x88\x9F", "#0001"),
        Destination("ABCDEFGHIJKL\x88\x9F\x88\x9F", "#0002")},
       {{"ABCDEFGHIJKL\x88\x9F\x88\x9F", "#0001"}, {"ABCDEFGHIJKL(1)", "#0002"}}},
      {"blanks are trimmed as the next load would", japanese,
       {Destination("Kita", "#0001"), Destination(" Kita\x81\x40", "#0002")},
       {{"Kita", "#0001"}, {"Kita(1)", "#0002"}}},
      {"other languages read the name", english,
       {Destination("Kita", "#0001"), Destination("Kita", "#0002")},
       {{"Kita", "Kita"}, {"Kita(1)", "Kita(1)"}}},
      {"a reading outside its class becomes 0, then 0(1)", english,
       {Destination("a\x11z", "#0001"), Destination("b\x12z", "#0002")},
       {{"a\x11z", "0"}, {"b\x12z", "0(1)"}}},
      {"accented letters pass the reading class", english,
       {Destination("M\xFCller", "#0001")},
       {{"M\xFCller", "M\xFCller"}}},
      {"a blank left at the end of the cut goes, as the next load would drop it", english,
       {Destination("ABCDEFGHIJKLMNO", "#0001"), Destination("ABCDEFGHIJKLMNO PQR", "#0002")},
       {{"ABCDEFGHIJKLMNO", "ABCDEFGHIJKLMNO"}, {"ABCDEFGHIJKLM(1)", "ABCDEFGHIJKLM(1)"}}},
      {"a name of blanks only becomes 0", english,
       {Destination("   ", "#0001"), Destination("\t", "#0002")},
       {{"0", "0"}, {"0(1)", "0(1)"}}},
  };
  for (const auto& c : cases) {
    const device::QuorvexEntries made = device::MakeQuorvexEntries(c.destinations, c.rules);
    ASSERT_EQ(made.records.size(), c.entries.size()) << c.what;
    EXPECT_FALSE(made.full);
    for (std::size_t i = 0; i < c.entries.size(); ++i) {
      EXPECT_EQ(made.records[i].dispName, c.entries[i].first) << c.what << " " << i;
      EXPECT_EQ(made.records[i].dispNameJP, c.entries[i].second) << c.what << " " << i;
      EXPECT_EQ(made.records[i].regNo, static_cast<int>(i) + 1) << c.what;
      EXPECT_EQ(made.records[i].kind, store::kKindAddress);
      EXPECT_EQ(made.records[i].respect, 0);
    }
  }
}

TEST(QuorvexImport, TheBooksLimitStopsTheImportAfter3000Entries) {
  std::vector<device::QuorvexDestination> destinations;
  for (int i = 0; i < 3002; ++i) {
    device::QuorvexDestination d = Destination("Same", "#" + std::to_string(i));
    d.subAddress = " 12 ";
    destinations.push_back(d);
  }
  const device::QuorvexEntries made = device::MakeQuorvexEntries(destinations, {1041, 932});
  EXPECT_TRUE(made.full);
  ASSERT_EQ(made.records.size(), 3000u);
  EXPECT_EQ(made.records.back().regNo, 3000);
  EXPECT_EQ(made.records.back().dispName, "Same(2999)");
  EXPECT_EQ(made.records.back().subAddress, "12");
}

}  // namespace
