// The portable backend of Collation: the rules of the system's locale
// services, implemented for the code pages the product supports.
#pragma once

#include "platform/text/collation.h"

namespace text {

class PortableCollation : public Collation {
 public:
  explicit PortableCollation(int codePage) : codePage_(codePage) {}

  int CodePage() const override { return codePage_; }

  // Code page 932: the Japanese order (symbols, digits, Latin letters
  // without case, Greek and Cyrillic, kana in syllabary order with small,
  // voiced and half-width forms next to their plain kana, then kanji), see
  // JapaneseCollate. Other pages: CompareNoCase.
  int CollateNoCase(std::string_view a, std::string_view b) const override;
  // JapaneseCollationKey on code page 932; the folded characters elsewhere.
  bool CollationKey(std::string_view text, std::string* key) const override;

  // Tables for 1252 and 1250; ASCII alone on every other page, where bytes
  // 0x80-0xFF stay as they are.
  int MapByteIgnoringSymbols(unsigned char b, unsigned char* mapped) const override;

 private:
  int codePage_;
};

// The Japanese collation of Shift-JIS texts, case ignored, in three levels:
// base characters, then diacritics (small and voiced kana), then width and
// kana type. Returns -1, 0 or 1.
int JapaneseCollate(std::string_view a, std::string_view b);

// The key of JapaneseCollate: the three levels one after the other, each
// element in bytes 2 and above and each level ended by a 1.
std::string JapaneseCollationKey(std::string_view text);

// Single-byte mapping of LCMapStringA with NORM_IGNORENONSPACE |
// NORM_IGNORESYMBOLS for one code page; see Collation.
int MapSingleByte(int codePage, unsigned char b, unsigned char* mapped);

}  // namespace text
