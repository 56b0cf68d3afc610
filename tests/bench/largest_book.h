// The largest book the limits allow, for benchmarks and load tests.
#pragma once

#include <string>

namespace bench {

// 3000 entries: 2900 addresses and 100 groups of 80 members. Every text is
// at its byte limit and mixes Shift-JIS double-byte text, half-width
// katakana, commas and double quotes (so that quoting is exercised).
// Readings are unique; the file is in the order the editor writes it, byte
// for byte as apply writes it (no ideographic space, which the reader would
// read as two spaces).
std::string LargestBookBytes();

// 3000 entries as well, with the most member lines: 2000 addresses and 1000
// groups of 80 members each (80000 member lines), texts as above.
std::string LargestGroupBookBytes();
// The same with `groups` groups of 80 among the 3000 entries.
std::string GroupBookBytes(int groups);

// A hand-made book far over the limits: `lines` entry lines of about 100
// bytes, unique readings, no groups.
std::string EntryLinesBytes(int lines);

}  // namespace bench
