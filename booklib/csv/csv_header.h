// The header line of a CSV file as the mapping dialog offers it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace csv {

// The mapping combo boxes offer at most this many header columns; the
// columns of a longer header cannot be chosen (no real address list has
// that many, and a binary file could otherwise fill the boxes for minutes).
constexpr std::size_t kMaxHeaderEntries = 1024;

// The number of fields the field splitter takes from the line: fields are
// taken while the rest of the line is not empty, so a trailing comma adds
// none and an empty line has none.
int CountColumns(std::string_view line);

// One entry per column of the header line, in column order, at most
// maxEntries: a non-empty field between double quotes ("Name"); an empty
// field at column i as "(" + noField + " " + i + ")".
std::vector<std::string> HeaderEntries(std::string_view line, const std::string& noField,
                                       std::size_t maxEntries = kMaxHeaderEntries);

}  // namespace csv

#include "booklib/csv/charset.h"
#include "platform/sys/file_system.h"

namespace csv {

// The header record of a file as the import sees it.
struct CsvHeader {
  // In the code page (a UTF-8 or UTF-16 file's converted, its mark passed
  // over, a character the page lacks shown as "?"; a tab-separated UTF-16
  // file's with commas).
  std::string line;
  // Each field in UTF-8, for recognising the names programs write.
  std::vector<std::string> utf8Fields;
};

// Reads the first record of the file in the given character set. False when
// the file cannot be read or is empty.
bool ReadHeader(sys::FileSystem& files, const std::string& path, Charset charset, int codePage,
                CsvHeader* header);

}  // namespace csv
