#include <windows.h>

#include <string>
#include <vector>

#include "platform/sys/text_convert.h"

namespace sys {

namespace {

// UTF-16 of bytes that are characters of the page; false when any is none.
// The system's tables carry a byte the page leaves undefined in 0x80-0x9F
// over as the control character of the same number (0x81 in 1252 becomes
// U+0081): that is no character of the page either.
bool StrictlyWide(UINT codePage, const char* bytes, int length, std::vector<wchar_t>* wide) {
  const int n = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes, length, nullptr, 0);
  if (n <= 0) return false;
  wide->resize(static_cast<std::size_t>(n));
  if (MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes, length, wide->data(), n) != n) {
    return false;
  }
  for (wchar_t c : *wide) {
    if (c >= 0x80 && c <= 0x9F) return false;
  }
  return true;
}

}  // namespace

bool CodePageToUtf8(int codePage, std::string_view in, std::string* out,
                    std::vector<std::size_t>* undefined) {
  out->clear();
  const UINT page = static_cast<UINT>(codePage);
  if (!IsValidCodePage(page)) return false;
  if (in.empty()) return true;
  std::vector<wchar_t> buffer;
  if (!StrictlyWide(page, in.data(), static_cast<int>(in.size()), &buffer)) {
    // Character by character: one that the page does not define becomes
    // U+FFFD for its first byte, and the next character starts after it.
    buffer.clear();
    std::vector<wchar_t> one;
    for (std::size_t i = 0; i < in.size();) {
      const bool pair = i + 1 < in.size() &&
                        IsDBCSLeadByteEx(page, static_cast<BYTE>(in[i])) != FALSE;
      if (pair && StrictlyWide(page, in.data() + i, 2, &one)) {
        i += 2;
      } else if (StrictlyWide(page, in.data() + i, 1, &one)) {
        i += 1;
      } else {
        one.assign(1, static_cast<wchar_t>(0xFFFD));
        if (undefined) undefined->push_back(i);
        i += 1;
      }
      buffer.insert(buffer.end(), one.begin(), one.end());
    }
  }
  const int wide = static_cast<int>(buffer.size());
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
