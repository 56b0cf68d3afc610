// What the CSV fuzz targets make of their input's first byte, and the
// checks every loaded row must pass.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "booklib/csv/import_row.h"
#include "booklib/csv/row_reasons.h"
#include "booklib/rules/field_rules.h"

namespace csvfuzz {

// The language (and its code page) the first byte chooses, the size of the
// pieces the file is read in, and the bytes after it as the file.
struct Input {
  rules::TextRules rules;
  std::size_t piece;
  std::string bytes;
};

inline Input Read(const std::uint8_t* data, std::size_t size) {
  const int langIds[] = {1041, 1033, 2052, 1029};
  const int codePages[] = {932, 1252, 936, 1250};
  const int which = data[0] & 3;
  return {rules::TextRules{langIds[which], codePages[which]},
          static_cast<std::size_t>(1 + (data[0] >> 2)),
          std::string(reinterpret_cast<const char*>(data) + 1, size - 1)};
}

// Every marked row says why, and every row refused for its text (a
// character the page lacks, bytes of no character) or for its missing fax
// number is kept from the book.
inline void CheckReasons(const csv::ImportRows& rows, int codePage) {
  const csv::ReasonTexts texts = csv::EnglishReasonTexts(codePage);
  for (const csv::ImportRow& row : rows) {
    if ((row.score > 0) != !csv::DescribeRow(row, texts).empty()) std::abort();
    if ((row.noFax || !row.lackingChars.empty()) && row.score < csv::kRefusedScore) std::abort();
    if (row[rules::Field::kFaxNumber].empty() && row.score < csv::kRefusedScore) std::abort();
  }
}

}  // namespace csvfuzz
