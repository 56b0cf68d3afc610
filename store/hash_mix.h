// The finishing mix of the store's 64-bit hashes: every input bit reaches
// every output bit.
#pragma once

#include <cstdint>

namespace store {

inline std::uint64_t MixHashBits(std::uint64_t h) {
  h ^= h >> 33;
  h *= 0xFF51AFD7ED558CCDull;
  h ^= h >> 33;
  h *= 0xC4CEB9FE1A85EC53ull;
  h ^= h >> 33;
  return h;
}

}  // namespace store
