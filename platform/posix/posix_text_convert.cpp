#include <iconv.h>

#include <cerrno>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/sys/text_convert.h"
#include "platform/text/codepage.h"

namespace sys {

namespace {

// One conversion descriptor per direction and page, opened once per thread
// and put back in its initial state for each use: opening one costs far
// more than converting a line.
iconv_t Descriptor(const std::string& to, const std::string& from) {
  struct Open {
    std::string to, from;
    iconv_t cd;
  };
  struct Cache {
    std::vector<Open> open;
    ~Cache() {
      for (Open& o : open) ::iconv_close(o.cd);
    }
  };
  thread_local Cache cache;
  for (Open& o : cache.open) {
    if (o.to == to && o.from == from) {
      ::iconv(o.cd, nullptr, nullptr, nullptr, nullptr);
      return o.cd;
    }
  }
  iconv_t cd = ::iconv_open(to.c_str(), from.c_str());
  if (cd == reinterpret_cast<iconv_t>(-1)) return cd;
  cache.open.push_back({to, from, cd});
  return cd;
}

}  // namespace

bool CodePageToUtf8(int codePage, std::string_view in, std::string* out,
                    std::vector<std::size_t>* undefined) {
  out->clear();
  const std::string from = "CP" + std::to_string(codePage);
  iconv_t cd = Descriptor("UTF-8", from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return false;
  std::string buffer(in.size() * 4 + 16, '\0');
  char* src = const_cast<char*>(in.data());
  std::size_t srcLeft = in.size();
  while (srcLeft > 0) {
    char* dst = buffer.data();
    std::size_t dstLeft = buffer.size();
    std::size_t r = ::iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    out->append(buffer.data(), static_cast<std::size_t>(dst - buffer.data()));
    if (r == static_cast<std::size_t>(-1)) {
      if (errno == E2BIG) continue;
      out->append("\xEF\xBF\xBD");  // an invalid or incomplete sequence: skip one byte
      if (undefined) undefined->push_back(static_cast<std::size_t>(src - in.data()));
      ++src;
      --srcLeft;
      ::iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
  }
  return true;
}

namespace {

// Bytes of the UTF-8 character that starts with b (1 for a byte that starts none).
std::size_t Utf8Length(unsigned char b) {
  if (b >= 0xF0 && b <= 0xF4) return 4;
  if (b >= 0xE0) return b <= 0xEF ? 3 : 1;
  if (b >= 0xC2) return 2;
  return 1;
}

}  // namespace

namespace {

// The page's bytes for each code point below 0x10000, learnt once per page
// and thread from the system's conversion of every character of the page:
// 0x1000000 | byte, 0x2000000 | pair, 0 where the table does not know
// (a character of no byte, or one several bytes convert to and the system's
// reverse choice could not be learnt).
constexpr std::uint32_t kSingle = 0x1000000, kPair = 0x2000000;

// The code point of a UTF-8 text of exactly one character; -1 otherwise.
long OnlyCodePoint(const std::string& utf8) {
  if (utf8.empty()) return -1;
  const auto b = static_cast<unsigned char>(utf8[0]);
  const std::size_t n = b < 0x80 ? 1 : b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : 2;
  if (utf8.size() != n) return -1;
  long c = n == 1 ? b : n == 2 ? (b & 0x1F) : n == 3 ? (b & 0x0F) : (b & 0x07);
  for (std::size_t k = 1; k < n; ++k) c = (c << 6) | (static_cast<unsigned char>(utf8[k]) & 0x3F);
  return c;
}

const std::vector<std::uint32_t>* FromUnicodeTable(int codePage) {
  struct Entry {
    int codePage;
    std::vector<std::uint32_t> map;
  };
  thread_local std::vector<Entry> tables;
  for (const Entry& e : tables) {
    if (e.codePage == codePage) return e.map.empty() ? nullptr : &e.map;
  }
  tables.push_back({codePage, {}});
  std::vector<std::uint32_t> map(0x10000, 0);
  std::vector<bool> ambiguous(0x10000, false);
  std::string utf8;
  std::vector<std::size_t> undefined;
  const auto learn = [&](const std::string& bytes, std::uint32_t code) {
    undefined.clear();
    if (!CodePageToUtf8(codePage, bytes, &utf8, &undefined) || !undefined.empty()) return;
    const long c = OnlyCodePoint(utf8);
    if (c < 0 || c >= 0x10000) return;
    if (map[static_cast<std::size_t>(c)] != 0) ambiguous[static_cast<std::size_t>(c)] = true;
    map[static_cast<std::size_t>(c)] = code;
  };
  if (!CodePageToUtf8(codePage, "", &utf8)) return nullptr;
  for (int b = 0; b < 256; ++b) {
    if (text::IsLeadByte(codePage, static_cast<unsigned char>(b))) {
      for (int t = 0x40; t <= 0xFE; ++t) {
        if (!text::IsTrailByte(codePage, static_cast<unsigned char>(t))) continue;
        const std::string pair = {static_cast<char>(b), static_cast<char>(t)};
        learn(pair, kPair | static_cast<std::uint32_t>(b << 8 | t));
      }
    } else {
      learn(std::string(1, static_cast<char>(b)), kSingle | static_cast<std::uint32_t>(b));
    }
  }
  // Where several characters of the page give one code point, the system's
  // own reverse choice counts; left unknown when it is not one of them.
  for (std::size_t c = 0; c < map.size(); ++c) {
    if (!ambiguous[c]) continue;
    map[c] = 0;
  }
  tables.back().map = std::move(map);
  return &tables.back().map;
}

// The table's conversion; false (and *out unspecified) when a character is
// one the table does not know, or the text is no UTF-8.
bool ConvertByTable(const std::vector<std::uint32_t>& map, std::string_view in, std::string* out) {
  out->resize(in.size());
  std::size_t used = 0;
  for (std::size_t i = 0; i < in.size();) {
    const auto b = static_cast<unsigned char>(in[i]);
    std::uint32_t c;
    std::size_t n;
    if (b < 0x80) {
      c = b;
      n = 1;
    } else if (b >= 0xC2 && b <= 0xDF && i + 1 < in.size()) {
      const auto b1 = static_cast<unsigned char>(in[i + 1]);
      if ((b1 & 0xC0) != 0x80) return false;
      c = (b & 0x1Fu) << 6 | (b1 & 0x3Fu);
      n = 2;
    } else if (b >= 0xE0 && b <= 0xEF && i + 2 < in.size()) {
      const auto b1 = static_cast<unsigned char>(in[i + 1]);
      const auto b2 = static_cast<unsigned char>(in[i + 2]);
      if ((b1 & 0xC0) != 0x80 || (b2 & 0xC0) != 0x80) return false;
      c = (b & 0x0Fu) << 12 | (b1 & 0x3Fu) << 6 | (b2 & 0x3Fu);
      if (c < 0x800 || (c >= 0xD800 && c <= 0xDFFF)) return false;
      n = 3;
    } else {
      return false;
    }
    const std::uint32_t code = map[c];
    if (code & kSingle) {
      (*out)[used++] = static_cast<char>(code & 0xFF);
    } else if (code & kPair) {
      (*out)[used++] = static_cast<char>((code >> 8) & 0xFF);
      (*out)[used++] = static_cast<char>(code & 0xFF);
    } else {
      return false;
    }
    i += n;
  }
  out->resize(used);
  return true;
}

}  // namespace

bool Utf8ToCodePage(int codePage, std::string_view in, std::string* out, bool* lacking) {
  // Most texts convert character by character through the table; any other
  // goes to the system whole.
  if (const std::vector<std::uint32_t>* map = FromUnicodeTable(codePage)) {
    if (ConvertByTable(*map, in, out)) return true;
  }
  out->clear();
  const std::string to = "CP" + std::to_string(codePage);
  iconv_t cd = Descriptor(to, "UTF-8");
  if (cd == reinterpret_cast<iconv_t>(-1)) return false;
  // Straight into *out: no character takes more bytes in an ANSI page than
  // in UTF-8, so the room given is rarely too small (E2BIG grows it).
  char* src = const_cast<char*>(in.data());
  std::size_t srcLeft = in.size();
  std::size_t used = 0;
  out->resize(in.size() + 16);
  while (srcLeft > 0) {
    char* dst = &(*out)[used];
    std::size_t dstLeft = out->size() - used;
    const std::size_t r = ::iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    used = static_cast<std::size_t>(dst - out->data());
    if (r != static_cast<std::size_t>(-1)) continue;
    if (errno == E2BIG) {
      out->resize(out->size() * 2);
      continue;
    }
    // A character the page lacks, or bytes that are no UTF-8: one "?".
    std::size_t skip = Utf8Length(static_cast<unsigned char>(*src));
    if (skip > srcLeft) skip = srcLeft;
    for (std::size_t i = 1; i < skip; ++i) {
      if ((static_cast<unsigned char>(src[i]) & 0xC0) != 0x80) {
        skip = i;
        break;
      }
    }
    if (used == out->size()) out->resize(out->size() * 2);
    (*out)[used++] = '?';
    *lacking = true;
    src += skip;
    srcLeft -= skip;
    ::iconv(cd, nullptr, nullptr, nullptr, nullptr);
  }
  out->resize(used);
  return true;
}

}  // namespace sys
