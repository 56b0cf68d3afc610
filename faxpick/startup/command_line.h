// The command line the fax driver side starts the picker with:
//   "SPOOLER PATH" "VERSION"
// (a quote, the spooler's full path, a quote, one blank, a quote, the
// version, a quote).
#pragma once

#include <string>
#include <string_view>

namespace picker {

struct SpoolerArguments {
  std::string path;     // the spooler component's full path
  std::string version;  // the version folder's name
};

// Only the first 260 characters of the line count. The path runs from
// the second character to the next quote (or the end); three characters
// after it (quote, blank, quote) the version runs to the next quote (or
// the end) and keeps at most 15 characters. An empty line gives nothing.
SpoolerArguments ParseCommandLine(std::string_view line);

}  // namespace picker
