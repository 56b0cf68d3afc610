#include "store/text_fields.h"

#include <charconv>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "platform/text/blanks.h"
#include "store/book_format.h"
#include "store/byte_scan.h"
#include "store/csv_field.h"

namespace store {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Whether the bytes 0x81 0x40 (an ideographic space, when they form one
// character) occur; found by their rarer second byte.
bool HasWideSpace(std::string_view text) {
  if (!scan::Contains(text, 0x40, 0x40)) return false;
  for (std::size_t at = text.find('\x40', 1); at != std::string_view::npos;
       at = text.find('\x40', at + 1)) {
    if (text[at - 1] == '\x81') return true;
  }
  return false;
}

// The next text field, normalised: viewed in the line when it needs no
// change, else in *scratch.
std::string_view NextText(std::string_view* rest, int codePage, std::string* scratch) {
  std::string_view field = NextCsvFieldView(rest, scratch);
  if (codePage != 932 || !HasWideSpace(field)) return text::TrimBlanks(field);
  std::string normalised;
  text::NormaliseSpacesInto(codePage, field, &normalised);
  scratch->swap(normalised);
  return *scratch;
}

// The end of a canonical quoted text that starts at `start` (after its
// opening quote): the index of its closing quote, which a comma follows, or
// npos when the text is not canonical (a quote the reader would drop, an
// ideographic space, no closing quote). *quotes: a doubled quote was seen;
// *comma: a comma, before the text proved it needs its quotes.
std::size_t QuotedEnd(std::string_view value, std::size_t start, bool* quotes, bool* comma) {
  const char* const data = value.data();
  const std::size_t n = value.size();
  std::size_t j = start;
#if defined(__SSE2__) && (defined(__GNUC__) || defined(__clang__))
  // Sixteen bytes at a time, every quote, comma and 0x40 of a block taken
  // from its bit mask.
  const __m128i quote = _mm_set1_epi8('"');
  const __m128i commaByte = _mm_set1_epi8(',');
  const __m128i at = _mm_set1_epi8(0x40);
  while (j + 16 <= n) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + j));
    const unsigned qm = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, quote)));
    const unsigned am = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, at)));
    const unsigned cm = (*quotes || *comma)
                            ? 0u
                            : static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, commaByte)));
    unsigned events = qm | am | cm;
    std::size_t next = j + 16;
    while (events) {
      const unsigned b = static_cast<unsigned>(__builtin_ctz(events));
      const unsigned bit = 1u << b;
      events &= ~bit;
      const std::size_t k = j + b;
      if (am & bit) {
        if (k > start && data[k - 1] == '\x81') return std::string_view::npos;
        continue;
      }
      if (!(qm & bit)) {
        *comma = true;
        continue;
      }
      if (k + 1 >= n) return std::string_view::npos;
      if (data[k + 1] == '"') {
        *quotes = true;
        if (b == 15) {
          next = k + 2;  // the pair ends in the next block
          break;
        }
        events &= ~(bit << 1);
        continue;
      }
      if (data[k + 1] == ',') return k;
      return std::string_view::npos;
    }
    j = next;
  }
#endif
  for (;;) {
    j = scan::FindAny(value, j, '"', 0x40, (*quotes || *comma) ? '"' : ',');
    if (j >= n) return std::string_view::npos;
    const char c = data[j];
    if (c == 0x40) {
      if (j > start && data[j - 1] == '\x81') return std::string_view::npos;
      ++j;
    } else if (c == ',') {
      *comma = true;
      ++j;
    } else if (j + 1 < n && data[j + 1] == '"') {
      *quotes = true;
      j += 2;
    } else if (j + 1 < n && data[j + 1] == ',') {
      return j;
    } else {
      return std::string_view::npos;
    }
  }
}

}  // namespace

void ReadTextFields(std::string_view* rest, int codePage, FieldScratch* scratch, TextsView* out) {
  for (std::size_t i = 0; i < kTextFieldCount; ++i) {
    out->texts[i] = NextText(rest, codePage, &scratch->texts[i]);
  }
  out->respect = static_cast<int>(ParseDecimal(NextCsvFieldView(rest, &scratch->number)));
}

std::string_view ReadReading(std::string_view fields, int codePage, FieldScratch* scratch) {
  SkipCsvField(&fields);
  return NextText(&fields, codePage, &scratch->texts[1]);
}

bool ScanCanonicalFields(std::string_view value, std::string* scratch, CanonicalFields* out) {
  // One pass, eight bytes at a time past runs without a quote, a comma or
  // a 0x40 (the second byte of an ideographic space).
  const char* const data = value.data();
  const std::size_t n = value.size();
  std::size_t i = 0;
  for (std::size_t field = 0; field < kTextFieldCount; ++field) {
    const bool quoted = i < n && data[i] == '"';
    const std::size_t start = quoted ? i + 1 : i;
    std::size_t j = start;
    bool quotes = false, comma = false;
    if (quoted) {
      j = QuotedEnd(value, start, &quotes, &comma);
      if (j == std::string_view::npos) return false;
    } else {
      for (;;) {
        j = scan::FindAny(value, j, '"', 0x40, ',');
        if (j >= n || data[j] == '"') return false;  // a comma always follows a text
        if (data[j] == ',') break;
        if (j > start && data[j - 1] == '\x81') return false;
        ++j;
      }
    }
    const std::string_view content(data + start, j - start);
    if (quoted && !quotes && !comma) return false;  // quotes it does not need
    // A doubled quote starts and ends with a quote, so the content's first
    // and last bytes are the text's.
    if (!content.empty() && (IsBlank(content.front()) || IsBlank(content.back()))) return false;
    std::string_view decoded = content;
    if (field == 1 && quotes && scratch) {
      scratch->clear();
      for (std::size_t k = 0; k < content.size(); ++k) {
        scratch->push_back(content[k]);
        if (content[k] == '"') ++k;
      }
      decoded = *scratch;
    }
    if (field == 0) out->nameEmpty = content.empty();
    if (field == 1) out->reading = decoded;
    i = quoted ? j + 2 : j + 1;
  }
  const std::string_view respect = value.substr(i);
  const long number = ParseDecimal(respect);
  char digits[24];
  const auto r = std::to_chars(digits, digits + sizeof digits, number);
  if (std::string_view(digits, static_cast<std::size_t>(r.ptr - digits)) != respect) return false;
  out->respect = static_cast<int>(number);
  return true;
}

}  // namespace store
