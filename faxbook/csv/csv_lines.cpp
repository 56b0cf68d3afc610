#include "faxbook/csv/csv_lines.h"

namespace csv {

namespace {

bool Emit(std::string_view line, const LineSink& sink) {
  const std::size_t nul = line.find('\0');
  if (nul == std::string_view::npos) return sink(line, false);
  const bool cut = line.find_first_not_of('\0', nul) != std::string_view::npos;
  return sink(line.substr(0, nul), cut);
}

}  // namespace

bool LineSplitter::Feed(std::string_view piece, const LineSink& sink) {
  return joiner_.Feed(piece, [&](std::string_view line) { return Emit(line, sink); });
}

bool LineSplitter::Finish(const LineSink& sink) {
  // A last line without a line feed loses a CR at its end too.
  return joiner_.Finish([&](std::string_view line) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return Emit(line, sink);
  });
}

bool ReadLines(sys::FileSystem& files, const std::string& path, const LineSink& sink) {
  LineSplitter splitter;
  bool stopped = false;
  const bool read = files.ReadPieces(path, [&](std::string_view piece) {
    stopped = !splitter.Feed(piece, sink);
    return !stopped;
  });
  if (!read) return false;
  if (!stopped) splitter.Finish(sink);
  return true;
}

bool ReadFirstLine(sys::FileSystem& files, const std::string& path, std::string* line) {
  bool found = false;
  const bool read = ReadLines(files, path, [&](std::string_view first, bool) {
    line->assign(first);
    found = true;
    return false;
  });
  return read && found;
}

}  // namespace csv
