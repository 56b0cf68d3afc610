// The largest book the limits allow, for benchmarks and load tests.
#pragma once

#include <string>

namespace bench {

// The largest book the limits allow: 3000 entries, 2000 addresses and 1000
// groups of 80 members, about 24 MB. Every text is at its byte limit and
// mixes Shift-JIS double-byte text, half-width katakana, commas and double
// quotes (so that quoting is exercised). Readings are unique; the file is in
// the order the editor writes it.
constexpr int kLargestBookGroups = 1000;
std::string LargestBookBytes();

// 3000 entries of which `groups` are groups of 80 members (100 groups: a
// book of mostly addresses, 3.3 MB).
std::string BookBytes(int groups);

// A hand-made book far over the limits: `lines` entry lines of about 100
// bytes, unique readings, no groups.
std::string EntryLinesBytes(int lines);

}  // namespace bench
