// Whether a member line's fields are exactly what the writer writes for
// them, found in one of two ways:
// - 64 bytes at a time: the quotes, commas and 0x40 bytes of each block
//   become bit masks, the parity of the quotes tells which bytes lie inside
//   quotes, and the rules of the format become a few operations on the
//   masks, however many doubled quotes and quoted commas a line holds;
// - text by text, from one quote, comma or 0x40 byte to the next.
// The masks pay only where sixteen bytes are compared at once (on the
// member lines of the largest book, 40 against 70 ms with SSE2, 100-130
// against 70-80 ms without): the other builds go text by text.
#include <charconv>
#include <cstdint>
#include <cstring>

#include "store/book_format.h"
#include "store/byte_scan.h"
#include "store/text_fields.h"

namespace store {
namespace {
constexpr std::size_t kBlock = 64;
struct Masks { std::uint64_t quote = 0, comma = 0, at = 0; };
// The masks of 64 bytes.
inline Masks MasksOfBlock(const char* p) {
#if defined(FAXBOOK_SSE2_SCANS)
  const __m128i quote = _mm_set1_epi8('"');
  const __m128i comma = _mm_set1_epi8(',');
  const __m128i at = _mm_set1_epi8(0x40);
  Masks m;
  for (int k = 0; k < 4; ++k) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * k));
    m.quote |= static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, quote)))) << (16 * k);
    m.comma |= static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, comma)))) << (16 * k);
    m.at |= static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, at)))) << (16 * k);
  }
  return m;
#else
  Masks m;
  for (std::size_t i = 0; i < kBlock; ++i) {
    const std::uint64_t bit = std::uint64_t(1) << i;
    if (p[i] == '"') m.quote |= bit;
    if (p[i] == ',') m.comma |= bit;
    if (p[i] == 0x40) m.at |= bit;
  }
  return m;
#endif
}

// The index of the lowest set bit of a mask that is not 0.
inline unsigned LowestBit(std::uint64_t mask) {
#if defined(__GNUC__) || defined(__clang__)
  return static_cast<unsigned>(__builtin_ctzll(mask));
#else
  unsigned bit = 0;
  while (!(mask & 1)) {
    mask >>= 1;
    ++bit;
  }
  return bit;
#endif
}
// Each bit set when an odd number of bits are set at or below it.
inline std::uint64_t PrefixXor(std::uint64_t x) {
  x ^= x << 1; x ^= x << 2; x ^= x << 4; x ^= x << 8; x ^= x << 16; x ^= x << 32; return x;
}
inline bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

// What a canonical text tells: whether the name is empty, and the reading
// (its doubled quotes undone when there is a scratch buffer).
void KeepText(std::size_t field, std::string_view content, bool quoted, std::string* scratch,
              CanonicalFields* out) {
  if (field == 0) out->nameEmpty = content.empty();
  if (field != 1) return;
  out->reading = content;
  if (quoted && scratch && content.find('"') != std::string_view::npos) {
    scratch->clear();
    for (std::size_t k = 0; k < content.size(); ++k) {
      scratch->push_back(content[k]);
      if (content[k] == '"') ++k;
    }
    out->reading = *scratch;
  }
}

// The honorific after the eighth text: plain decimal, as the writer writes
// it, and nothing after it.
bool CanonicalRespect(std::string_view respect, CanonicalFields* out) {
  if (respect.size() == 1 && respect[0] >= '0' && respect[0] <= '9') {  // the common case
    out->respect = respect[0] - '0';
    return true;
  }
  const long number = ParseDecimal(respect);
  char digits[24];
  const auto r = std::to_chars(digits, digits + sizeof digits, number);
  if (std::string_view(digits, static_cast<std::size_t>(r.ptr - digits)) != respect) return false;
  out->respect = static_cast<int>(number);
  return true;
}
}  // namespace

