#include "store/content_hash.h"

#include <cstring>

#include "store/hash_mix.h"

namespace store {
namespace {

constexpr std::uint64_t kMul = 0x9E3779B97F4A7C15ull;

// Eight bytes at a time; the length goes in first, so that texts that only
// move bytes between neighbours hash apart.
std::uint64_t HashBytes(std::uint64_t h, const char* p, std::size_t n) {
  h = (h ^ n) * kMul;
  std::size_t i = 0;
  for (; i + 8 <= n; i += 8) {
    std::uint64_t w;
    std::memcpy(&w, p + i, 8);
    h = (h ^ w) * kMul;
    h ^= h >> 29;
  }
  if (i < n) {
    std::uint64_t w = 0;
    std::memcpy(&w, p + i, n - i);
    h = (h ^ w) * kMul;
    h ^= h >> 29;
  }
  return h;
}

}  // namespace

std::uint64_t HashTexts(const TextsView& texts) {
  std::uint64_t h = 0x243F6A8885A308D3ull;
  for (const std::string_view& text : texts.texts) h = HashBytes(h, text.data(), text.size());
  return MixHashBits(h ^ static_cast<std::uint64_t>(static_cast<std::uint32_t>(texts.respect)));
}

std::uint64_t HashRecord(const AddressRecord& record) {
  const std::uint64_t numbers =
      (static_cast<std::uint64_t>(static_cast<std::uint32_t>(record.kind)) << 32) ^
      static_cast<std::uint32_t>(record.regNo);
  return MixHashBits(HashTexts(ViewOf(record)) + MixHashBits(numbers + 0x13198A2E03707344ull));
}

std::uint64_t HashMemberAt(int slot, int pos, std::uint64_t textsHash) {
  const std::uint64_t place = (static_cast<std::uint64_t>(slot) << 8) | static_cast<unsigned>(pos);
  return MixHashBits(textsHash ^ MixHashBits(place + 0xA4093822299F31D0ull));
}

std::uint64_t HashSlotInfo(int slot, const GroupRecord& info) {
  const std::uint64_t what = (static_cast<std::uint64_t>(static_cast<std::uint32_t>(info.key)) << 32) ^
                             (static_cast<std::uint64_t>(static_cast<std::uint32_t>(info.originKind)) << 16) ^
                             static_cast<std::uint32_t>(slot);
  return MixHashBits(what + 0x082EFA98EC4E6C89ull);
}

}  // namespace store
