#include <iconv.h>

#include <cerrno>
#include <string>

#include "platform/sys/text_convert.h"

namespace sys {

bool CodePageToUtf8(int codePage, std::string_view in, std::string* out) {
  out->clear();
  const std::string from = "CP" + std::to_string(codePage);
  iconv_t cd = ::iconv_open("UTF-8", from.c_str());
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
      ++src;
      --srcLeft;
      ::iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
  }
  ::iconv_close(cd);
  return true;
}

}  // namespace sys
