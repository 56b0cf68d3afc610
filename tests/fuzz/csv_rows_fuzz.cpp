// The CSV row loader takes any bytes, and whatever rows it makes, sorting
// and adding them all gives addresses that fit their fields, with readings
// that the book can hold (no two alike), registration numbers unused, and
// every value as the book's reader will read it back; a line a NUL byte cut
// short gives a refused row.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "booklib/csv/import_adder.h"
#include "booklib/csv/import_list.h"
#include "booklib/csv/import_row.h"
#include "platform/fake/fake_file_system.h"
#include "platform/text/blanks.h"
#include "platform/text/portable_collation.h"

namespace {

class Book : public csv::ImportBook {
 public:
  int EntryCount() const override { return static_cast<int>(rows.size()); }
  bool RegNoInUse(int regNo) const override { return regNos.count(regNo) != 0; }
  void ForEachEntry(const std::function<void(const store::AddressRecord&)>& visit) const override {
    for (const store::AddressRecord& r : rows) visit(r);
  }
  void AddAddress(const store::AddressRecord& record) override {
    if (!regNos.insert(record.regNo).second) std::abort();
    rows.push_back(record);
  }
  std::vector<store::AddressRecord> rows;
  std::set<int> regNos;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  // The first byte chooses the language and the pieces the file is read in,
  // the second the mapping's columns.
  const int langIds[] = {1041, 1033, 2052, 1029};
  const int codePages[] = {932, 1252, 936, 1250};
  const int which = data[0] & 3;
  const rules::TextRules rules{langIds[which], codePages[which]};
  csv::ColumnMapping mapping = csv::DefaultMapping(rules.langId, 8);
  for (int f = 0; f < rules::kFieldCount; ++f) {
    if (data[1] & (1u << f)) mapping.columns[static_cast<std::size_t>(f)] = (data[1] + f) % 5 - 1;
  }
  sys::FakeFileSystem files;
  files.SetPieceSize(1 + (data[0] >> 2));
  files.SetFile("in.csv", std::string(reinterpret_cast<const char*>(data) + 2, size - 2));
  csv::ImportRows rows;
  if (!csv::LoadCsvRows(files, "in.csv", mapping, rules, &rows)) std::abort();
  for (const csv::ImportRow& row : rows) {
    bool any = false;
    for (const std::string& v : row.values) {
      if (v.size() > size) std::abort();
      any = any || !v.empty();
    }
    // A line cut short by a NUL byte is a row even without values, and one
    // that is never added.
    if ((!any && !row.cutAtNul) || row.line < 2) std::abort();
    if (row.cutAtNul && row.score < csv::kRefusedScore) std::abort();
  }

  text::PortableCollation collation(rules.codePage);
  csv::ImportList list(rules.langId, collation);
  list.Assign(std::move(rows));
  for (int column = 0; column < list.ColumnCount(); ++column) list.Sort(column, column % 2 == 0);
  Book book;
  std::vector<int> all;
  for (int p = 0; p < list.Size() && p < store::kMaxEntries; ++p) all.push_back(p);
  csv::AddRows(list, all, book, rules);
  std::set<std::string> readings;
  for (const store::AddressRecord& r : book.rows) {
    for (const store::TextField& field : store::kTextFields) {
      const std::string& value = r.*field.member;
      if (value.size() > field.maxBytes) std::abort();
      // As the book's reader will read it back: no blank at either end.
      if (text::TrimBlanks(value).size() != value.size()) std::abort();
    }
    if (!readings.insert(r.dispNameJP).second) std::abort();
    if (r.regNo < 1 || r.regNo > 65535) std::abort();
  }
  return 0;
}
