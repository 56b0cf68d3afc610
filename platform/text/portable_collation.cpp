#include "platform/text/portable_collation.h"

#include "platform/text/codepage.h"

namespace text {

int PortableCollation::CollateNoCase(std::string_view a, std::string_view b) const {
  if (codePage_ == kCpJapanese) return JapaneseCollate(a, b);
  return CompareNoCase(codePage_, a, b);
}

int PortableCollation::MapByteIgnoringSymbols(unsigned char b, unsigned char* mapped) const {
  return MapSingleByte(codePage_, b, mapped);
}

}  // namespace text
