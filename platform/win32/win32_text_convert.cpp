#include <windows.h>

#include <string>
#include <vector>

#include "platform/sys/text_convert.h"

namespace sys {

bool CodePageToUtf8(int codePage, std::string_view in, std::string* out) {
  out->clear();
  if (!IsValidCodePage(static_cast<UINT>(codePage))) return false;
  if (in.empty()) return true;
  const int inLength = static_cast<int>(in.size());
  const int wide = MultiByteToWideChar(static_cast<UINT>(codePage), 0, in.data(), inLength,
                                       nullptr, 0);
  if (wide <= 0) return false;
  std::vector<wchar_t> buffer(static_cast<std::size_t>(wide));
  MultiByteToWideChar(static_cast<UINT>(codePage), 0, in.data(), inLength, buffer.data(), wide);
  const int bytes = WideCharToMultiByte(CP_UTF8, 0, buffer.data(), wide, nullptr, 0, nullptr,
                                        nullptr);
  if (bytes <= 0) return false;
  out->resize(static_cast<std::size_t>(bytes));
  WideCharToMultiByte(CP_UTF8, 0, buffer.data(), wide, out->data(), bytes, nullptr, nullptr);
  return true;
}

bool Utf8ToCodePage(int codePage, std::string_view in, std::string* out, bool* lacking) {
  out->clear();
  if (!IsValidCodePage(static_cast<UINT>(codePage))) return false;
  if (in.empty()) return true;
  // Invalid UTF-8 makes the strict conversion fail; the lenient one then
  // gives U+FFFD for it, which no ANSI page has.
  const int inLength = static_cast<int>(in.size());
  int wide = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, in.data(), inLength, nullptr, 0);
  if (wide <= 0) {
    *lacking = true;
    wide = MultiByteToWideChar(CP_UTF8, 0, in.data(), inLength, nullptr, 0);
    if (wide <= 0) return true;
  }
  std::vector<wchar_t> buffer(static_cast<std::size_t>(wide));
  MultiByteToWideChar(CP_UTF8, 0, in.data(), inLength, buffer.data(), wide);
  BOOL usedDefault = FALSE;
  const int bytes = WideCharToMultiByte(static_cast<UINT>(codePage), WC_NO_BEST_FIT_CHARS,
                                        buffer.data(), wide, nullptr, 0, "?", &usedDefault);
  if (bytes <= 0) return true;
  out->resize(static_cast<std::size_t>(bytes));
  WideCharToMultiByte(static_cast<UINT>(codePage), WC_NO_BEST_FIT_CHARS, buffer.data(), wide,
                      out->data(), bytes, "?", &usedDefault);
  if (usedDefault) *lacking = true;
  return true;
}

}  // namespace sys
