// The rows of a CSV import: the values of one data line in the address
// fields, scored against the field rules.
#pragma once

#include <array>
#include <deque>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "faxbook/rules/field_rules.h"
#include "faxbook/csv/column_mapping.h"
#include "platform/sys/file_system.h"

namespace csv {

// Score of a value its field's character check refuses; a row scoring this
// or more is never added.
constexpr int kRefusedScore = 10;

struct ImportRow {
  // In the order of rules::Field; empty where no value came.
  std::array<std::string, rules::kFieldCount> values;
  // +10 per value its field refuses, +1 per value longer than its field's
  // limit, +1 when the reading stayed empty.
  int score = 0;
  // The line of the file the row came from (the header is line 1).
  int line = 0;
  // One bit per field (1 << field): refused characters, too long.
  unsigned refused = 0;
  unsigned tooLong = 0;
  // The line held a character the book's code page lacks (UTF-8 import).
  bool unconvertible = false;
  // A NUL byte cut the line short: the values are those before it, and the
  // rest of the line is not in the row.
  bool cutAtNul = false;

  std::string& operator[](rules::Field f) { return values[static_cast<std::size_t>(f)]; }
  const std::string& operator[](rules::Field f) const {
    return values[static_cast<std::size_t>(f)];
  }
};

// The rows of a file, in a container that grows without moving the rows
// it holds (a file of 100 000 rows would otherwise be moved about a dozen
// times while it is read).
using ImportRows = std::deque<ImportRow>;

// The mark a score shows: "" for 0, "?" from 1 to 9, "!" from 10.
const char* MarkOf(int score);

// Turns data lines into rows for one mapping and language.
class RowLoader {
 public:
  RowLoader(const ColumnMapping& mapping, const rules::TextRules& rules);

  // Splits the line with the field splitter and gives every mapped field its
  // column's value (ideographic spaces made two spaces, blanks trimmed),
  // scoring each non-empty value against its field; the registration name
  // only in Japanese. True when at least one field received a value; a line
  // without any is no row. unconvertible marks the row refused, and so does
  // cutAtNul (the line's text ended at a NUL byte with more after it), which
  // makes a row even of a line without values before the NUL.
  bool Load(std::string_view line, int lineNumber, bool unconvertible, ImportRow* row,
            bool cutAtNul = false);

 private:
  struct Target {
    int column;
    int field;
  };
  std::vector<Target> targets_;  // sorted by column
  rules::TextRules rules_;
  std::string value_;
  std::string scratch_;
};

// Changes each line of a file before it is split (the UTF-8 import converts
// it to the book's code page); sets *unconvertible when a character could
// not be converted.
class LineConverter {
 public:
  virtual ~LineConverter() = default;
  virtual void Convert(std::string_view line, std::string* out, bool* unconvertible) = 0;
};

// Reads every data line of the CSV file at path (its first line is the
// header) into rows, in file order. False on a file error, with *rows
// empty; an empty file or a header alone give no rows and true. Reading
// stops once *rows holds more than maxRows rows (the rest of the file is
// not looked at), for a caller that refuses that many.
bool LoadCsvRows(sys::FileSystem& files, const std::string& path, const ColumnMapping& mapping,
                 const rules::TextRules& rules, ImportRows* rows,
                 LineConverter* converter = nullptr, std::size_t maxRows = SIZE_MAX);

}  // namespace csv
