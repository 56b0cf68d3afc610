#include <iconv.h>

#include <cerrno>
#include <string>
#include <vector>

#include "platform/sys/text_convert.h"

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

bool Utf8ToCodePage(int codePage, std::string_view in, std::string* out, bool* lacking) {
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
