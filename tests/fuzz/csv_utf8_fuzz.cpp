// A CSV file of any bytes, read as the import reads UTF-8 and code-page
// files: the character set is decided whatever the pieces, records cover
// the file's lines in order, the header proposes a mapping within its
// columns, and every marked row has a reason while every refused one is
// kept from the book.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "booklib/csv/charset.h"
#include "booklib/csv/column_mapping.h"
#include "booklib/csv/csv_header.h"
#include "booklib/csv/csv_records.h"
#include "booklib/csv/header_names.h"
#include "booklib/csv/import_row.h"
#include "booklib/csv/row_reasons.h"
#include "platform/fake/fake_file_system.h"
#include "tests/fuzz/csv_fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const csvfuzz::Input input = csvfuzz::Read(data, size);
  const rules::TextRules& rules = input.rules;
  const std::string& bytes = input.bytes;
  sys::FakeFileSystem files;
  files.SetPieceSize(input.piece);
  files.SetFile("in.csv", bytes);

  // The same answer in one piece and in the fake's pieces.
  csv::CharsetDetector whole(rules.codePage);
  whole.Feed(bytes);
  const csv::Charset charset = csv::DetectFileCharset(files, "in.csv", rules.codePage);
  if (whole.Result() != charset) std::abort();

  // Records in file order, none past the bounds, the lines all accounted.
  int nextLine = 1;
  if (!csv::ReadRecords(files, "in.csv", [&](std::string_view record, int first, int lines, bool) {
        if (first != nextLine || lines < 1 || lines > static_cast<int>(csv::kMaxRecordLines)) {
          std::abort();
        }
        if (lines > 1 && record.size() > csv::kMaxRecordBytes + 2 * bytes.size()) std::abort();
        nextLine += lines;
        return true;
      })) {
    std::abort();
  }

  csv::CsvHeader header;
  csv::ColumnMapping mapping = csv::DefaultMapping(rules.langId, 8);
  if (csv::ReadHeader(files, "in.csv", charset, rules.codePage, &header)) {
    const int columns = static_cast<int>(header.utf8Fields.size());
    if (csv::RecognisedMapping(rules.langId, header.utf8Fields, &mapping)) {
      for (int f = 0; f < rules::kFieldCount; ++f) {
        const auto i = static_cast<std::size_t>(f);
        if (mapping.columns[i] >= columns || mapping.joined[i] >= columns) std::abort();
        if (mapping.joined[i] >= 0 && mapping.columns[i] < 0) std::abort();
      }
    }
  }
  csv::ImportRows rows;
  if (!csv::LoadCsvRows(files, "in.csv", mapping, rules, &rows, charset)) std::abort();
  csvfuzz::CheckReasons(rows, rules.codePage);
  return 0;
}
