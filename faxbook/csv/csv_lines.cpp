#include "faxbook/csv/csv_lines.h"

namespace csv {

bool LineSplitter::Emit(std::string_view line, const LineSink& sink) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  const std::size_t nul = line.find('\0');
  if (nul == std::string_view::npos) return sink(line, false);
  const bool cut = line.find_first_not_of('\0', nul) != std::string_view::npos;
  return sink(line.substr(0, nul), cut);
}

bool LineSplitter::Feed(std::string_view piece, const LineSink& sink) {
  while (!piece.empty()) {
    const std::size_t end = piece.find('\n');
    if (end == std::string_view::npos) {
      pending_.append(piece);
      hasPending_ = true;
      return true;
    }
    bool go;
    if (hasPending_) {
      pending_.append(piece.substr(0, end));
      go = Emit(pending_, sink);
      pending_.clear();
      hasPending_ = false;
    } else {
      go = Emit(piece.substr(0, end), sink);
    }
    if (!go) return false;
    piece.remove_prefix(end + 1);
  }
  return true;
}

bool LineSplitter::Finish(const LineSink& sink) {
  if (!hasPending_) return true;
  hasPending_ = false;
  const bool go = Emit(pending_, sink);
  pending_.clear();
  return go;
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
