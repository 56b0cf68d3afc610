#include "platform/text/blanks.h"

#include "platform/text/codepage.h"

namespace text {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

std::string ReplaceWideSpaces(int codePage, std::string_view text) {
  std::string out(text);
  if (codePage != kCpJapanese) return out;
  for (std::size_t i = 0; i < out.size();) {
    if (IsDoubleByteAt(codePage, out, i)) {
      if (static_cast<unsigned char>(out[i]) == 0x81 && out[i + 1] == 0x40) {
        out[i] = ' ';
        out[i + 1] = ' ';
      }
      i += 2;
    } else {
      ++i;
    }
  }
  return out;
}

std::string_view TrimBlanks(std::string_view text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

std::string NormaliseSpaces(int codePage, std::string_view text) {
  return std::string(TrimBlanks(ReplaceWideSpaces(codePage, text)));
}

}  // namespace text
