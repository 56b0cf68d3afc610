#include "platform/sys/large_block.h"

#include <cstdint>
#include <mutex>
#include <utility>
#include <vector>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace sys {
namespace {

#if defined(__linux__)
// Blocks of the preferred size given back are kept for the next ones, up to
// a bound, as the heap keeps what is freed: a book read again (the editor's
// reload) then fills memory it has already paid the page faults for.
constexpr std::size_t kKeptBlocks = 32;

std::mutex& PoolLock() {
  static std::mutex lock;
  return lock;
}

std::vector<char*>& Pool() {
  static std::vector<char*>* pool = new std::vector<char*>();  // never destroyed
  return *pool;
}

char* TakeKept() {
  std::lock_guard<std::mutex> guard(PoolLock());
  std::vector<char*>& pool = Pool();
  if (pool.empty()) return nullptr;
  char* block = pool.back();
  pool.pop_back();
  return block;
}

bool Keep(char* block) {
  std::lock_guard<std::mutex> guard(PoolLock());
  std::vector<char*>& pool = Pool();
  if (pool.size() >= kKeptBlocks) return false;
  pool.push_back(block);
  return true;
}

// The last larger block given back (a whole book's bytes), kept for the
// next one of about its size: a book read again while the old one is still
// held takes the memory of the one before it.
struct KeptLarge {
  char* block = nullptr;
  std::size_t size = 0;
};

KeptLarge& Large() {
  static KeptLarge* kept = new KeptLarge();  // never destroyed
  return *kept;
}

char* TakeKeptLarge(std::size_t bytes, std::size_t* size) {
  std::lock_guard<std::mutex> guard(PoolLock());
  KeptLarge& kept = Large();
  // Not more than twice what is asked for, so that a small book does not
  // hold on to a large one's memory.
  if (!kept.block || kept.size < bytes || kept.size / 2 > bytes) return nullptr;
  char* block = kept.block;
  *size = kept.size;
  kept = KeptLarge();
  return block;
}

void KeepLarge(char* block, std::size_t size) {
  KeptLarge before;
  {
    std::lock_guard<std::mutex> guard(PoolLock());
    before = Large();
    Large() = {block, size};
  }
  if (before.block) ::munmap(before.block, before.size);
}

// A mapping of `bytes` (a multiple of the preferred size) that starts on a
// large-page boundary, asked to be backed by large pages; null when the
// system refuses the mapping.
char* MapAligned(std::size_t bytes) {
  constexpr std::size_t align = LargeBlock::kPreferredBytes;
  const std::size_t span = bytes + align;
  void* raw = ::mmap(nullptr, span, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (raw == MAP_FAILED) return nullptr;
  const auto start = reinterpret_cast<std::uintptr_t>(raw);
  const std::uintptr_t aligned = (start + align - 1) & ~static_cast<std::uintptr_t>(align - 1);
  // The parts before and after the aligned run go back at once.
  if (aligned > start) ::munmap(raw, aligned - start);
  const std::uintptr_t end = start + span;
  if (end > aligned + bytes) ::munmap(reinterpret_cast<void*>(aligned + bytes), end - aligned - bytes);
  char* block = reinterpret_cast<char*>(aligned);
#if defined(MADV_HUGEPAGE)
  ::madvise(block, bytes, MADV_HUGEPAGE);
#endif
  return block;
}
#endif

}  // namespace

LargeBlock::LargeBlock(std::size_t bytes) {
  if (bytes == 0) return;
#if defined(__linux__)
  const std::size_t rounded =
      (bytes + kPreferredBytes - 1) / kPreferredBytes * kPreferredBytes;
  if (rounded >= bytes) {
    std::size_t size = rounded;
    char* block = nullptr;
    if (rounded == kPreferredBytes) {
      block = TakeKept();
    } else {
      block = TakeKeptLarge(rounded, &size);
    }
    if (!block) block = MapAligned(rounded);
    if (block) {
      data_ = block;
      size_ = size;
      mapped_ = true;
      return;
    }
  }
#endif
  // Elsewhere, or when the system refuses a mapping, the heap's memory, as
  // every other allocation takes it.
  data_ = new char[bytes];
  size_ = bytes;
}

LargeBlock::~LargeBlock() { Release(); }

LargeBlock::LargeBlock(LargeBlock&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)),
      size_(std::exchange(other.size_, 0)),
      mapped_(std::exchange(other.mapped_, false)) {}

LargeBlock& LargeBlock::operator=(LargeBlock&& other) noexcept {
  if (this != &other) {
    Release();
    data_ = std::exchange(other.data_, nullptr);
    size_ = std::exchange(other.size_, 0);
    mapped_ = std::exchange(other.mapped_, false);
  }
  return *this;
}

void LargeBlock::Release() {
  if (!data_) return;
#if defined(__linux__)
  if (mapped_) {
    if (size_ > kPreferredBytes) {
      KeepLarge(data_, size_);
    } else if (!Keep(data_)) {
      ::munmap(data_, size_);
    }
    data_ = nullptr;
    size_ = 0;
    return;
  }
#endif
  delete[] data_;
  data_ = nullptr;
  size_ = 0;
}

}  // namespace sys
