#include "store/file_stamp.h"

#include <cstring>

#include "store/hash_mix.h"

namespace store {
namespace {

constexpr std::uint64_t kPrime1 = 0x9E3779B185EBCA87ull;
constexpr std::uint64_t kPrime2 = 0xC2B2AE3D27D4EB4Full;

std::uint64_t Round(std::uint64_t lane, std::uint64_t word) {
  lane += word * kPrime2;
  lane = (lane << 31) | (lane >> 33);
  return lane * kPrime1;
}

}  // namespace

void StreamHash::Block(const char* p) {
  for (int i = 0; i < 4; ++i) {
    std::uint64_t w;
    std::memcpy(&w, p + 8 * i, 8);
    lanes_[i] = Round(lanes_[i], w);
  }
}

void StreamHash::Add(std::string_view bytes) {
  total_ += bytes.size();
  const char* p = bytes.data();
  std::size_t n = bytes.size();
  if (pendingSize_ > 0) {
    const std::size_t take = n < 32 - pendingSize_ ? n : 32 - pendingSize_;
    std::memcpy(pending_ + pendingSize_, p, take);
    pendingSize_ += take;
    p += take;
    n -= take;
    if (pendingSize_ < 32) return;
    Block(pending_);
    pendingSize_ = 0;
  }
  // The lanes in locals: kept in registers, not stored and loaded again for
  // every block (the bytes might otherwise be the lanes themselves).
  std::uint64_t a = lanes_[0], b = lanes_[1], c = lanes_[2], d = lanes_[3];
  for (; n >= 32; p += 32, n -= 32) {
    std::uint64_t w[4];
    std::memcpy(w, p, 32);
    a = Round(a, w[0]);
    b = Round(b, w[1]);
    c = Round(c, w[2]);
    d = Round(d, w[3]);
  }
  lanes_[0] = a;
  lanes_[1] = b;
  lanes_[2] = c;
  lanes_[3] = d;
  std::memcpy(pending_, p, n);
  pendingSize_ = n;
}

std::uint64_t StreamHash::Finish() const {
  std::uint64_t h = MixHashBits(total_);
  for (std::uint64_t lane : lanes_) h = MixHashBits(h ^ MixHashBits(lane));
  for (std::size_t i = 0; i < pendingSize_; i += 8) {
    std::uint64_t w = 0;
    std::memcpy(&w, pending_ + i, pendingSize_ - i < 8 ? pendingSize_ - i : 8);
    h = MixHashBits(Round(h, w));
  }
  return h;
}

std::uint64_t HashFileBytes(std::string_view bytes) {
  StreamHash hash;
  hash.Add(bytes);
  return hash.Finish();
}

FileStamp StampOf(std::string_view bytes) {
  FileStamp stamp;
  stamp.known = true;
  stamp.hash = HashFileBytes(bytes);
  stamp.size = bytes.size();
  return stamp;
}

sys::FileError StampFile(sys::FileSystem& files, const std::string& path, std::size_t maxBytes,
                         FileStamp* stamp) {
  *stamp = FileStamp();
  StreamHash hash;
  std::uint64_t size = 0;
  const sys::FileError error = files.ReadChunks(path, maxBytes, [&](std::string_view chunk) {
    hash.Add(chunk);
    size += chunk.size();
    return true;
  });
  if (error != sys::FileError::kNone) return error;
  stamp->known = true;
  stamp->hash = hash.Finish();
  stamp->size = size;
  std::uint64_t listed = 0;
  LastWrite(files, path, &listed, &stamp->modified);
  return error;
}

bool LastWrite(sys::FileSystem& files, const std::string& path, std::uint64_t* size,
               std::uint64_t* modified) {
  for (const sys::FoundFile& found : files.FilesNamedLike(path)) {
    if (found.path != path) continue;
    *size = found.size;
    *modified = found.modified;
    return true;
  }
  return false;
}

}  // namespace store
