#include "tools/fdtool/csv_options.h"

#include <climits>
#include <cstdlib>

#include "booklib/csv/csv_export.h"
#include "store/address_record.h"

namespace fdtool {

bool ApplyMapOption(const std::string& text, csv::ColumnMapping* mapping,
                    std::string* error) {
  if (text.empty()) return true;
  csv::ColumnMapping result = *mapping;
  std::size_t at = 0;
  while (at <= text.size()) {
    std::size_t end = text.find(',', at);
    if (end == std::string::npos) end = text.size();
    const std::string item = text.substr(at, end - at);
    const std::size_t equals = item.find('=');
    const std::string name = item.substr(0, equals);
    std::size_t field = store::kTextFieldCount;
    for (std::size_t i = 0; i < store::kTextFieldCount; ++i) {
      if (name == store::kTextFields[i].name) field = i;
    }
    if (equals == std::string::npos || field == store::kTextFieldCount) {
      *error = "--map: \"" + item + "\" is not FIELD=COLUMN with a field name of the book";
      return false;
    }
    const std::string column = item.substr(equals + 1);
    bool digits = !column.empty() && column.size() <= 10;
    for (char c : column) digits = digits && c >= '0' && c <= '9';
    const long long value = digits ? std::strtoll(column.c_str(), nullptr, 10) : -2;
    if (column != "-1" && (!digits || value > INT_MAX)) {
      *error = "--map: the column of " + name + " must be an index from 0, or -1";
      return false;
    }
    result.columns[field] = column == "-1" ? -1 : static_cast<int>(value);
    at = end + 1;
  }
  *mapping = result;
  return true;
}

std::string ExportHeader() { return csv::ExportHeader(); }

}  // namespace fdtool
