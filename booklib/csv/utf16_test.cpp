// A UTF-16 file made UTF-8: either byte order, characters beyond U+FFFF,
// and what is no UTF-16 kept visible, in pieces of any size.
#include "booklib/csv/utf16.h"

#include <gtest/gtest.h>

#include "tests/support/utf16_text.h"

namespace csv {
namespace {

std::string Decode(const std::string& bytes, std::size_t piece) {
  Utf16Decoder decoder;
  std::string out;
  for (std::size_t at = 0; at < bytes.size(); at += piece) {
    decoder.Feed(std::string_view(bytes).substr(at, piece), &out);
  }
  decoder.Finish(&out);
  return out;
}

TEST(Utf16Decoder, EitherOrderByItsMarkAndWhatIsNoUtf16StaysVisible) {
  const std::string text = u8"Name\t姓\r\n𠮷野家,ｶﾅ\r\n";
  using utf16text::Encode;
  using utf16text::Unit;
  struct Case {
    const char* what;
    std::string bytes;
    std::string utf8;
  } cases[] = {
      {"little-endian with its mark", Encode(text), text},
      {"big-endian with its mark", Encode(text, true), text},
      {"no mark: little-endian", Encode(text, false, false), text},
      {"the mark alone", Encode(""), ""},
      {"an empty file", "", ""},
      {"a mark in the text is a character", Encode(u8"\uFEFFa"), u8"\uFEFFa"},
      {"NUL stays", Encode(std::string("a\0b", 3)), std::string("a\0b", 3)},
      {"a low surrogate alone", Encode("a") + Unit(0xDC00) + Unit('b'), "a\xED\xB0\x80" "b"},
      {"a high surrogate before a letter", Encode("a") + Unit(0xD83D) + Unit('b'),
       "a\xED\xA0\xBD" "b"},
      {"two high surrogates, then a low one", Unit(0xD800) + Unit(0xD83D) + Unit(0xDE00),
       "\xED\xA0\x80\xF0\x9F\x98\x80"},
      {"a high surrogate at the end", Encode("a") + Unit(0xDBFF), "a\xED\xAF\xBF"},
      {"an odd byte at the end", Encode("ab") + "x", "ab\xFF"},
      {"one byte", "\xFF", "\xFF"},
  };
  for (const Case& c : cases) {
    for (std::size_t piece : {std::size_t{1}, std::size_t{2}, std::size_t{3}, std::size_t{4096}}) {
      EXPECT_EQ(Decode(c.bytes, piece), c.utf8) << c.what << " in pieces of " << piece;
    }
  }
}

}  // namespace
}  // namespace csv
