// UTF-16 files for the tests, made from UTF-8 text.
#pragma once

#include <string>
#include <string_view>

namespace utf16text {

// The UTF-16 bytes of a UTF-8 text, little- or big-endian, with the byte
// order's mark first when asked. The text must be valid UTF-8.
inline std::string Encode(std::string_view utf8, bool bigEndian = false, bool mark = true) {
  std::string out;
  const auto unit = [&](unsigned u) {
    const char high = static_cast<char>(u >> 8), low = static_cast<char>(u & 0xFF);
    out.push_back(bigEndian ? high : low);
    out.push_back(bigEndian ? low : high);
  };
  if (mark) unit(0xFEFF);
  for (std::size_t i = 0; i < utf8.size();) {
    const auto b = static_cast<unsigned char>(utf8[i]);
    const std::size_t n = b < 0x80 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
    unsigned c = n == 1 ? b : n == 2 ? (b & 0x1Fu) : n == 3 ? (b & 0x0Fu) : (b & 0x07u);
    for (std::size_t k = 1; k < n; ++k) c = (c << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3Fu);
    if (c >= 0x10000) {
      unit(0xD800 + ((c - 0x10000) >> 10));
      unit(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
      unit(c);
    }
    i += n;
  }
  return out;
}

// One raw code unit, little-endian: for surrogates without their partner.
inline std::string Unit(unsigned u) {
  return {static_cast<char>(u & 0xFF), static_cast<char>(u >> 8)};
}

}  // namespace utf16text
