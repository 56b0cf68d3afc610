#include "booklib/rules/text_replace.h"

#include "platform/text/codepage.h"

namespace rules {

std::string ReplaceAll(int codePage, std::string_view text, std::string_view search,
                       std::string_view replacement, int* count) {
  *count = 0;
  if (search.empty()) return std::string(text);
  std::string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    if (text.compare(i, search.size(), search) == 0) {
      out.append(replacement);
      i += search.size();
      ++*count;
      continue;
    }
    const std::size_t length = text::CharLengthAt(codePage, text, i);
    out.append(text.substr(i, length));
    i += length;
  }
  return out;
}

bool ReplacePrefix(std::string_view text, std::string_view search, std::string_view replacement,
                   std::string* out) {
  if (search.empty() || text.compare(0, search.size(), search) != 0) {
    out->assign(text);
    return false;
  }
  out->assign(replacement);
  out->append(text.substr(search.size()));
  return true;
}

std::string CutReplaced(int codePage, std::string_view value, std::size_t limit) {
  return std::string(text::CutToBytes(codePage, value, limit));
}

}  // namespace rules
