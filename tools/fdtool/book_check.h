// fdtool check: what the editor's load and apply (and fdtool normalize)
// would make of a book, and everything of the file's content they would not
// keep.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace fdtool {

struct CheckReport {
  int entries = 0;       // entry lines read
  int addresses = 0;
  int groups = 0;
  int members = 0;       // member lines the group table accepted
  int ignoredLines = 0;  // lines of no entry and no member (comments, other keys, wrong kinds)
  // "line N: why", in line order; empty when a rewrite keeps everything.
  std::vector<std::string> problems;
};

// Reads the book's bytes as the editor does under the interface language
// langId (code page codePage) and lists, one line each, what would be lost
// or changed: entries and members beyond the limits, members the group
// table refuses or that belong to no group, entries dropped for repeating
// the reading before them, repeated registration numbers, honorifics
// outside 0..3, kinds written back as addresses, lines cut at a NUL byte,
// fields too long for the dialogs, lines the writer does not write back,
// and lines written back differently.
CheckReport CheckBook(std::string_view bytes, int langId, int codePage);

}  // namespace fdtool
