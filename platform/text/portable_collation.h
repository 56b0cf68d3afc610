// The portable backend of Collation: the rules of the system's locale
// services, implemented for the code pages the product supports.
#pragma once

#include "platform/text/collation.h"

namespace text {

class PortableCollation : public Collation {
 public:
  explicit PortableCollation(int codePage) : codePage_(codePage) {}

  int CodePage() const override { return codePage_; }

  // Code page 932: the system's Japanese order, see JapaneseCollate. Other
  // pages: CompareNoCase.
  int CollateNoCase(std::string_view a, std::string_view b) const override;
  // AppendJapaneseSortKey on code page 932; the characters folded as
  // CompareNoCase folds them elsewhere.
  bool CollationKey(std::string_view text, std::string* key) const override;

  // Tables for 1252 and 1250; ASCII alone on every other page, where bytes
  // 0x80-0xFF stay as they are.
  int MapByteIgnoringSymbols(unsigned char b, unsigned char* mapped) const override;

 private:
  int codePage_;
};

// The system's Japanese collation of Shift-JIS texts, case ignored (locale
// 0x411, NORM_IGNORECASE, word sort): the sort keys of AppendJapaneseSortKey
// compared byte by byte. Symbols come first, then digits, Latin letters,
// Greek, Cyrillic, kana by syllable (small, voiced, katakana and half-width
// forms weighed later) and kanji; hyphens, apostrophes and control
// characters weigh only where everything else is equal. Returns -1, 0 or 1;
// 0 for texts the system counts as equal ("ABC" and "abc").
int JapaneseCollate(std::string_view a, std::string_view b);

// Single-byte mapping of LCMapStringA with NORM_IGNORENONSPACE |
// NORM_IGNORESYMBOLS for one code page; see Collation.
int MapSingleByte(int codePage, unsigned char b, unsigned char* mapped);

}  // namespace text
