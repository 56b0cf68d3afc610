// The locale-dependent text services behind the list orderings.
//
// Where the system's own locale decides how texts compare, the editor asks
// this interface. The Win32 backend calls the system (the runtime's _mbsicoll
// and LCMapStringA); PortableCollation implements the same rules for the code
// pages the product supports, so that the portable tools and the tests order
// books the way the editor does.
#pragma once

#include <string>
#include <string_view>

namespace text {

class Collation {
 public:
  virtual ~Collation() = default;

  // The ANSI code page the texts are in.
  virtual int CodePage() const = 0;

  // The multibyte case-insensitive collation of the user's locale, as the
  // runtime's _mbsicoll gives it, reduced to -1, 0 or 1.
  virtual int CollateNoCase(std::string_view a, std::string_view b) const = 0;

  // A key of the text for sorting many texts at once, in *key: two keys
  // compared as unsigned bytes (a key that is the start of the other first)
  // order their texts as CollateNoCase does, and are equal for texts it
  // counts as equal. False when the backend makes no keys; callers then
  // compare the texts.
  virtual bool CollationKey(std::string_view /*text*/, std::string* /*key*/) const {
    return false;
  }

  // One byte mapped alone as LCMapStringA(locale 0, NORM_IGNORENONSPACE |
  // NORM_IGNORESYMBOLS) maps it. Returns the number of bytes the mapping
  // produced (0 when the byte is removed, as punctuation is) and stores the
  // first of them in *mapped when there is one.
  virtual int MapByteIgnoringSymbols(unsigned char b, unsigned char* mapped) const = 0;
};

}  // namespace text
