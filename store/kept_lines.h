// The member lines of a book's bytes that wait to be read, chained group by
// group in file order, in blocks of large memory that the next book reuses:
// noting the 80 000 member lines of the largest book costs one block and
// no allocation per group.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/sys/large_block.h"

namespace store {

class KeptLines {
 public:
  // Where a member line's fields lie in the bytes.
  struct Line {
    std::uint32_t fields = 0;  // where they start
    std::uint32_t size = 0;    // their bytes, to the line's end (or a NUL before it)
    std::uint8_t prefix = 0;   // bytes of the line before them (255: as many or more)
    bool wholeLine = false;    // they end the line, and CR LF ends it
  };
  // The lines of one group, first to last.
  struct Chain {
    std::uint32_t first = 0;  // place + 1; 0: none
    std::uint32_t last = 0;
    std::uint32_t count = 0;
    bool Empty() const { return first == 0; }
  };

  void Append(Chain* chain, const Line& line);
  // Hands the chain's lines to each(line) in order and empties it.
  template <typename Each>
  void Take(Chain* chain, Each each) {
    for (std::uint32_t at = chain->first; at != 0;) {
      const Stored& stored = StoredAt(at - 1);
      each(stored.line);
      at = stored.next;
    }
    Drop(chain);
  }
  // Forgets the chain's lines.
  void Drop(Chain* chain);
  void Clear();
  std::size_t Bytes() const { return blocks_.size() * kBlockBytes; }

 private:
  struct Stored {
    Line line;
    std::uint32_t next = 0;  // place + 1 of the chain's next line; 0: the last
  };
  static constexpr std::size_t kBlockBytes = sys::LargeBlock::kPreferredBytes;
  static constexpr std::size_t kPerBlock = kBlockBytes / sizeof(Stored);
  Stored& StoredAt(std::uint32_t place) const;

  std::vector<sys::LargeBlock> blocks_;
  std::uint32_t size_ = 0;      // places used
  std::size_t waiting_ = 0;     // lines in chains not taken: at 0 the blocks go back
};

}  // namespace store
