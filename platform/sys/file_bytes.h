// The bytes of a file read whole, in memory of their own that is filled
// once and then only read: sized from the file, so that reading a large
// file costs one allocation and one pass, never a copy per doubling.
#pragma once

#include <cstddef>
#include <string_view>

#include "platform/sys/large_block.h"

namespace sys {

class FileBytes {
 public:
  FileBytes() = default;
  // A copy of bytes already in memory.
  explicit FileBytes(std::string_view bytes);
  FileBytes(FileBytes&&) = default;
  FileBytes& operator=(FileBytes&&) = default;

  std::string_view View() const { return std::string_view(block_.Data(), size_); }
  std::size_t Size() const { return size_; }
  bool Empty() const { return size_ == 0; }
  // Whether a view lies within these bytes.
  bool Holds(std::string_view part) const;

  // For readers. Room for `more` bytes after those held (moved to a larger
  // block when there is not); returns where they go.
  char* Room(std::size_t more);
  // The next `bytes` bytes at Room's answer are filled.
  void Filled(std::size_t bytes) { size_ += bytes; }
  // Appends bytes (Room and Filled).
  void Append(std::string_view bytes);
  void Clear();

 private:
  LargeBlock block_;
  std::size_t size_ = 0;
};

}  // namespace sys
