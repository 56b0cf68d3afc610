// Code-page texts to UTF-8 on the system's own tables: characters of the
// page convert, and each byte that forms none is U+FFFD and named.
#include "platform/sys/text_convert.h"

#include <gtest/gtest.h>

namespace sys {
namespace {

TEST(CodePageToUtf8, NamesEveryByteThatIsNoCharacter) {
  const std::string bad = "\xEF\xBF\xBD";
  struct Case {
    int codePage;
    std::string in;
    std::string utf8;
    std::vector<std::size_t> undefined;
  } cases[] = {
      {1252, "Caf\xE9", "Caf\xC3\xA9", {}},
      {1250, "\x9A\xED", "\xC5\xA1\xC3\xAD", {}},
      {932, "A\xB1\x93\x63", "A\xEF\xBD\xB1\xE7\x94\xB0", {}},
      {932, "A\x81", "A" + bad, {1}},               // a lead byte with nothing after it
      {932, "\x81\x20" "B", bad + " B", {0}},       // a lead byte before no trail byte
      // A pair the page leaves unassigned: its first byte, and the next
      // character starts at the second.
      {932, "\x85\x40\x93\x63", bad + "@\xE7\x94\xB0", {0}},
      {932, "", "", {}},
      {932, "\x80\xA0\xFD", bad + bad + bad, {0, 1, 2}},  // single bytes the page leaves out
      {1252, "x\x81", "x" + bad, {1}},
      {1250, "\x81\x98", bad + bad, {0, 1}},
  };
  for (const Case& c : cases) {
    std::string out = "stale";
    std::vector<std::size_t> undefined;
    ASSERT_TRUE(CodePageToUtf8(c.codePage, c.in, &out, &undefined)) << c.codePage;
    EXPECT_EQ(out, c.utf8) << c.codePage << " " << c.in;
    EXPECT_EQ(undefined, c.undefined) << c.codePage << " " << c.in;
    std::string again;
    ASSERT_TRUE(CodePageToUtf8(c.codePage, c.in, &again));
    EXPECT_EQ(again, out) << "the same text without asking where";
  }
  std::string out;
  EXPECT_FALSE(CodePageToUtf8(54321, "x", &out)) << "no such code page";
}

}  // namespace
}  // namespace sys

#ifndef _WIN32
#include <iconv.h>

namespace sys {
namespace {

// The system's conversion of one UTF-8 text, asked directly; "" with
// *lacking set when it has none.
std::string SystemForm(int codePage, const std::string& utf8, bool* lacking) {
  const std::string to = "CP" + std::to_string(codePage);
  iconv_t cd = ::iconv_open(to.c_str(), "UTF-8");
  std::string out(16, '\0');
  char* src = const_cast<char*>(utf8.data());
  std::size_t srcLeft = utf8.size();
  char* dst = out.data();
  std::size_t dstLeft = out.size();
  *lacking = ::iconv(cd, &src, &srcLeft, &dst, &dstLeft) == static_cast<std::size_t>(-1);
  ::iconv_close(cd);
  out.resize(out.size() - dstLeft);
  return *lacking ? std::string() : out;
}

std::string Utf8Of(unsigned c) {
  std::string s;
  if (c < 0x80) {
    s += static_cast<char>(c);
  } else if (c < 0x800) {
    s += static_cast<char>(0xC0 | (c >> 6));
    s += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    s += static_cast<char>(0xE0 | (c >> 12));
    s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    s += static_cast<char>(0x80 | (c & 0x3F));
  }
  return s;
}

// Every character below U+10000 converts to the bytes the system gives it,
// or is lacking where the system has none (the native backend converts
// through a table it learns from the system).
TEST(Utf8ToCodePage, EveryCharacterAsTheSystemConvertsIt) {
  for (int codePage : {932, 1252, 936, 1250}) {
    int differences = 0;
    for (unsigned c = 1; c < 0x10000 && differences < 5; ++c) {
      if (c >= 0xD800 && c <= 0xDFFF) continue;
      const std::string utf8 = "a" + Utf8Of(c) + "b";
      bool systemLacking = false;
      const std::string expected = SystemForm(codePage, utf8, &systemLacking);
      std::string out;
      bool lacking = false;
      ASSERT_TRUE(Utf8ToCodePage(codePage, utf8, &out, &lacking));
      if (lacking != systemLacking || (!lacking && out != expected)) {
        ++differences;
        ADD_FAILURE() << codePage << " U+" << std::hex << c;
      }
    }
  }
}

}  // namespace
}  // namespace sys
#endif
