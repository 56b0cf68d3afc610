// Adding imported rows: names made unique in each language, values cut to
// their fields, registration numbers, refused rows passed over, and the
// book's limit.
#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>
#include <vector>

#include "booklib/rules/book_names.h"
#include "booklib/csv/import_adder.h"
#include "platform/text/codepage.h"
#include "platform/text/portable_collation.h"
#include "store/book_file.h"
#include "store/book_format.h"
#include "store/book_order.h"

namespace csv {
namespace {

using rules::Field;
using Texts = std::vector<std::string>;

const rules::TextRules kJapanese{1041, 932};
const rules::TextRules kEnglish{1033, 1252};

// A book in memory: the list's rows top to bottom.
class MemoryBook : public ImportBook {
 public:
  void Add(const std::string& name, const std::string& reading, int regNo) {
    store::AddressRecord r;
    r.dispName = name;
    r.dispNameJP = reading;
    r.regNo = regNo;
    rows.push_back(r);
  }
  int EntryCount() const override { return static_cast<int>(rows.size()); }
  bool RegNoInUse(int regNo) const override {
    for (const store::AddressRecord& r : rows) {
      if (r.regNo == regNo) return true;
    }
    return false;
  }
  void ForEachEntry(const std::function<void(const store::AddressRecord&)>& visit) const override {
    for (const store::AddressRecord& r : rows) visit(r);
  }
  void AddAddress(const store::AddressRecord& record) override { rows.insert(rows.begin(), record); }
  Texts Readings() const {
    Texts out;
    for (const store::AddressRecord& r : rows) out.push_back(r.dispNameJP);
    return out;
  }
  std::vector<store::AddressRecord> rows;
};

ImportRow Row(const std::string& name, const std::string& reading, int score = 0) {
  ImportRow row;
  row[Field::kDispName] = name;
  row[Field::kDispNameJP] = reading;
  row.score = score;
  return row;
}

struct Added {
  MemoryBook book;
  AddOutcome outcome;
};

// Adds every row, in list order, to a book holding `existing` (name, reading).
Added AddAll(const std::vector<ImportRow>& rows, const std::vector<std::pair<std::string, std::string>>& existing,
             const rules::TextRules& rules) {
  text::PortableCollation collation(rules.codePage);
  ImportList list(rules.langId, collation);
  list.Assign(ImportRows(rows.begin(), rows.end()));
  Added result;
  int regNo = 0;
  for (const auto& e : existing) result.book.Add(e.first, e.second, ++regNo);
  std::vector<int> all;
  for (int p = 0; p < list.Size(); ++p) all.push_back(p);
  result.outcome = AddRows(list, all, result.book, rules);
  return result;
}

TEST(AddRows, JapaneseNamesAreSuffixedWhenInUseAsTheyWillBeStored) {
  const std::string kana13 = "\xB1\xB2\xB3\xB4\xB5\xB6\xB7\xB8\xB9\xBA\xBB\xBC\xBD";  // 13 bytes
  const std::string name16 = "ABCDEFGHIJKLMNOP";
  // 12 bytes, then a double-byte character over bytes 13 and 14, to 16 bytes.
  const std::string wide16 = "ABCDEFGHIJKL\x88\x9F\x88\xA0";
  struct Case {
    std::string name, reading;
    std::vector<std::pair<std::string, std::string>> existing;
    std::string storedName, storedReading;
  } cases[] = {
      {"Tanaka", "\xC0\xC5\xB6", {{"T", "\xC0\xC5\xB6"}}, "Tanaka", "\xC0\xC5\xB6(1)"},
      {"Tanaka", "\xC0\xC5\xB6", {{"T", "\xC0\xC5\xB6"}, {"U", "\xC0\xC5\xB6(1)"}}, "Tanaka",
       "\xC0\xC5\xB6(2)"},
      {"Tanaka", "NEW", {{"Tanaka", "OLD"}}, "Tanaka(1)", "NEW"},
      {"tanaka", "NEW", {{"Tanaka", "OLD"}}, "tanaka", "NEW"},  // exact comparison
      {name16, "R", {{name16, "S"}}, "ABCDEFGHIJKLM(1)", "R"},
      {wide16, "R", {{wide16, "S"}}, "ABCDEFGHIJKL(1)", "R"},  // no lone lead byte left
      // A 20-byte reading whose first 16 bytes are in use: stored cut, so
      // it must be suffixed, or the book would hold the same reading twice.
      {"N", kana13 + "\xBE\xBF\xC0XXXX", {{"E", kana13 + "\xBE\xBF\xC0"}}, "N", kana13 + "(1)"},
      {"N", std::string(20, 'r'), {}, "N", std::string(16, 'r')},
      // A cut that ends in a blank is stored without it, as the book will
      // read it back, and is tested in that form.
      {"N", "ABCDEFGHIJKLMNO QRST", {{"E", "ABCDEFGHIJKLMNO"}}, "N", "ABCDEFGHIJKLM(1)"},
      {"ABCDEFGHIJKLMN  X", "R", {}, "ABCDEFGHIJKLMN", "R"},
      {"N", "", {{"E", ""}}, "N", "(1)"},  // an empty reading takes part like any other
      {"", "R", {{"", "S"}}, "(1)", "R"},
  };
  for (const Case& c : cases) {
    const Added added = AddAll({Row(c.name, c.reading, 1)}, c.existing, kJapanese);
    ASSERT_EQ(added.outcome.added.size(), 1u) << c.reading;
    EXPECT_EQ(added.book.rows[0].dispName, c.storedName) << c.name;
    EXPECT_EQ(added.book.rows[0].dispNameJP, c.storedReading) << c.reading;
  }
}

TEST(AddRows, EachAddedAddressCountsForTheRowsAfterIt) {
  const Added japanese = AddAll({Row("X", "X"), Row("X", "X"), Row("X", "X")}, {}, kJapanese);
  EXPECT_EQ(japanese.book.Readings(), (Texts{"X(2)", "X(1)", "X"})) << "each at the top";
  EXPECT_EQ(japanese.book.rows[0].dispName, "X(2)");
  const Added empty = AddAll({Row("A", ""), Row("B", "")}, {}, kJapanese);
  EXPECT_EQ(empty.book.Readings(), (Texts{"(1)", ""}));
}

TEST(AddRows, OtherLanguagesCompareNamesIgnoringCaseAndStartAtTwo) {
  const std::string long16 = "abcdefghijklmnop";
  struct Case {
    std::string reading;
    Texts existing;
    std::string stored;
  } cases[] = {
      {"Tanaka", {"TANAKA"}, "Tanaka(2)"},
      {"Tanaka", {"tanaka", "TANAKA(2)"}, "Tanaka(3)"},
      {"Tanaka", {"Tanaka-san"}, "Tanaka"},
      {long16 + "qrst", {}, long16},
      {long16 + "qrst", {"ABCDEFGHIJKLMNOP"}, "abcdefghijklm(2)"},
      {"abcdefghijklmno pq", {"ABCDEFGHIJKLMNO"}, "abcdefghijklm(2)"},
      {"", {""}, "(2)"},
  };
  for (const Case& c : cases) {
    std::vector<std::pair<std::string, std::string>> existing;
    for (const std::string& r : c.existing) existing.emplace_back("", r);
    const Added added = AddAll({Row("ignored", c.reading)}, existing, kEnglish);
    ASSERT_EQ(added.book.rows.size(), c.existing.size() + 1);
    EXPECT_EQ(added.book.rows[0].dispNameJP, c.stored) << c.reading;
    EXPECT_EQ(added.book.rows[0].dispName, "") << "no registration name outside Japanese";
  }
}

// The names of an add as the plain searches give them, every suffix looked
// up in turn: Japanese exactly from "(1)", other languages ignoring case
// from "(2)".
std::string PlainSuffixed(const std::string& base, int first, int codePage,
                          const std::function<bool(const std::string&)>& used) {
  for (int n = first;; ++n) {
    const std::string suffix = "(" + std::to_string(n) + ")";
    std::string candidate = base.size() + suffix.size() <= 16
                                ? base
                                : std::string(text::CutToBytes(codePage, base, 16 - suffix.size()));
    candidate += suffix;
    if (!used(candidate)) return candidate;
  }
}

TEST(AddRows, NamesAreThoseOfThePlainSearchWhateverTheBookHolds) {
  const std::vector<std::string> bases = {
      "tanaka", "TANAKA", "Tanaka(2)", "ABCDEFGHIJKLMN", "abcdefghijklmz", "ABCDEFGHIJKLMNOP",
      "ABCDEFGHIJKL\xD6\xD0", "abcdefghijkl\xD6\xD0" "Q", "ABCDEFGHIJK\xD6\xD0" "QQ", ""};
  for (const rules::TextRules& rules : {kJapanese, rules::TextRules{2052, 936}}) {
    for (unsigned seed = 1; seed <= 20; ++seed) {
      std::mt19937 rng(seed);
      rules::BookNames names(rules.codePage);
      for (int step = 0; step < 1200; ++step) {
        const std::string& base = bases[rng() % bases.size()];
        if (rng() % 5 == 0) {
          // An entry that came otherwise: a suffixed form by hand.
          const std::string name = base.substr(0, 13) + "(" + std::to_string(1 + rng() % 15) + ")";
          names.Add(name, name);
          continue;
        }
        std::string want, got;
        if (rules.Japanese()) {
          want = names.IsNameUsed(base, 1)
                     ? PlainSuffixed(base, 1, rules.codePage,
                                     [&](const std::string& c) { return names.IsNameUsed(c, 1); })
                     : base;
          got = rules::FitJapaneseName(base, 1, rules, names);
        } else {
          want = names.IsReadingUsedIgnoringCase(base)
                     ? PlainSuffixed(base, 2, rules.codePage,
                                     [&](const std::string& c) {
                                       return names.IsReadingUsedIgnoringCase(c);
                                     })
                     : base;
          got = rules::FitOtherLanguageName(base, rules, names);
        }
        ASSERT_EQ(got, want) << rules.langId << " seed " << seed << " step " << step;
        names.Add("", got);
      }
    }
  }
}

TEST(AddRows, ValuesAreCutRefusedRowsPassedOverAndNumbersTaken) {
  ImportRow full = Row("Name", "READ", 5);
  full[Field::kFaxNumber] = std::string(40, '1');
  full[Field::kSubAddress] = std::string(25, '2');
  full[Field::kPassword] = std::string(25, '3');
  full[Field::kCompanyName] = std::string(62, 'c') + "\x89\xEF\x8E\xD0";  // a kanji over 64
  full[Field::kDepartmentName] = std::string(63, 'd') + " and more";
  full[Field::kClientName] = std::string(30, 'e');
  const Added added =
      AddAll({Row("Bad", "BAD", 10), full, Row("Worse", "WORSE", 21)}, {{"A", "A"}, {"B", "B"}},
             kJapanese);
  EXPECT_EQ(added.outcome.added, (std::vector<int>{1}));
  EXPECT_EQ(added.outcome.refused, (std::vector<int>{0, 2}));
  const store::AddressRecord& r = added.book.rows[0];
  EXPECT_EQ(r.kind, store::kKindAddress);
  EXPECT_EQ(r.regNo, 3) << "two entries: the candidates start at 3";
  EXPECT_EQ(r.respect, 0);
  EXPECT_EQ(r.faxNumber, std::string(32, '1'));
  EXPECT_EQ(r.subAddress, std::string(20, '2'));
  EXPECT_EQ(r.password, std::string(20, '3'));
  EXPECT_EQ(r.companyName, std::string(62, 'c') + "\x89\xEF");
  EXPECT_EQ(r.departmentName, std::string(63, 'd')) << "no blank left at the end of a cut";
  EXPECT_EQ(r.clientName, std::string(20, 'e'));
}

TEST(AddRows, TheLimitCountsEverySelectedRow) {
  EXPECT_FALSE(WouldOverfillBook(5, 2995));
  EXPECT_TRUE(WouldOverfillBook(6, 2995));
  EXPECT_TRUE(WouldOverfillBook(10, 2995));
  EXPECT_FALSE(WouldOverfillBook(3000, 0));
  EXPECT_TRUE(WouldOverfillBook(2147483647, 1)) << "no overflow";
}

// The book written after an add of a reading whose cut equals a reading in
// use reads back with both entries.
TEST(AddRows, ACutReadingInUseSurvivesSaveAndLoad) {
  const std::string kana16 = "\xB1\xB2\xB3\xB4\xB5\xB6\xB7\xB8\xB9\xBA\xBB\xBC\xBD\xBE\xBF\xC0";
  Added added = AddAll({Row("New", kana16 + "\xC1\xC2\xC3\xC4")}, {{"Old", kana16}}, kJapanese);
  text::PortableCollation collation(932);
  std::vector<store::AddressRecord> rows = added.book.rows;
  store::SortByReading(collation, 1041, &rows);
  store::GroupTable groups(932, nullptr);
  const std::string bytes = store::FormatBook(rows, groups);
  store::BookContext context;
  std::vector<store::AddressRecord> loaded;
  store::GroupTable loadedGroups(932, nullptr);
  store::ReadBookBytes(context, bytes, 10, &loaded, &loadedGroups);
  EXPECT_EQ(store::LoadOrder(loaded).size(), 2u);
}

}  // namespace
}  // namespace csv
