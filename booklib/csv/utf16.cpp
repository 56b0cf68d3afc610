#include "booklib/csv/utf16.h"

namespace csv {

void AppendUtf8(unsigned c, std::string* utf8) {
  if (c < 0x80) {
    utf8->push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    utf8->push_back(static_cast<char>(0xC0 | (c >> 6)));
    utf8->push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    utf8->push_back(static_cast<char>(0xE0 | (c >> 12)));
    utf8->push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    utf8->push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    utf8->push_back(static_cast<char>(0xF0 | (c >> 18)));
    utf8->push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    utf8->push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    utf8->push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

void Utf16Decoder::Unit(unsigned unit, std::string* utf8) {
  if (!started_) {
    started_ = true;
    // Read little-endian so far: FF FE is the little-endian mark, FE FF
    // the big-endian one.
    if (unit == 0xFEFF) return;
    if (unit == 0xFFFE) {
      bigEndian_ = true;
      return;
    }
  }
  if (highSurrogate_ != 0) {
    if (unit >= 0xDC00 && unit <= 0xDFFF) {
      AppendUtf8(0x10000 + ((highSurrogate_ - 0xD800) << 10) + (unit - 0xDC00), utf8);
      highSurrogate_ = 0;
      return;
    }
    AppendUtf8(highSurrogate_, utf8);
    highSurrogate_ = 0;
  }
  if (unit >= 0xD800 && unit <= 0xDBFF) {
    highSurrogate_ = unit;
    return;
  }
  AppendUtf8(unit, utf8);
}

void Utf16Decoder::Feed(std::string_view piece, std::string* utf8) {
  std::size_t i = 0;
  if (heldByte_ >= 0 && !piece.empty()) {
    const unsigned a = static_cast<unsigned>(heldByte_);
    const unsigned b = static_cast<unsigned char>(piece[0]);
    heldByte_ = -1;
    i = 1;
    // The first unit is read little-endian until the mark has said.
    Unit(bigEndian_ ? (a << 8 | b) : (b << 8 | a), utf8);
  }
  for (; i + 1 < piece.size(); i += 2) {
    const unsigned a = static_cast<unsigned char>(piece[i]);
    const unsigned b = static_cast<unsigned char>(piece[i + 1]);
    Unit(bigEndian_ ? (a << 8 | b) : (b << 8 | a), utf8);
  }
  if (i < piece.size()) heldByte_ = static_cast<unsigned char>(piece[i]);
}

void Utf16Decoder::Finish(std::string* utf8) {
  if (highSurrogate_ != 0) {
    AppendUtf8(highSurrogate_, utf8);
    highSurrogate_ = 0;
  }
  if (heldByte_ >= 0) {
    utf8->push_back('\xFF');
    heldByte_ = -1;
  }
}

}  // namespace csv
