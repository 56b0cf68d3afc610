#include "platform/text/blanks.h"

#include "platform/text/codepage.h"

namespace text {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Replaces the ideographic spaces of *s in place.
void ReplaceWideSpacesInPlace(int codePage, std::string* s) {
  if (codePage != kCpJapanese) return;
  std::string& out = *s;
  // Only the part up to the last 0x81 0x40 needs the character walk.
  const std::size_t last = out.rfind("\x81\x40");
  if (last == std::string::npos) return;
  for (std::size_t i = 0; i <= last;) {
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
}

}  // namespace

std::string ReplaceWideSpaces(int codePage, std::string_view text) {
  std::string out(text);
  ReplaceWideSpacesInPlace(codePage, &out);
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
  std::string out;
  NormaliseSpacesInto(codePage, text, &out);
  return out;
}

void NormaliseSpacesInto(int codePage, std::string_view text, std::string* out) {
  if (codePage != kCpJapanese || text.find("\x81\x40") == std::string_view::npos) {
    out->assign(TrimBlanks(text));
    return;
  }
  out->assign(text);
  ReplaceWideSpacesInPlace(codePage, out);
  const std::string_view trimmed = TrimBlanks(*out);
  const std::size_t begin = static_cast<std::size_t>(trimmed.data() - out->data());
  out->resize(begin + trimmed.size());
  out->erase(0, begin);
}

}  // namespace text
