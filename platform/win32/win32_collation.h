// The system's own text order: the runtime's _mbsicoll in the process's
// locale (the multibyte code page is the ANSI one) and LCMapStringA.
#pragma once

#include <array>

#include "platform/text/collation.h"

namespace text {

class Win32Collation : public Collation {
 public:
  Win32Collation();
  int CodePage() const override { return codePage_; }
  int CollateNoCase(std::string_view a, std::string_view b) const override;
  // On code page 932, the sort key the comparison compares:
  // LCMapStringA(0x411, LCMAP_SORTKEY | NORM_IGNORECASE) of the text up to
  // its first NUL. Elsewhere no keys (the runtime's comparison is not the
  // locale's there).
  bool CollationKey(std::string_view text, std::string* key) const override;
  // LCMapStringA(0, NORM_IGNORENONSPACE | NORM_IGNORESYMBOLS) of the byte,
  // asked once per byte and remembered.
  int MapByteIgnoringSymbols(unsigned char b, unsigned char* mapped) const override;

 private:
  int codePage_;
  struct Mapping {
    signed char length = -1;  // -1: not asked yet
    unsigned char first = 0;
  };
  mutable std::array<Mapping, 256> mappings_;
};

}  // namespace text
