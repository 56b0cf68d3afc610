// The character set of a CSV file as the import decides it, and UTF-8
// values converted to the book's code page with what the page lacks named.
#include "booklib/csv/charset.h"

#include <gtest/gtest.h>

#include "platform/fake/fake_file_system.h"

namespace csv {
namespace {

TEST(CharsetDetector, MarkOrUtf8TheCodePageCannotReadElseTheCodePage) {
  struct Case {
    const char* what;
    int codePage;
    std::string bytes;
    Charset expected;
  } cases[] = {
      {"a mark and nothing else", 932, "\xEF\xBB\xBF", Charset::kUtf8},
      {"a mark before text the code page also reads", 932, "\xEF\xBB\xBFName,\x83\x5E\r\n", Charset::kUtf8},
      {"an empty file", 932, "", Charset::kCodePage},
      {"ASCII alone", 932, "Name,Fax\r\nKita,03\r\n", Charset::kCodePage},
      {"a mark cut short", 932, "\xEF\xBB", Charset::kCodePage},
      // UTF-8 hiragana before a comma: the lead byte 0x82 has no trail in 932.
      {"UTF-8 kana without a mark", 932, "Name\r\n\xE3\x81\x82,03\r\n", Charset::kUtf8},
      {"UTF-8 with a character 1252 leaves undefined", 1252, "\xC5\x81odz\r\n", Charset::kUtf8},
      // Half-width katakana of 932 that happen to be valid UTF-8 (U+00FD).
      {"code-page text that is valid UTF-8", 932, "\xC3\xBD,03\r\n", Charset::kCodePage},
      {"1252 text that is valid UTF-8", 1252, "Caf\xC3\xA9\r\n", Charset::kCodePage},
      {"Shift-JIS text", 932, "\x93\x63\x92\x86,\xC0\xC5\xB6\r\n", Charset::kCodePage},
      {"UTF-8 and then Shift-JIS", 932, "\xE3\x81\x82,\r\n\x83\x5E\r\n", Charset::kCodePage},
      {"a surrogate is no UTF-8", 932, "\xED\xA0\x80,\r\n", Charset::kCodePage},
      {"an overlong form is no UTF-8", 932, "\xC0\xAF,\r\n", Charset::kCodePage},
      {"UTF-8 cut at the end of the file", 932, "\xE3\x81\x82,\xE3\x81", Charset::kCodePage},
      {"no line feed at all", 932, "\xE3\x81\x82,", Charset::kUtf8},
      // UTF-16 by either mark, whatever follows.
      {"a little-endian UTF-16 mark", 932, std::string("\xFF\xFEN\0\xE9\0", 6), Charset::kUtf16},
      {"a big-endian UTF-16 mark", 1252, std::string("\xFE\xFF\0N\x30\x42", 6), Charset::kUtf16},
      {"a UTF-16 mark alone", 932, "\xFF\xFE", Charset::kUtf16},
      {"half a UTF-16 mark", 932, "\xFF", Charset::kCodePage},
      {"two bytes that are no mark", 1252, "\xFF\xFF", Charset::kCodePage},
      {"1252 text starting like a mark", 1252, "\xFE\xE9t\xE9\r\n", Charset::kCodePage},
  };
  for (const Case& c : cases) {
    for (std::size_t piece : {std::size_t{1}, std::size_t{2}, std::size_t{1000}}) {
      CharsetDetector detector(c.codePage);
      for (std::size_t at = 0; at < c.bytes.size(); at += piece) {
        if (!detector.Feed(std::string_view(c.bytes).substr(at, piece))) break;
      }
      EXPECT_EQ(detector.Result(), c.expected) << c.what << " in pieces of " << piece;
    }
    sys::FakeFileSystem files;
    files.SetFile("a.csv", c.bytes);
    EXPECT_EQ(DetectFileCharset(files, "a.csv", c.codePage), c.expected) << c.what;
  }
  sys::FakeFileSystem files;
  EXPECT_EQ(DetectFileCharset(files, "missing.csv", 932), Charset::kCodePage);
}

TEST(Utf8ValueToCodePage, ConvertsOrNamesTheFirstCharacterThePageLacksOrTheFirstBadByte) {
  using Kind = Unconverted::Kind;
  struct Case {
    int codePage;
    std::string utf8;
    std::string out;
    Kind kind;
    std::string codePoint;  // kLacking
    std::size_t byte;       // kNotUtf8
  } cases[] = {
      {932, "Kita", "Kita", Kind::kNone, "", 0},
      {932, "\xE7\x94\xB0\xE4\xB8\xAD", "\x93\x63\x92\x86", Kind::kNone, "", 0},
      {932, "\xEF\xBE\x80", "\xC0", Kind::kNone, "", 0},                       // half-width katakana
      {932, "a\xED\x95\x9C" "b\xED\x95\x9C", "a?b?", Kind::kLacking, "U+D55C", 0},
      {932, "\xF0\xA0\xAE\xB7", "?", Kind::kLacking, "U+20BB7", 0},
      {1252, "Caf\xC3\xA9 \xE2\x82\xAC", "Caf\xE9 \x80", Kind::kNone, "", 0},
      {1252, "\xE7\x94\xB0", "?", Kind::kLacking, "U+7530", 0},
      {1250, "\xC5\x81\xC3\xB3" "d\xC5\xBA", "\xA3\xF3" "d\x9F", Kind::kNone, "", 0},
      // Bytes that are no UTF-8, first or after a lacking character.
      {932, "x\xFF", "x?", Kind::kNotUtf8, "", 2},
      {932, "\x8E\x52\x93\x63", "?R?c", Kind::kNotUtf8, "", 1},        // Shift-JIS 山田
      {932, "\xE7\x94\xB0\x8E\x52", "\x93\x63?R", Kind::kNotUtf8, "", 4},
      {932, "\xED\x95\x9C\xC0\xAF", "???", Kind::kLacking, "U+D55C", 0},
      {932, "\xE7\x94", "??", Kind::kNotUtf8, "", 1},                      // cut short
  };
  for (const Case& c : cases) {
    std::string out = "stale";
    Unconverted why;
    why.byte = 99;
    EXPECT_EQ(Utf8ValueToCodePage(c.codePage, c.utf8, &out, &why), c.kind == Kind::kNone) << c.utf8;
    EXPECT_EQ(out, c.out) << c.utf8;
    EXPECT_EQ(why.kind, c.kind) << c.utf8;
    EXPECT_EQ(CodePointOf(why.character), c.codePoint) << c.utf8;
    EXPECT_EQ(why.byte, c.byte) << c.utf8;
  }
}

}  // namespace
}  // namespace csv
