#include "store/text_fields.h"

#include "platform/text/blanks.h"
#include "store/book_format.h"
#include "store/byte_scan.h"
#include "store/csv_field.h"

namespace store {
namespace {

// Whether the bytes 0x81 0x40 (an ideographic space, when they form one
// character) occur; found by their rarer second byte.
bool HasWideSpace(std::string_view text) {
  if (!scan::Contains(text, 0x40, 0x40)) return false;
  for (std::size_t at = text.find('\x40', 1); at != std::string_view::npos;
       at = text.find('\x40', at + 1)) {
    if (text[at - 1] == '\x81') return true;
  }
  return false;
}

// The next text field, normalised: viewed in the line when it needs no
// change, else in *scratch.
std::string_view NextText(std::string_view* rest, int codePage, std::string* scratch) {
  std::string_view field = NextCsvFieldView(rest, scratch);
  if (codePage != 932 || !HasWideSpace(field)) return text::TrimBlanks(field);
  std::string normalised;
  text::NormaliseSpacesInto(codePage, field, &normalised);
  scratch->swap(normalised);
  return *scratch;
}

}  // namespace

void ReadTextFields(std::string_view* rest, int codePage, FieldScratch* scratch, TextsView* out) {
  for (std::size_t i = 0; i < kTextFieldCount; ++i) {
    out->texts[i] = NextText(rest, codePage, &scratch->texts[i]);
  }
  out->respect = static_cast<int>(ParseDecimal(NextCsvFieldView(rest, &scratch->number)));
}

std::string_view ReadReading(std::string_view fields, int codePage, FieldScratch* scratch) {
  SkipCsvField(&fields);
  return NextText(&fields, codePage, &scratch->texts[1]);
}

}  // namespace store
