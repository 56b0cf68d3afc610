#include "platform/text/portable_collation.h"

#include <string>

#include "platform/text/codepage.h"
#include "platform/text/japanese_sort_key.h"

namespace text {

int JapaneseCollate(std::string_view a, std::string_view b) {
  thread_local std::string ka, kb;
  ka.clear();
  kb.clear();
  AppendJapaneseSortKey(a, &ka);
  AppendJapaneseSortKey(b, &kb);
  const int r = ka.compare(kb);
  return (r > 0) - (r < 0);
}

int PortableCollation::CollateNoCase(std::string_view a, std::string_view b) const {
  if (codePage_ == kCpJapanese) return JapaneseCollate(a, b);
  return CompareNoCase(codePage_, a, b);
}

bool PortableCollation::CollationKey(std::string_view text, std::string* key) const {
  key->clear();
  if (codePage_ == kCpJapanese) {
    AppendJapaneseSortKey(text, key);
    return true;
  }
  // CompareNoCase compares whole characters after folding: each character
  // as three bytes of seven bits.
  for (std::size_t i = 0; i < text.size();) {
    const unsigned value = FoldCase(codePage_, CharValueAt(codePage_, text, i));
    i += CharLengthAt(codePage_, text, i);
    key->push_back(static_cast<char>(1 + ((value >> 14) & 0x7F)));
    key->push_back(static_cast<char>(1 + ((value >> 7) & 0x7F)));
    key->push_back(static_cast<char>(1 + (value & 0x7F)));
  }
  return true;
}

int PortableCollation::MapByteIgnoringSymbols(unsigned char b, unsigned char* mapped) const {
  return MapSingleByte(codePage_, b, mapped);
}

}  // namespace text
