// The rows of a CSV import: the values of one data line in the address
// fields, scored against the field rules.
#pragma once

#include <array>
#include <deque>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "booklib/rules/field_rules.h"
#include "booklib/csv/charset.h"
#include "booklib/csv/column_mapping.h"
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
  // Values of a UTF-8 file holding a character the book's code page lacks,
  // or bytes that are no UTF-8: the field and the first such character or
  // bytes. The value shows "?" in its place and the row is refused.
  struct Lacking {
    int field;
    Unconverted what;
  };
  std::vector<Lacking> lackingChars;
  // The row has no fax number (refused: an address needs one).
  bool noFax = false;
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

  // A column of a UTF-8 line whose value has no code-page form, and why.
  struct LackingColumn {
    int column;
    Unconverted what;
  };

  // Splits the line (code-page text) with the field splitter and gives every
  // mapped field its column's value (ideographic spaces made two spaces,
  // blanks trimmed; a joined second column after a space), scoring each
  // non-empty value against its field; the registration name only in
  // Japanese. True when at least one field received a value; a line without
  // any is no row. A row without a fax number is refused, and so is one
  // with a lacking column mapped to a field, and one cut at a NUL byte
  // (cutAtNul: the line's text ended at a NUL byte with more after it),
  // which makes a row even of a line without values before the NUL.
  bool Load(std::string_view line, int lineNumber, ImportRow* row, bool cutAtNul = false,
            const std::vector<LackingColumn>* lacking = nullptr);

  // The same for a line of a UTF-8 file (or of a UTF-16 file, made UTF-8:
  // source kUtf16): its values are converted to the code page, each one the
  // page cannot hold refused with its character.
  bool LoadUtf8(std::string_view line, int lineNumber, ImportRow* row, bool cutAtNul = false,
                Charset source = Charset::kUtf8);

 private:
  struct Target {
    int column;
    int field;
    int part;  // 0 the field's column, 1 its joined column
  };
  std::vector<Target> targets_;  // sorted by column
  bool joins_ = false;
  rules::TextRules rules_;
  std::string value_;
  std::string scratch_;
  std::array<std::string, rules::kFieldCount> second_;  // joined parts of a line
  std::string converted_;
  std::string field_;
  std::vector<LackingColumn> lacking_;
};

// Reads every data record of the CSV file at path (its first record is the
// header; a quoted field may span lines, see csv_records.h) into rows, in
// file order. A UTF-8 or UTF-16 file's values are converted to the code
// page; its byte-order mark is passed over. False on a file error, with *rows empty;
// an empty file or a header alone give no rows and true. Reading stops once
// *rows holds more than maxRows rows (the rest of the file is not looked
// at), for a caller that refuses that many.
bool LoadCsvRows(sys::FileSystem& files, const std::string& path, const ColumnMapping& mapping,
                 const rules::TextRules& rules, ImportRows* rows,
                 Charset charset = Charset::kCodePage, std::size_t maxRows = SIZE_MAX);

}  // namespace csv
