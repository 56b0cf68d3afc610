#include "tools/winhelp/text_encoding.h"

#include <iconv.h>

#include <cerrno>

namespace winhelp {

bool ToCodePage(int codePage, const std::string& utf8, std::string* out, std::string* error) {
  out->clear();
  const std::string to = "CP" + std::to_string(codePage);
  iconv_t cd = ::iconv_open(to.c_str(), "UTF-8");
  if (cd == reinterpret_cast<iconv_t>(-1)) {
    *error = "code page " + std::to_string(codePage) + " is not known here";
    return false;
  }
  std::string buffer(utf8.size() * 2 + 16, '\0');
  char* src = const_cast<char*>(utf8.data());
  std::size_t srcLeft = utf8.size();
  bool ok = true;
  while (srcLeft > 0) {
    char* dst = &buffer[0];
    std::size_t dstLeft = buffer.size();
    const std::size_t r = ::iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    out->append(buffer.data(), static_cast<std::size_t>(dst - buffer.data()));
    if (r == static_cast<std::size_t>(-1) && errno != E2BIG) {
      const std::size_t at = utf8.size() - srcLeft;
      *error = "\"" + utf8.substr(at > 20 ? at - 20 : 0, 40) + "\" has a character that code page " +
               std::to_string(codePage) + " lacks";
      ok = false;
      break;
    }
  }
  ::iconv_close(cd);
  return ok;
}

int CharsetOf(int codePage) {
  switch (codePage) {
    case 1252: return 0;
    case 932: return 128;
    case 949: return 129;
    case 936: return 134;
    case 950: return 136;
    case 1253: return 161;
    case 1254: return 162;
    case 1255: return 177;
    case 1256: return 178;
    case 1257: return 186;
    case 1251: return 204;
    case 874: return 222;
    case 1250: return 238;
    default: return 1;
  }
}

unsigned LanguageOf(int codePage) {
  switch (codePage) {
    case 932: return 0x0411;
    case 936: return 0x0804;
    case 949: return 0x0412;
    case 950: return 0x0404;
    default: return 0;
  }
}

}  // namespace winhelp
