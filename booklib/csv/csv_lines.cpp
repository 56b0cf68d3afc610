#include "booklib/csv/csv_lines.h"

#include "booklib/csv/utf16.h"

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

bool ReadLines(sys::FileSystem& files, const std::string& path, const LineSink& sink,
               Charset charset) {
  LineSplitter splitter;
  bool stopped = false;
  const bool utf16 = charset == Charset::kUtf16;
  Utf16Decoder decoder;
  std::string decoded;
  // A UTF-8 file's byte-order mark is no text of its first line; it may
  // come in pieces of one byte.
  bool markPassed = charset != Charset::kUtf8;
  std::string head;
  const auto feed = [&](std::string_view piece) {
    if (!markPassed) {
      head.append(piece);
      if (head.size() < kUtf8Bom.size() && kUtf8Bom.substr(0, head.size()) == head) return true;
      markPassed = true;
      piece = head;
      if (piece.substr(0, kUtf8Bom.size()) == kUtf8Bom) piece.remove_prefix(kUtf8Bom.size());
    }
    if (utf16) {
      decoded.clear();
      decoder.Feed(piece, &decoded);
      piece = decoded;
    }
    stopped = !splitter.Feed(piece, sink);
    return !stopped;
  };
  const bool read = files.ReadPieces(path, feed);
  if (!read) return false;
  if (stopped) return true;
  if (!markPassed) {
    // A file shorter than the mark.
    markPassed = true;
    if (!splitter.Feed(head, sink)) return true;
  }
  if (utf16) {
    decoded.clear();
    decoder.Finish(&decoded);
    if (!splitter.Feed(decoded, sink)) return true;
  }
  splitter.Finish(sink);
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
