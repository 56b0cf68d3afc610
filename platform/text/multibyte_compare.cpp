#include "platform/text/multibyte_compare.h"

#include "platform/text/codepage.h"

namespace text {
namespace {

// The character at i and its length.
unsigned CharAt(const unsigned char* table, std::string_view s, std::size_t i, std::size_t* length) {
  const auto b = static_cast<unsigned char>(s[i]);
  if (table && (table[b] & detail::kLead) && i + 1 < s.size()) {
    *length = 2;
    return (static_cast<unsigned>(b) << 8) | static_cast<unsigned char>(s[i + 1]);
  }
  *length = 1;
  return b;
}

}  // namespace

int CompareMultibyte(int codePage, std::string_view a, std::string_view b) {
  const unsigned char* table = detail::ByteTable(codePage);
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < a.size() && j < b.size()) {
    std::size_t la = 1;
    std::size_t lb = 1;
    const unsigned ca = CharAt(table, a, i, &la);
    const unsigned cb = CharAt(table, b, j, &lb);
    if (ca != cb) return ca < cb ? -1 : 1;
    i += la;
    j += lb;
  }
  if (i < a.size()) return 1;
  if (j < b.size()) return -1;
  return 0;
}

}  // namespace text
