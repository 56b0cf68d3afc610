#include "faxpick/startup/command_line.h"

namespace picker {
namespace {

constexpr std::size_t kReadable = 260;
constexpr std::size_t kVersionChars = 15;

// From `from` up to the next quote or the end.
std::string_view UpToQuote(std::string_view line, std::size_t from, std::size_t* end) {
  if (from >= line.size()) {
    *end = line.size();
    return std::string_view();
  }
  const std::size_t quote = line.find('"', from);
  *end = quote == std::string_view::npos ? line.size() : quote;
  return line.substr(from, *end - from);
}

}  // namespace

SpoolerArguments ParseCommandLine(std::string_view line) {
  SpoolerArguments args;
  if (line.empty()) return args;
  line = line.substr(0, kReadable);
  std::size_t end = 0;
  args.path = std::string(UpToQuote(line, 1, &end));
  args.version = std::string(UpToQuote(line, end + 3, &end).substr(0, kVersionChars));
  return args;
}

}  // namespace picker
