// The options of fdtool's CSV commands.
#pragma once

#include <string>

#include "booklib/csv/column_mapping.h"

namespace fdtool {

// Applies "FIELD=COLUMN,..." to a mapping: FIELD one of DispName,
// DispNameJP, FaxNumber, SubAddress, Password, CompanyName, DepartmentName,
// ClientName; COLUMN an index from 0, or -1 for none. False with a message
// for anything else (the mapping is then unchanged).
bool ApplyMapOption(const std::string& text, csv::ColumnMapping* mapping,
                    std::string* error);

// The header line export-csv writes: the field names in the column order of
// the Japanese default mapping.
std::string ExportHeader();

}  // namespace fdtool
