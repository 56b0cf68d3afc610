// The bytes of a book file as they were last read or written, which the
// editor keeps as the base of its next merge.
//
// A book read is one buffer, which the group table shares: its members
// stay where their lines lie in it. A book written is kept as its formatted
// parts and, for the groups whose member lines were copied from such a
// buffer, the runs they were copied from, so that keeping what was written
// costs no second copy of the book.
#pragma once

#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

#include "platform/sys/file_bytes.h"

namespace store {

// A buffer of bytes read, shared by whoever keeps them; never changed.
using SharedBytes = std::shared_ptr<const sys::FileBytes>;

class BookBytes {
 public:
  BookBytes() = default;
  // The bytes of a read.
  explicit BookBytes(SharedBytes read);

  std::size_t Size() const { return size_; }
  bool Empty() const { return size_ == 0; }
  // The bytes as one run: those of a read where they are; the parts of a
  // write joined on the first call (and kept for the next ones).
  std::string_view View() const;
  // The bytes held apart from shared buffers.
  std::size_t OwnBytes() const { return own_.Size(); }

  // For writers, in the order of the bytes: bytes of their own, and a run
  // that lies within a shared buffer.
  void AppendOwn(std::string_view bytes);
  void AppendShared(const SharedBytes& from, std::string_view run);

 private:
  struct Piece {
    SharedBytes from;  // null: a part of own_
    std::size_t at = 0;
    std::size_t size = 0;
  };
  std::vector<Piece> pieces_;
  sys::FileBytes own_;
  std::size_t size_ = 0;
  mutable sys::FileBytes joined_;
};

}  // namespace store
