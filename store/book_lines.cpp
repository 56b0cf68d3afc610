#include "store/book_lines.h"

namespace store {

bool LineCursor::Next(std::string_view* line) {
  if (pos_ >= bytes_.size()) return false;
  std::size_t end = bytes_.find('\n', pos_);
  const std::size_t next = end == std::string_view::npos ? bytes_.size() : end + 1;
  if (end == std::string_view::npos) end = bytes_.size();
  std::size_t stop = end;
  if (end < bytes_.size() && stop > pos_ && bytes_[stop - 1] == '\r') --stop;
  *line = bytes_.substr(pos_, stop - pos_);
  pos_ = next;
  ++number_;
  return true;
}

}  // namespace store
