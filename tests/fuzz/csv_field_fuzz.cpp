// The field splitter takes any bytes: it always makes progress, never
// returns more than it was given, gives what the plain reader gives (and
// what the in-place reader makes of a copy), and quoting a field reads it
// back whole. The two canonical-field scans give the same answers on the
// same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "store/csv_field.h"
#include "store/text_fields.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::string_view rest = bytes, plainRest = bytes;
  std::string scratch, plainScratch;
  std::string copy(bytes);
  char* at = &copy[0];
  char* const end = at + copy.size();
  while (!rest.empty()) {
    const std::size_t before = rest.size();
    const std::string field = store::NextCsvField(&rest);
    if (rest.size() >= before || field.size() > before) std::abort();
    if (store::NextCsvFieldViewPlain(&plainRest, &plainScratch) != field) std::abort();
    if (plainRest.size() != rest.size()) std::abort();
    if (store::NextCsvFieldInPlace(&at, end) != field) std::abort();
    if (static_cast<std::size_t>(end - at) != rest.size()) std::abort();
    std::string_view quoted_rest;
    const std::string quoted = store::QuoteField(field);
    quoted_rest = quoted;
    if (store::NextCsvField(&quoted_rest) != field || !quoted_rest.empty()) std::abort();
  }
  store::CanonicalFields masks, byField;
  const bool a = store::ScanCanonicalFieldsByMasks(bytes, &scratch, &masks);
  const bool b = store::ScanCanonicalFieldsByField(bytes, &plainScratch, &byField);
  if (a != b) std::abort();
  if (a && (masks.reading != byField.reading || masks.nameEmpty != byField.nameEmpty ||
            masks.respect != byField.respect)) {
    std::abort();
  }
  return 0;
}
