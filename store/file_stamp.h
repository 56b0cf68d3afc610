// What a program remembers of a file it read or wrote, to tell later
// whether someone else has written it since: a 64-bit hash of the whole
// file's bytes, their number and the time of the last write.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/sys/file_system.h"

namespace store {

// A fast 64-bit hash of a byte stream, fed in pieces of any size: the
// pieces' bounds do not change the hash.
class StreamHash {
 public:
  void Add(std::string_view bytes);
  std::uint64_t Finish() const;

 private:
  void Block(const char* p);

  std::uint64_t lanes_[4] = {0x243F6A8885A308D3ull, 0x13198A2E03707344ull,
                             0xA4093822299F31D0ull, 0x082EFA98EC4E6C89ull};
  std::uint64_t total_ = 0;
  char pending_[32] = {};
  std::size_t pendingSize_ = 0;
};

std::uint64_t HashFileBytes(std::string_view bytes);

struct FileStamp {
  bool known = false;  // a file was read or written
  std::uint64_t hash = 0;
  std::uint64_t size = 0;
  std::uint64_t modified = 0;  // in the system's units; 0 when unknown
  // The same bytes (the time may differ: a copy of the same book is the
  // same book).
  bool SameBytes(const FileStamp& other) const {
    return known && other.known && hash == other.hash && size == other.size;
  }
};

// The stamp of bytes in memory (a book just written, a file just read).
FileStamp StampOf(std::string_view bytes);

// Reads the file whole (at most maxBytes) and stamps it, with the time of
// its last write; on an error *stamp is left unknown.
sys::FileError StampFile(sys::FileSystem& files, const std::string& path, std::size_t maxBytes,
                         FileStamp* stamp);

// The size and time of the file's last write without reading it; false
// when the file cannot be found.
bool LastWrite(sys::FileSystem& files, const std::string& path, std::uint64_t* size,
               std::uint64_t* modified);

}  // namespace store
