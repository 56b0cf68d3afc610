#include "store/csv_field.h"

#include <cstdint>
#include <cstring>

#include "store/byte_scan.h"

namespace store {
using scan::HasByte;
using scan::Load8;


std::string NextCsvField(std::string_view* rest) {
  std::string scratch;
  return std::string(NextCsvFieldView(rest, &scratch));
}

namespace {

// The byte searches of the fast reader, and of the plain one.
template <bool kFast>
std::size_t FindAny(std::string_view text, std::size_t from, unsigned char b, unsigned char c,
                    unsigned char d) {
  return kFast ? scan::FindAny(text, from, b, c, d) : scan::plain::FindAny(text, from, b, c, d);
}

// NextCsvFieldView with kSeparator in the place of the comma; without kKeep
// the field is only passed over (no scratch is written and the result is
// empty). kFast: many bytes at a time, else byte by byte.
template <bool kKeep, bool kFast, char kSeparator = ','>
std::string_view NextField(std::string_view* rest, std::string* scratch) {
  const std::string_view line = *rest;
  if (line.empty()) return std::string_view();
  // One pass to the first comma or quote.
  const std::size_t i = FindAny<kFast>(line, 0, kSeparator, '"', kSeparator);
  if (i == line.size() || line[i] == kSeparator) {
    *rest = i == line.size() ? std::string_view() : line.substr(i + 1);
    return line.substr(0, i);
  }
  if (i > 0) {
    // A quote inside the field: the bytes before the first comma, every
    // quote removed.
    const std::size_t comma = line.find(kSeparator, i);
    const std::size_t c = comma == std::string_view::npos ? line.size() : comma;
    *rest = comma == std::string_view::npos ? std::string_view() : line.substr(comma + 1);
    if (!kKeep) return std::string_view();
    std::string& field = *scratch;
    field.assign(line.data(), i);
    for (std::size_t at = i + 1; at < c; ++at) {
      if (line[at] != '"') field.push_back(line[at]);
    }
    return field;
  }
  // A quoted field: from the byte after the opening quote, two quotes give
  // one, a quote and a comma end the field, any other quote (or one standing
  // last) is dropped; without a closing quote the field runs to the end.
  // The buffer only grows, so that it is not cleared for every field.
  // Sixteen bytes at a time are copied whole, up to and past the next
  // quote, so the buffer has room for sixteen more than the line.
  char* begin = nullptr;
  if (kKeep) {
    if (scratch->size() < line.size() + 16) scratch->resize(line.size() + 16);
    begin = &(*scratch)[0];
  }
  char* out = begin;
  const char* const data = line.data();
  const std::size_t n = line.size();
  std::size_t at = 1;
  for (;;) {
    // The run up to the next quote goes as one piece: out never passes the
    // bytes read.
    std::size_t quote;
#if defined(FAXBOOK_SSE2_SCANS)
    if (kFast && at + 16 <= n) {
      const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + at));
      const unsigned mask = static_cast<unsigned>(
          _mm_movemask_epi8(_mm_cmpeq_epi8(v, _mm_set1_epi8('"'))));
      if (kKeep) _mm_storeu_si128(reinterpret_cast<__m128i*>(out), v);
      const std::size_t run = mask ? static_cast<std::size_t>(__builtin_ctz(mask)) : 16;
      if (kKeep) out += run;
      at += run;
      if (!mask) continue;
      quote = at;
    } else
#endif
    {
      quote = FindAny<kFast>(line, at, '"', '"', '"');
      if (kKeep) {
        std::memcpy(out, data + at, quote - at);
        out += quote - at;
      }
    }
    if (quote >= n) break;
    if (quote + 1 < line.size() && line[quote + 1] == '"') {
      if (kKeep) *out++ = '"';
      at = quote + 2;
    } else if (quote + 1 < line.size() && line[quote + 1] == kSeparator) {
      *rest = line.substr(quote + 2);
      return std::string_view(begin, kKeep ? static_cast<std::size_t>(out - begin) : 0);
    } else {
      at = quote + 1;
    }
  }
  *rest = std::string_view();
  return std::string_view(begin, kKeep ? static_cast<std::size_t>(out - begin) : 0);
}

}  // namespace

std::string_view NextCsvFieldView(std::string_view* rest, std::string* scratch) {
  return NextField<true, true>(rest, scratch);
}

std::string_view NextCsvFieldViewPlain(std::string_view* rest, std::string* scratch) {
  return NextField<true, false>(rest, scratch);
}

void SkipCsvField(std::string_view* rest) { NextField<false, true>(rest, nullptr); }

std::string_view NextTabFieldView(std::string_view* rest, std::string* scratch) {
  return NextField<true, true, '\t'>(rest, scratch);
}

