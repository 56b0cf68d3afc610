// Looking for bytes many at a time, for the readers and the writer of book
// lines, whose fields are short and many. Every fast scan here has its
// plain version in scan::plain, byte by byte, which gives the same answers
// (a test compares them on generated texts).
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

// Whether text holds the byte b or c, eight bytes at a time.
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

// The bytes of w (eight bytes of a text, the first in the lowest bits) with
// the letters a case-blind comparison folds folded: ASCII capitals, and with
// `wide` (code page 932) the second byte of the full-width capitals
// 0x8260-0x8279; `before` is the byte before w's first. The bytes are
// folded alone, without walking the characters.
inline std::uint64_t FoldLetters(std::uint64_t w, unsigned before, bool wide) {
  const std::uint64_t low = w & ~kHighs;    // each byte's low seven bits
  const std::uint64_t ascii = ~w & kHighs;  // the bytes below 0x80
  // The high bit of a byte's low bits plus (0x80 - b) is set when the byte
  // is at least b; no sum carries into the next byte.
  const auto atLeast = [low](unsigned b) { return (low + kOnes * (0x80 - b)) & kHighs; };
  const std::uint64_t capitals = atLeast('A') & ~atLeast('Z' + 1) & ascii;
  std::uint64_t folded = w + (capitals >> 2);  // + 0x20
  if (wide) {
    const std::uint64_t previous = (w << 8) | before;
    const std::uint64_t x = previous ^ (kOnes * 0x82);
    // The bytes of x that are 0, exactly.
    const std::uint64_t afterLead = ~(((x & ~kHighs) + ~kHighs) | x) & kHighs;
    const std::uint64_t fullWidth = atLeast(0x60) & ~atLeast(0x7A) & ascii & afterLead;
    folded += (fullWidth >> 7) * 0x21;
  }
  return folded;
}

namespace plain {

inline std::size_t FindAny(std::string_view text, std::size_t from, unsigned char b,
                           unsigned char c, unsigned char d) {
  for (std::size_t i = from; i < text.size(); ++i) {
    const auto x = static_cast<unsigned char>(text[i]);
    if (x == b || x == c || x == d) return i;
  }
  return text.size();
}

inline bool Contains(std::string_view text, unsigned char b, unsigned char c) {
  for (char x : text) {
    if (static_cast<unsigned char>(x) == b || static_cast<unsigned char>(x) == c) return true;
  }
  return false;
}

inline std::uint64_t FoldLetters(std::uint64_t w, unsigned before, bool wide) {
  std::uint64_t folded = 0;
  unsigned previous = before & 0xFF;
  for (int k = 0; k < 8; ++k) {
    unsigned b = static_cast<unsigned>(w >> (8 * k)) & 0xFF;
    const unsigned original = b;
    if (b >= 'A' && b <= 'Z') b += 0x20;
    else if (wide && previous == 0x82 && b >= 0x60 && b <= 0x79) b += 0x21;
    folded |= static_cast<std::uint64_t>(b) << (8 * k);
    previous = original;
  }
  return folded;
}

}  // namespace plain
}  // namespace scan
}  // namespace store
