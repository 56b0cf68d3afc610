// The text of a UTF-16 file (as spreadsheets save "Unicode text") made
// UTF-8, so that the import reads it as it reads a UTF-8 file.
#pragma once

#include <string>
#include <string_view>

namespace csv {

// The UTF-16 byte-order marks.
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf16BeBom = "\xFE\xFF";

// Turns the bytes of a UTF-16 file, fed in order in pieces of any size,
// into UTF-8. The byte order is the mark's, and the mark is dropped; a file
// without one is little-endian. What is no UTF-16 stays visible as bytes
// that are no UTF-8 either, one per code unit, so that a value holding it
// is refused and the place is known: a surrogate without its partner
// becomes the three bytes UTF-8 would give it (ED A0-BF 80-BF), and an odd
// byte at the end of the file the byte FF.
class Utf16Decoder {
 public:
  // Appends the UTF-8 of the code units the piece completes to *utf8.
  void Feed(std::string_view piece, std::string* utf8);
  // The end of the file: a high surrogate still waiting, and an odd last
  // byte.
  void Finish(std::string* utf8);

 private:
  void Unit(unsigned unit, std::string* utf8);

  bool started_ = false;
  bool bigEndian_ = false;
  int heldByte_ = -1;       // the first byte of a unit, until its second
  unsigned highSurrogate_ = 0;  // waiting for its low surrogate; 0 for none
};

// Appends the UTF-8 of one code point (or of a lone surrogate, as above).
void AppendUtf8(unsigned codePoint, std::string* utf8);

}  // namespace csv
