#include "platform/sys/file_bytes.h"

#include <cstring>
#include <functional>

namespace sys {

FileBytes::FileBytes(std::string_view bytes) { Append(bytes); }

bool FileBytes::Holds(std::string_view part) const {
  if (size_ == 0) return false;
  const std::less_equal<const char*> atOrBefore;
  const char* start = block_.Data();
  return atOrBefore(start, part.data()) && atOrBefore(part.data() + part.size(), start + size_);
}

char* FileBytes::Room(std::size_t more) {
  if (block_.Size() - size_ < more) {
    // Only a file that grows while it is read gets here after its first
    // block: double, so that even then the copies add up to its size.
    std::size_t want = size_ + more;
    if (size_ > 0 && want < size_ * 2) want = size_ * 2;
    LargeBlock larger(want);
    if (size_ > 0) std::memcpy(larger.Data(), block_.Data(), size_);
    block_ = std::move(larger);
  }
  return block_.Data() + size_;
}

void FileBytes::Append(std::string_view bytes) {
  if (bytes.empty()) return;
  std::memcpy(Room(bytes.size()), bytes.data(), bytes.size());
  Filled(bytes.size());
}

void FileBytes::Clear() {
  block_ = LargeBlock();
  size_ = 0;
}

}  // namespace sys
