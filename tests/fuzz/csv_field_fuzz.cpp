// The field splitter takes any bytes: it always makes progress, never
// returns more than it was given, and quoting a field reads it back whole.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "store/csv_field.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view rest(reinterpret_cast<const char*>(data), size);
  while (!rest.empty()) {
    const std::size_t before = rest.size();
    const std::string field = store::NextCsvField(&rest);
    if (rest.size() >= before || field.size() > before) std::abort();
    std::string_view quoted_rest;
    const std::string quoted = store::QuoteField(field);
    quoted_rest = quoted;
    if (store::NextCsvField(&quoted_rest) != field || !quoted_rest.empty()) std::abort();
  }
  return 0;
}
