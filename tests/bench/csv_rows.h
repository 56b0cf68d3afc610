// CSV files for the import benchmarks, in code page 932.
#pragma once

#include <string>

namespace bench {

// A header line and `rows` rows as an address list exported from another
// tool: kanji names, kana readings, fax numbers, a company and a
// recipient. With `refused`, one row in fifty has a kanji reading (refused);
// one in twenty has an over-long company name. The same rows on every call.
std::string AddressListCsv(int rows, bool refused);

}  // namespace bench