#if defined(FAXBOOK_SSE2_SCANS)
namespace {

// Copies n < 16 bytes from `from` down to `out` (out < from), as two
// overlapping pieces both read before either is written: nothing past the
// n bytes is written, and nothing is read that was written.
inline void CopyDown(char* out, const char* from, std::size_t n) {
  if (n >= 8) {
    std::uint64_t a, b;
    std::memcpy(&a, from, 8);
    std::memcpy(&b, from + n - 8, 8);
    std::memcpy(out, &a, 8);
    std::memcpy(out + n - 8, &b, 8);
  } else if (n >= 4) {
    std::uint32_t a, b;
    std::memcpy(&a, from, 4);
    std::memcpy(&b, from + n - 4, 4);
    std::memcpy(out, &a, 4);
    std::memcpy(out + n - 4, &b, 4);
  } else if (n >= 2) {
    std::uint16_t a, b;
    std::memcpy(&a, from, 2);
    std::memcpy(&b, from + n - 2, 2);
    std::memcpy(out, &a, 2);
    std::memcpy(out + n - 2, &b, 2);
  } else if (n == 1) {
    *out = *from;
  }
}

}  // namespace
#endif

std::string_view NextCsvFieldInPlace(char** at, char* end) {
  char* const p = *at;
  const std::size_t n = static_cast<std::size_t>(end - p);
  if (n == 0) return std::string_view();
  const std::string_view line(p, n);
  const std::size_t i = scan::FindAny(line, 0, ',', '"', ',');
  if (i == n || p[i] == ',') {
    *at = i == n ? end : p + i + 1;
    return std::string_view(p, i);
  }
  char* out = p + i;
  if (i > 0) {
    // A quote inside the field: the bytes before the first comma, every
    // quote removed.
    const std::size_t comma = line.find(',', i);
    const std::size_t c = comma == std::string_view::npos ? n : comma;
    *at = comma == std::string_view::npos ? end : p + comma + 1;
    for (std::size_t k = i + 1; k < c; ++k) {
      if (p[k] != '"') *out++ = p[k];
    }
    return std::string_view(p, static_cast<std::size_t>(out - p));
  }
  // A quoted field, as NextField reads one: each run up to a quote moves
  // down over the quotes dropped before it (out always stands below the
  // bytes still to be read, so sixteen bytes read at once can be written
  // back at once; a run that ends at a quote moves exactly, as the bytes
  // after the quote are still to be read).
  std::size_t from = 1;
  for (;;) {
    std::size_t quote;
#if defined(FAXBOOK_SSE2_SCANS)
    if (from + 16 <= n) {
      const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + from));
      const unsigned mask = static_cast<unsigned>(
          _mm_movemask_epi8(_mm_cmpeq_epi8(v, _mm_set1_epi8('"'))));
      if (!mask) {
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out), v);
        out += 16;
        from += 16;
        continue;
      }
      const std::size_t run = static_cast<std::size_t>(__builtin_ctz(mask));
      CopyDown(out, p + from, run);
      out += run;
      quote = from + run;
    } else
#endif
    {
      quote = scan::FindAny(line, from, '"', '"', '"');
      std::memmove(out, p + from, quote - from);
      out += quote - from;
    }
    if (quote >= n) break;
    if (quote + 1 < n && p[quote + 1] == '"') {
      *out++ = '"';
      from = quote + 2;
    } else if (quote + 1 < n && p[quote + 1] == ',') {
      *at = p + quote + 2;
      return std::string_view(p, static_cast<std::size_t>(out - p));
    } else {
      from = quote + 1;
    }
  }
  *at = end;
  return std::string_view(p, static_cast<std::size_t>(out - p));
}

std::string QuoteField(std::string_view text) {
  std::string out;
  AppendQuotedField(text, &out);
  return out;
}

void AppendQuotedField(std::string_view text, std::string* out) {
  const bool quote = scan::Contains(text, '"', '"');
  if (!quote && !scan::Contains(text, ',', ',')) {
    out->append(text.data(), text.size());
    return;
  }
  const std::size_t start = out->size();
  out->resize(start + 2 * text.size() + 2);
  char* o = &(*out)[start];
  *o++ = '"';
  if (!quote) {
    std::memcpy(o, text.data(), text.size());
    o += text.size();
  } else {
    const char* p = text.data();
    const char* const end = p + text.size();
    while (p < end) {
      if (end - p >= 8 && !HasByte(Load8(p), '"')) {
        std::memcpy(o, p, 8);
        o += 8;
        p += 8;
        continue;
      }
      const char c = *p++;
      *o++ = c;
      if (c == '"') *o++ = '"';
    }
  }
  *o++ = '"';
  out->resize(static_cast<std::size_t>(o - out->data()));
}

}  // namespace store
