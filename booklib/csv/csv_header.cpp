#include "booklib/csv/csv_header.h"

#include "booklib/csv/csv_records.h"
#include "booklib/csv/record_text.h"
#include "platform/sys/text_convert.h"
#include "store/csv_field.h"

namespace csv {

int CountColumns(std::string_view line) {
  int count = 0;
  std::string scratch;
  while (!line.empty()) {
    store::NextCsvFieldView(&line, &scratch);
    ++count;
  }
  return count;
}

std::vector<std::string> HeaderEntries(std::string_view line, const std::string& noField,
                                       std::size_t maxEntries) {
  std::vector<std::string> entries;
  std::string scratch;
  for (std::size_t column = 0; !line.empty() && column < maxEntries; ++column) {
    const std::string_view field = store::NextCsvFieldView(&line, &scratch);
    if (field.empty()) {
      entries.push_back("(" + noField + " " + std::to_string(column) + ")");
    } else {
      entries.push_back("\"" + std::string(field) + "\"");
    }
  }
  return entries;
}

}  // namespace csv

namespace csv {

bool ReadHeader(sys::FileSystem& files, const std::string& path, Charset charset, int codePage,
                CsvHeader* header) {
  header->line.clear();
  header->utf8Fields.clear();
  std::string record;
  if (!ReadFirstRecord(files, path, &record, charset)) return false;
  std::string scratch, converted;
  Unconverted lacking;
  if (charset != Charset::kCodePage) {
    std::string_view raw = record;
    // Field by field, so that a lacking character stays in its field.
    for (std::size_t column = 0; !raw.empty() && column < kMaxHeaderEntries; ++column) {
      const std::string_view field = store::NextCsvFieldView(&raw, &scratch);
      header->utf8Fields.emplace_back(field);
      Utf8ValueToCodePage(codePage, field, &converted, &lacking);
      AppendRecordField(converted, column == 0, &header->line);
    }
    return true;
  }
  header->line = record;
  std::string_view rest = record;
  for (std::size_t column = 0; !rest.empty() && column < kMaxHeaderEntries; ++column) {
    const std::string_view field = store::NextCsvFieldView(&rest, &scratch);
    if (!sys::CodePageToUtf8(codePage, field, &converted)) converted.clear();
    header->utf8Fields.push_back(converted);
  }
  return true;
}

}  // namespace csv
