// A record written again from fields, so that the field splitter takes
// back exactly those fields: what a UTF-8 line becomes once its values are
// converted one by one to the code page.
#pragma once

#include <string>
#include <string_view>

namespace csv {

// Appends one field to *record, after a comma unless it is the first one:
// quoted as the book quotes its fields, and an empty field as "" (an empty
// last field written bare would be no field at all: the splitter takes
// fields only while the rest of the line is not empty).
void AppendRecordField(std::string_view field, bool first, std::string* record);

// A record of tab-separated fields (read as the field splitter reads commas)
// written again with commas between them: *out gives the splitter the same
// fields, as many as there were.
void TabRecordToCommaRecord(std::string_view record, std::string* out);

}  // namespace csv
