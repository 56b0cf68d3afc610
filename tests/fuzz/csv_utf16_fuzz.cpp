// A CSV file of any bytes read as UTF-16: the text is the same whatever the
// pieces, records cover the file's lines in order, the header proposes a
// mapping within its columns, every marked row has a reason and every
// refused one is kept from the book; and a file whose text is whole and
// comma-separated gives the rows its UTF-8 form gives.
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
#include "booklib/csv/utf16.h"
#include "platform/fake/fake_file_system.h"
#include "tests/fuzz/csv_fuzz_input.h"

namespace {

// The decoder writes what is no UTF-16 as bytes that are no UTF-8: a lone
// surrogate as ED A0-BF .., an odd last byte as FF. Anything else it writes
// is UTF-8.
bool WholeText(const std::string& text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto b = static_cast<unsigned char>(text[i]);
    if (b == 0xFF || (b == 0xED && i + 1 < text.size() &&
                      static_cast<unsigned char>(text[i + 1]) >= 0xA0)) {
      return false;
    }
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const csvfuzz::Input input = csvfuzz::Read(data, size);
  const rules::TextRules& rules = input.rules;
  const std::string& bytes = input.bytes;
  const std::size_t piece = input.piece;
  sys::FakeFileSystem files;
  files.SetPieceSize(piece);
  files.SetFile("in.csv", bytes);

  // The same text in one piece and in the fake's pieces.
  std::string whole, pieces;
  csv::Utf16Decoder one, many;
  one.Feed(bytes, &whole);
  one.Finish(&whole);
  for (std::size_t at = 0; at < bytes.size(); at += piece) {
    many.Feed(std::string_view(bytes).substr(at, piece), &pieces);
  }
  many.Finish(&pieces);
  if (whole != pieces) std::abort();

  int nextLine = 1;
  if (!csv::ReadRecords(files, "in.csv", [&](std::string_view, int first, int lines, bool) {
        if (first != nextLine || lines < 1 || lines > static_cast<int>(csv::kMaxRecordLines)) {
          std::abort();
        }
        nextLine += lines;
        return true;
      }, csv::Charset::kUtf16)) {
    std::abort();
  }

  csv::CsvHeader header;
  csv::ColumnMapping mapping = csv::DefaultMapping(rules.langId, 8);
  if (csv::ReadHeader(files, "in.csv", csv::Charset::kUtf16, rules.codePage, &header)) {
    const int columns = static_cast<int>(header.utf8Fields.size());
    if (csv::CountColumns(header.line) != columns && columns < 1024) std::abort();
    if (csv::RecognisedMapping(rules.langId, header.utf8Fields, &mapping)) {
      for (int f = 0; f < rules::kFieldCount; ++f) {
        const auto i = static_cast<std::size_t>(f);
        if (mapping.columns[i] >= columns || mapping.joined[i] >= columns) std::abort();
      }
    }
  }
  csv::ImportRows rows;
  if (!csv::LoadCsvRows(files, "in.csv", mapping, rules, &rows, csv::Charset::kUtf16)) {
    std::abort();
  }
  csvfuzz::CheckReasons(rows, rules.codePage);

  // Whole text without tabs in its first line: the UTF-8 file of that text
  // gives the same rows.
  const std::string firstLine = whole.substr(0, whole.find('\n'));
  if (!WholeText(whole) || firstLine.find('\t') != std::string::npos) return 0;
  files.SetFile("in8.csv", std::string(csv::kUtf8Bom) + whole);
  csv::ImportRows rows8;
  if (!csv::LoadCsvRows(files, "in8.csv", mapping, rules, &rows8, csv::Charset::kUtf8)) {
    std::abort();
  }
  if (rows8.size() != rows.size()) std::abort();
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (rows[i].values != rows8[i].values || rows[i].score != rows8[i].score ||
        rows[i].line != rows8[i].line) {
      std::abort();
    }
  }
  return 0;
}
