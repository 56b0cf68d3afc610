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

// One cell of a row in the language's layout; suffixes holds the honorifics
// of RespectSuffix for 0-3.
std::string CellText(const store::AddressRecord& record, bool group, int langId, int column,
                     const std::array<std::string, 4>& suffixes);

// The icons of the rows: address (image 0) and group (image 1).
std::vector<int> ListIconIds();
constexpr int kImageAddress = 0;
constexpr int kImageGroup = 1;
