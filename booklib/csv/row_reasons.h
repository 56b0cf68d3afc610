// Why a row of the import is marked "!" or "?", in words: the editor's
// confirmation shows it for the row, fdtool prints it.
#pragma once

#include <array>
#include <string>

#include "booklib/csv/import_row.h"

namespace csv {

// The words, each with "%1" for the field's name (the names of all the
// fields so marked, for refused and too long) and "%2" for a lacking
// character's code point ("U+20BB7") or for where in the value the bytes
// that are no UTF-8 (or UTF-16) start, counted from 1.
struct ReasonTexts {
  std::array<std::string, rules::kFieldCount> fieldNames;
  std::string refused;       // "characters its field refuses in %1"
  std::string tooLong;       // "too long for its field, cut: %1"
  std::string lacking;       // "%1: %2 is not in the code page"
  std::string notUtf8;       // "not UTF-8 at byte %2 of %1"
  std::string notUtf8Advice; // once after them: "choose the code page"
  std::string notUtf16;      // "not UTF-16 at byte %2 of %1"
  std::string emptyReading;
  std::string noFax;
  std::string cutAtNul;
  std::string separator;     // between reasons
  std::string listSeparator; // between field names
};

// The reasons fdtool prints (the field names of the book file).
ReasonTexts EnglishReasonTexts(int codePage);

// Every reason of the row, refusals before warnings; empty for an
// unmarked row.
std::string DescribeRow(const ImportRow& row, const ReasonTexts& texts);

}  // namespace csv
