// Memory for large buffers that are filled from their start and kept for a
// long time, such as the packed texts of a whole book. Where the system
// offers large pages, a block is backed by them: filling it then costs one
// page fault for every 2 MiB instead of one for every 4 KiB, which is most
// of the cost of reading a large book into fresh memory.
#pragma once

#include <cstddef>

namespace sys {

class LargeBlock {
 public:
  // The size at which blocks are best made: a multiple of it is backed by
  // large pages where the system has them.
  static constexpr std::size_t kPreferredBytes = std::size_t(2) << 20;

  LargeBlock() = default;
  // At least `bytes` bytes, not cleared.
  explicit LargeBlock(std::size_t bytes);
  ~LargeBlock();
  LargeBlock(LargeBlock&& other) noexcept;
  LargeBlock& operator=(LargeBlock&& other) noexcept;
  LargeBlock(const LargeBlock&) = delete;
  LargeBlock& operator=(const LargeBlock&) = delete;

  char* Data() const { return data_; }
  std::size_t Size() const { return size_; }

 private:
  void Release();

  char* data_ = nullptr;
  std::size_t size_ = 0;
  bool mapped_ = false;  // from the system's page mapping, not the heap
};

}  // namespace sys
