#include "faxbook/csv/csv_header.h"

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
