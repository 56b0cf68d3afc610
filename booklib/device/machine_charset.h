// The fax machine's character set for destination names.
//
// Bytes 1 to 16 stand for national characters and become the byte at a
// position of the interface language's row; every other byte is the same in
// the machine's set and in the code page. Odd codes 1, 3, ..., 15 take the
// positions 0-7, even codes 2, 4, ..., 16 the positions 8-15.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace device {

using CharacterRow = std::array<unsigned char, 16>;

// The rows of the machine's character table, in the table's order.
enum class RowId { kPlain, kGerman, kItalian, kNorwegian, kNordic, kPortuguese, kSpanish, kSymbols };
constexpr int kRowCount = 8;
const CharacterRow& Row(RowId row);

// The row that an interface language selects (the plain row for every
// language without one of its own).
RowId RowForLanguage(int langId);

// The position in a row of the national character code (1..16).
int RowPosition(int code);

// A name field: the bytes up to the first NUL (or all of them), with the
// national character codes replaced through the row of the language.
std::string DecodeMachineName(std::string_view field, int langId);

}  // namespace device
