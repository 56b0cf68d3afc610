// The character set of a CSV file: the system's code page, UTF-8 or
// UTF-16, and the conversion of UTF-8 values to the code page (a UTF-16
// file is read as UTF-8, see utf16.h).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/sys/file_system.h"

namespace csv {

// kUtf16: the byte order of the file's mark, little-endian without one.
enum class Charset { kCodePage, kUtf8, kUtf16 };

// The UTF-8 byte-order mark.
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// Decides the character set from the bytes of a file, fed in order in pieces
// of any size. UTF-16 when the file starts with a UTF-16 byte-order mark
// (either order); UTF-8 when it starts with a UTF-8 one, or when
// its bytes are valid UTF-8 holding at least one multi-byte sequence and are
// not valid text of the code page (a lead byte without its trail byte, or a
// byte or pair the system's tables leave undefined); the code page
// otherwise.
class CharsetDetector {
 public:
  explicit CharsetDetector(int codePage) : codePage_(codePage) {}

  // False once the answer is known whatever follows.
  bool Feed(std::string_view piece);
  Charset Result() const;

 private:
  bool FeedBody(std::string_view piece);
  void CheckCodePage(std::string_view text);
  void CheckUtf8(std::string_view piece);

  int codePage_;
  bool started_ = false;
  bool bom_ = false;
  bool utf16_ = false;
  bool utf8Valid_ = true;
  bool multiByte_ = false;
  bool pageValid_ = true;
  // UTF-8: continuation bytes still due, and the range the next one must lie
  // in (narrower after E0, ED, F0 and F4).
  int due_ = 0;
  unsigned char low_ = 0x80, high_ = 0xBF;
  // Code page: the bytes of an unfinished line held back, so that the
  // system's tables see whole characters.
  std::string held_;
};

// Detects the character set of the file at path; the code page when the
// file cannot be read.
Charset DetectFileCharset(sys::FileSystem& files, const std::string& path, int codePage);

// Why a value of a UTF-8 or UTF-16 file has no code-page form: the first
// character the page lacks, or the first bytes that are no character of the
// file's character set.
struct Unconverted {
  enum class Kind { kNone, kLacking, kNotUtf8, kNotUtf16 };
  Kind kind = Kind::kNone;
  // kLacking: the character, as UTF-8.
  std::string character;
  // kNotUtf8, kNotUtf16: where those bytes start in the value as the file
  // holds it, counted from 1.
  std::size_t byte = 0;
};

// Converts a UTF-8 value to the code page. False when a character cannot be
// held by the page or the bytes are no UTF-8: *first then says which came
// first, and *out holds the value with "?" in the place of each (for
// display only; such a value is never stored). With source kUtf16 the value
// is a UTF-16 file's made UTF-8: its bytes that are no UTF-8 stand for code
// units that are no UTF-16, and their place counts the file's bytes.
bool Utf8ValueToCodePage(int codePage, std::string_view utf8, std::string* out,
                         Unconverted* first, Charset source = Charset::kUtf8);

// "U+XXXX" of the first character of a UTF-8 text (empty for none, the
// bytes in hexadecimal for bytes that are no UTF-8).
std::string CodePointOf(std::string_view utf8);

}  // namespace csv
