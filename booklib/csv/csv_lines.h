// The lines of a CSV file, as the runtime's text mode reads them.
//
// A line ends at a line feed; a carriage return just before it is dropped
// (a lone one stays in the line). A last line without a line feed counts;
// an empty file has no lines. A NUL byte ends the line's text, as it ends
// a C string; the reader is told when bytes other than NULs followed it,
// so that what they held is not lost without a word. Lines may be of any
// length: they are gathered across the pieces of the file.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "booklib/csv/charset.h"
#include "platform/sys/file_system.h"
#include "store/book_lines.h"

namespace csv {

// Gets each line's text and whether a NUL byte cut it short (bytes other
// than NULs followed the first one); returns false to stop reading.
using LineSink = std::function<bool(std::string_view line, bool cutAtNul)>;

class LineSplitter {
 public:
  // Hands every line that the piece completes to sink; false when the sink
  // stopped.
  bool Feed(std::string_view piece, const LineSink& sink);
  // The end of the input: hands over a last line that has no line feed.
  bool Finish(const LineSink& sink);

 private:
  store::LineJoiner joiner_;
};

// Reads the lines of the file at path in order until the end or until sink
// stops. False when the file cannot be opened or read (the sink has then
// seen some lines, or none). The lines of a UTF-16 file come as UTF-8 (see
// utf16.h); of any other file as its bytes, a UTF-8 file's byte-order mark
// passed over.
bool ReadLines(sys::FileSystem& files, const std::string& path, const LineSink& sink,
               Charset charset = Charset::kCodePage);

// The first line of the file; false when the file cannot be read or has no
// line.
bool ReadFirstLine(sys::FileSystem& files, const std::string& path, std::string* line);

}  // namespace csv
