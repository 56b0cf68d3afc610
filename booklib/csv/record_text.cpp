#include "booklib/csv/record_text.h"

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

void TabRecordToCommaRecord(std::string_view record, std::string* out) {
  out->clear();
  std::string scratch;
  for (bool first = true; !record.empty(); first = false) {
    AppendRecordField(store::NextTabFieldView(&record, &scratch), first, out);
  }
}

}  // namespace csv
