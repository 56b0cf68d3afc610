// The lines of a book file. The writer ends each line with CR LF (text
// mode); the reader, as text mode reads, ends a line only at LF and drops
// the CR just before it. A CR anywhere else is a byte of the line.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace store {

// Walks the lines of a file's bytes. A last line without an end counts.
class LineCursor {
 public:
  explicit LineCursor(std::string_view bytes) : bytes_(bytes) {}
  bool Next(std::string_view* line);
  // 1-based number of the line Next returned last.
  int LineNumber() const { return number_; }

 private:
  std::string_view bytes_;
  std::size_t pos_ = 0;
  int number_ = 0;
};

// Finds the lines of a file handed on in pieces, as a reader delivers it:
// a line may span pieces. Each complete line goes to onLine(line); the view
// is valid only during the call.
class LineJoiner {
 public:
  template <typename OnLine>
  void Feed(std::string_view piece, OnLine&& onLine) {
    while (!piece.empty()) {
      const std::size_t lf = piece.find('\n');
      if (lf == std::string_view::npos) {
        carry_.append(piece);
        return;
      }
      if (carry_.empty()) {
        onLine(Trim(piece.substr(0, lf)));
      } else {
        carry_.append(piece.substr(0, lf));
        onLine(Trim(carry_));
        carry_.clear();
      }
      piece.remove_prefix(lf + 1);
    }
  }

  // The last line, when the file does not end with a line end.
  template <typename OnLine>
  void Finish(OnLine&& onLine) {
    if (!carry_.empty()) onLine(std::string_view(carry_));
    carry_.clear();
  }

 private:
  static std::string_view Trim(std::string_view line) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return line;
  }

  std::string carry_;
};

}  // namespace store
