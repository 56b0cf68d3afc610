// Looking for bytes eight at a time, for the readers and the writer of book
// lines, whose fields are short and many.
#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>

// FAXBOOK_SSE2_SCANS: the scans go sixteen bytes at a time. Builds for
// processors without SSE2 (the i686 programs) run the plain versions, and
// so does a build with FAXBOOK_PLAIN_SCANS, which makes the same choice on
// any processor so that the plain versions are tested where the programs
// are not run.
#if defined(__SSE2__) && (defined(__GNUC__) || defined(__clang__)) && \
    !defined(FAXBOOK_PLAIN_SCANS)
#define FAXBOOK_SSE2_SCANS 1
#include <emmintrin.h>
#endif

namespace store {
namespace scan {

constexpr std::uint64_t kOnes = 0x0101010101010101ull;
constexpr std::uint64_t kHighs = 0x8080808080808080ull;

inline std::uint64_t Load8(const char* p) {
  std::uint64_t w;
  std::memcpy(&w, p, 8);
  return w;
}

// Whether any of the eight bytes of w is b.
inline bool HasByte(std::uint64_t w, unsigned char b) {
  const std::uint64_t x = w ^ (kOnes * b);
  return ((x - kOnes) & ~x & kHighs) != 0;
}

// The bits of the bytes of w that equal b: the high bit of each such byte
// (and possibly of bytes after the first, never of one before it).
inline std::uint64_t Matches(std::uint64_t w, unsigned char b) {
  const std::uint64_t x = w ^ (kOnes * b);
  return (x - kOnes) & ~x & kHighs;
}

// For a mask of Matches of eight bytes loaded from memory: 8 when none
// matched, else an index no later than the first matching byte (exactly
// that byte where the byte order is known to be little-endian). Callers
// look at the bytes from there.
inline std::size_t FirstMatch(std::uint64_t mask) {
  if (mask == 0) return 8;
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__ && \
    (defined(__GNUC__) || defined(__clang__))
  return static_cast<std::size_t>(__builtin_ctzll(mask)) / 8;
#else
  return 0;
#endif
}

// The index of the first byte from `from` that is b, c or d, or the size
// of the text when there is none: sixteen bytes at a time where the
// processor can, else eight.
inline std::size_t FindAny(std::string_view text, std::size_t from, unsigned char b,
                           unsigned char c, unsigned char d) {
  const char* const p = text.data();
  const std::size_t n = text.size();
  std::size_t i = from;
#if defined(FAXBOOK_SSE2_SCANS)
  const __m128i vb = _mm_set1_epi8(static_cast<char>(b));
  const __m128i vc = _mm_set1_epi8(static_cast<char>(c));
  const __m128i vd = _mm_set1_epi8(static_cast<char>(d));
  for (; i + 16 <= n; i += 16) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
    const __m128i hit = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, vb), _mm_cmpeq_epi8(v, vc)),
                                     _mm_cmpeq_epi8(v, vd));
    const int mask = _mm_movemask_epi8(hit);
    if (mask) return i + static_cast<std::size_t>(__builtin_ctz(static_cast<unsigned>(mask)));
  }
#endif
  for (; i + 8 <= n; i += 8) {
    const std::uint64_t w = Load8(p + i);
    const std::uint64_t m = Matches(w, b) | Matches(w, c) | Matches(w, d);
    if (m) {
      i += FirstMatch(m);
      break;
    }
  }
  for (; i < n; ++i) {
    const auto x = static_cast<unsigned char>(p[i]);
    if (x == b || x == c || x == d) return i;
  }
  return n;
}

// Whether text holds the byte b or c.
inline bool Contains(std::string_view text, unsigned char b, unsigned char c) {
  std::size_t i = 0;
  for (; i + 8 <= text.size(); i += 8) {
    const std::uint64_t w = Load8(text.data() + i);
    if (HasByte(w, b) || HasByte(w, c)) return true;
  }
  for (; i < text.size(); ++i) {
    if (static_cast<unsigned char>(text[i]) == b || static_cast<unsigned char>(text[i]) == c) {
      return true;
    }
  }
  return false;
}

}  // namespace scan
}  // namespace store
