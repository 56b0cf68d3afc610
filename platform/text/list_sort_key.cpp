#include "platform/text/list_sort_key.h"

#include <cctype>

namespace text {

ListSortKeys::ListSortKeys(const Collation& collation, int langId)
    : collation_(collation), japanese_(langId == 1041) {
  if (japanese_) {
    std::string probe;
    available_ = collation.CollationKey("", &probe);
    return;
  }
  available_ = true;
  // CompareOtherList decides at the first position where the raw bytes
  // differ: special bytes (those that map to nothing or to a byte of 0x80
  // or more) first, by raw byte; then plain ones by the mapped letter
  // ignoring case, the mapped letter, the raw byte. One four-byte weight
  // per byte gives the same order.
  for (int b = 0; b < 256; ++b) {
    unsigned char mapped = 0;
    const int n = collation.MapByteIgnoringSymbols(static_cast<unsigned char>(b), &mapped);
    std::array<char, 4>& w = weights_[static_cast<std::size_t>(b)];
    if (n == 1 && mapped < 0x80) {
      w = {2, static_cast<char>(std::tolower(mapped)), static_cast<char>(mapped),
           static_cast<char>(b)};
    } else {
      w = {1, static_cast<char>(b), 0, 0};
    }
  }
}

void ListSortKeys::KeyOf(std::string_view text, std::string* key) const {
  key->clear();
  if (!available_) return;
  if (japanese_) {
    collation_.CollationKey(text, key);
    return;
  }
  key->reserve(text.size() * 4);
  for (char c : text) {
    const std::array<char, 4>& w = weights_[static_cast<unsigned char>(c)];
    key->append(w.data(), w.size());
  }
}

}  // namespace text
