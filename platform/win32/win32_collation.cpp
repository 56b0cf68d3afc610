#include "platform/win32/win32_collation.h"

#include <windows.h>
#include <mbstring.h>

#include <string>

namespace text {

Win32Collation::Win32Collation() : codePage_(static_cast<int>(GetACP())) {}

int Win32Collation::CollateNoCase(std::string_view a, std::string_view b) const {
  // The runtime compares zero-terminated texts.
  const std::string x(a);
  const std::string y(b);
  const int r = _mbsicoll(reinterpret_cast<const unsigned char*>(x.c_str()),
                          reinterpret_cast<const unsigned char*>(y.c_str()));
  return (r > 0) - (r < 0);
}

bool Win32Collation::CollationKey(std::string_view text, std::string* key) const {
  if (codePage_ != 932) return false;
  key->clear();
  text = text.substr(0, text.find('\0'));
  if (text.empty()) {
    // The key of no text: four empty levels.
    key->assign("\x01\x01\x01\x01", 4);
    key->push_back('\0');
    return true;
  }
  const int flags = LCMAP_SORTKEY | NORM_IGNORECASE;
  const int size = static_cast<int>(text.size());
  const int n = LCMapStringA(0x411, flags, text.data(), size, nullptr, 0);
  if (n <= 0) return false;
  key->resize(static_cast<std::size_t>(n));
  if (LCMapStringA(0x411, flags, text.data(), size, &(*key)[0], n) != n) return false;
  return true;
}

int Win32Collation::MapByteIgnoringSymbols(unsigned char b, unsigned char* mapped) const {
  Mapping& m = mappings_[b];
  if (m.length < 0) {
    const char in[1] = {static_cast<char>(b)};
    char out[8] = {};
    const int n = LCMapStringA(0, NORM_IGNORENONSPACE | NORM_IGNORESYMBOLS, in, 1, out,
                               static_cast<int>(sizeof(out)));
    m.length = static_cast<signed char>(n > 0 ? n : 0);
    m.first = static_cast<unsigned char>(out[0]);
  }
  if (m.length > 0) *mapped = m.first;
  return m.length;
}

}  // namespace text
