// The columns of the address list and what each row shows in them.
//
// Japanese (1041): name, reading, fax number, company, department and
// recipient with its honorific. Other languages: the reading (under the
// name header), fax number, company, department, recipient. A group row
// shows its names and empty cells.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "platform/ui/resources.h"
#include "store/address_record.h"

// The header string ids of a language's layout, in column order.
std::vector<int> ColumnHeaderIds(int langId);

// The column that shows the reading: 1 in Japanese, 0 otherwise. Loads,
// saves and the initial sort order the list by it.
int ReadingColumn(int langId);

// Every column as wide as the list divided by the number of columns, less
// one pixel.
int ColumnWidthFor(int listWidth, int columnCount);

// The honorific shown after the recipient name: strings 61281-61283 (" 様",
// " 殿", " 御中") for 1-3, nothing for any other value.
std::string RespectSuffix(int respect, ui::Resources& resources);

// The cell texts of one row in the language's layout.
std::vector<std::string> RowTexts(const store::AddressRecord& record, bool group, int langId,
                                  ui::Resources& resources);
