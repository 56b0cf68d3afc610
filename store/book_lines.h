// The lines of a book file. The writer ends each line with CR LF (text
// mode); the reader, as text mode reads, ends a line only at LF and drops
// the CR just before it. A CR anywhere else is a byte of the line.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <type_traits>

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
// is valid only during the call. An onLine that returns bool stops the
// lines with false, and Feed and Finish then return false.
class LineJoiner {
 public:
  template <typename OnLine>
  bool Feed(std::string_view piece, OnLine&& onLine) {
    while (!piece.empty()) {
      const std::size_t lf = piece.find('\n');
      if (lf == std::string_view::npos) {
        carry_.append(piece);
        return true;
      }
      bool go;
      if (carry_.empty()) {
        go = Call(onLine, Trim(piece.substr(0, lf)));
      } else {
        carry_.append(piece.substr(0, lf));
        go = Call(onLine, Trim(carry_));
        carry_.clear();
      }
      if (!go) return false;
      piece.remove_prefix(lf + 1);
    }
    return true;
  }

  // The last line, when the file does not end with a line end; a CR at its
  // end stays.
  template <typename OnLine>
  bool Finish(OnLine&& onLine) {
    if (carry_.empty()) return true;
    const bool go = Call(onLine, std::string_view(carry_));
    carry_.clear();
    return go;
  }

 private:
  static std::string_view Trim(std::string_view line) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return line;
  }
  template <typename OnLine>
  static bool Call(OnLine& onLine, std::string_view line) {
    if constexpr (std::is_void_v<decltype(onLine(line))>) {
      onLine(line);
      return true;
    } else {
      return onLine(line);
    }
  }

  std::string carry_;
};

}  // namespace store