bool ScanCanonicalFieldsByMasks(std::string_view value, std::string* scratch,
                                CanonicalFields* out) {
  // The rules, for the bytes of the whole value:
  // - no 0x81 right before a 0x40 (an ideographic space, which the reader
  //   turns into blanks);
  // - a quote that ends a quoted run is followed by a quote (a doubled
  //   quote) or by a comma (the end of the text);
  // - a quote that starts a quoted run stands first in its text or second
  //   in a doubled quote;
  // - commas outside quotes part the texts: the first eight end the eight
  //   texts, and what follows the eighth is the honorific.
  // Each text then needs its quotes (holds a comma or a quote) when it has
  // them, and has no blank at either end.
  const char* const data = value.data();
  const std::size_t n = value.size();
  std::size_t ends[kTextFieldCount];  // the comma after each text
  bool interior[kTextFieldCount];     // a comma or doubled quote inside its quotes
  std::size_t found = 0;
  // What the bytes before the block leave: inside quotes, a closing quote
  // last, a text starting at the block's first byte, and whether the text
  // being read has had a comma or doubled quote inside its quotes.
  bool inside = false, closeBefore = false, startBefore = true, interiorOpen = false;
  for (std::size_t base = 0; base < n && found < kTextFieldCount; base += kBlock) {
    const std::size_t size = n - base < kBlock ? n - base : kBlock;
    Masks m;
    if (size == kBlock) {
      m = MasksOfBlock(data + base);
    } else if (n >= kBlock) {
      // The last 64 bytes of the value, of which the first are already seen.
      m = MasksOfBlock(data + n - kBlock);
      const unsigned shift = static_cast<unsigned>(kBlock - size);
      m.quote >>= shift;
      m.comma >>= shift;
      m.at >>= shift;
    } else {
      // A short value, padded with bytes that match nothing.
      char block[kBlock] = {};
      std::memcpy(block, data + base, size);
      m = MasksOfBlock(block);
    }
    // An ideographic space: a 0x40 right after a 0x81 (0x40 bytes are few).
    for (std::uint64_t a = m.at; a != 0; a &= a - 1) {
      const std::size_t p = base + static_cast<std::size_t>(LowestBit(a));
      if (p > 0 && data[p - 1] == '\x81') return false;
    }
    const std::uint64_t in = PrefixXor(m.quote) ^ (inside ? ~std::uint64_t(0) : 0);
    const std::uint64_t separators = m.comma & ~in;
    const std::uint64_t opens = m.quote & in;
    const std::uint64_t closes = m.quote & ~in;
    // A closing quote's next byte, in this block or the next one's first
    // (after the last byte of the value there is none).
    const std::uint64_t follow = m.quote | m.comma;
    if (((closes << 1) & ~follow) != 0) return false;
    if (size < kBlock) {
      if ((closes >> (size - 1)) & 1) return false;
    } else if ((closes >> 63) != 0) {
      if (base + kBlock >= n) return false;
      const char next = data[base + kBlock];
      if (next != '"' && next != ',') return false;
    }
    const std::uint64_t pairSeconds = opens & ((closes << 1) | std::uint64_t(closeBefore));
    const std::uint64_t starts = (separators << 1) | std::uint64_t(startBefore);
    if ((opens & ~(starts | pairSeconds)) != 0) return false;
    std::uint64_t events = (m.comma & in) | pairSeconds;
    // The texts this block ends.
    for (std::uint64_t s = separators; s != 0 && found < kTextFieldCount; s &= s - 1) {
      const unsigned bit = LowestBit(s);
      const std::uint64_t below = bit == 0 ? 0 : (~std::uint64_t(0) >> (64 - bit));
      interior[found] = interiorOpen || (events & below) != 0;
      ends[found++] = base + bit;
      events &= ~below;
      interiorOpen = false;
    }
    interiorOpen = interiorOpen || events != 0;
    inside = (in >> 63) != 0;
    closeBefore = (closes >> 63) != 0;
    startBefore = (separators >> 63) != 0;
  }
  if (found < kTextFieldCount) return false;
  std::size_t begin = 0;
  for (std::size_t field = 0; field < kTextFieldCount; ++field) {
    const std::size_t end = ends[field];
    // A quoted text ends with its closing quote, which the rules put right
    // before the comma.
    const bool quoted = end > begin && data[begin] == '"';
    const std::size_t start = quoted ? begin + 1 : begin;
    const std::size_t stop = quoted ? end - 1 : end;
    if (quoted && !interior[field]) return false;  // quotes it does not need
    // A doubled quote starts and ends with a quote, so the content's first
    // and last bytes are the text's.
    if (stop > start && (IsBlank(data[start]) || IsBlank(data[stop - 1]))) return false;
    const std::string_view content(data + start, stop - start);
    KeepText(field, content, quoted, scratch, out);
    begin = end + 1;
  }
  return CanonicalRespect(value.substr(begin), out);
}

bool ScanCanonicalFields(std::string_view value, std::string* scratch, CanonicalFields* out) {
#if defined(FAXBOOK_SSE2_SCANS)
  return ScanCanonicalFieldsByMasks(value, scratch, out);
#else
  return ScanCanonicalFieldsByField(value, scratch, out);
#endif
}

bool ScanCanonicalFieldsByField(std::string_view value, std::string* scratch,
                                CanonicalFields* out) {
  // The same rules, text by text: each text is walked from one quote,
  // comma or 0x40 byte to the next.
  const char* const data = value.data();
  const std::size_t n = value.size();
  const auto wideSpace = [data](std::size_t at) { return at > 0 && data[at - 1] == '\x81'; };
  std::size_t begin = 0;
  for (std::size_t field = 0; field < kTextFieldCount; ++field) {
    const bool quoted = begin < n && data[begin] == '"';
    std::size_t start = begin, stop = 0, j = begin;
    if (quoted) {
      start = j = begin + 1;
      bool interior = false;  // a comma or a doubled quote: the quotes are needed
      for (;;) {
        j = scan::FindAny(value, j, '"', ',', 0x40);
        if (j >= n) return false;  // never closed
        if (data[j] == 0x40) {
          if (wideSpace(j)) return false;
          ++j;
        } else if (data[j] == ',') {
          interior = true;
          ++j;
        } else if (j + 1 < n && data[j + 1] == '"') {
          interior = true;
          j += 2;
        } else if (j + 1 < n && data[j + 1] == ',') {
          break;
        } else {
          return false;  // a quote the reader drops
        }
      }
      if (!interior) return false;  // quotes it does not need
      stop = j;
      ++j;  // the comma
    } else {
      for (;;) {
        j = scan::FindAny(value, j, '"', ',', 0x40);
        if (j >= n || data[j] == '"') return false;  // too few texts, or a stray quote
        if (data[j] == ',') break;
        if (wideSpace(j)) return false;
        ++j;
      }
      stop = j;
    }
    if (stop > start && (IsBlank(data[start]) || IsBlank(data[stop - 1]))) return false;
    KeepText(field, std::string_view(data + start, stop - start), quoted, scratch, out);
    begin = j + 1;
  }
  return CanonicalRespect(value.substr(begin), out);
}

}  // namespace store
