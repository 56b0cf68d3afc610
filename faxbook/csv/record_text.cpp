#include "faxbook/csv/record_text.h"

#include "store/csv_field.h"

namespace csv {

void AppendRecordField(std::string_view field, bool first, std::string* record) {
  if (!first) record->push_back(',');
  if (field.empty()) {
    record->append("\"\"");
  } else {
    store::AppendQuotedField(field, record);
  }
}

}  // namespace csv
