#include "platform/text/codepage.h"

namespace text {

bool IsDoubleBytePage(int codePage) {
  return codePage == kCpJapanese || codePage == kCpSimplifiedChinese ||
         codePage == kCpKorean || codePage == kCpTraditionalChinese;
}

bool IsLeadByte(int codePage, unsigned char b) {
  const unsigned char* table = detail::ByteTable(codePage);
  return table && (table[b] & detail::kLead);
}

bool IsTrailByte(int codePage, unsigned char b) {
  const unsigned char* table = detail::ByteTable(codePage);
  return table && (table[b] & detail::kTrail);
}

std::size_t CharLengthAt(int codePage, std::string_view text, std::size_t i) {
  if (i >= text.size()) return 0;
  return IsDoubleByteAt(codePage, text, i) ? 2 : 1;
}

std::size_t CountChars(int codePage, std::string_view text) {
  std::size_t n = 0;
  for (std::size_t i = 0; i < text.size(); i += CharLengthAt(codePage, text, i)) ++n;
  return n;
}

std::string_view CutToBytes(int codePage, std::string_view text, std::size_t maxBytes) {
  if (text.size() <= maxBytes) return text;
  std::size_t end = 0;
  while (end < text.size()) {
    std::size_t len = CharLengthAt(codePage, text, end);
    if (end + len > maxBytes) break;
    end += len;
  }
  return text.substr(0, end);
}

std::size_t FindByte(int codePage, std::string_view text, char c, std::size_t from) {
  for (std::size_t i = from; i < text.size(); i += CharLengthAt(codePage, text, i)) {
    if (text[i] == c && !IsDoubleByteAt(codePage, text, i)) return i;
  }
  return std::string_view::npos;
}

unsigned CharValueAt(int codePage, std::string_view text, std::size_t i) {
  if (IsDoubleByteAt(codePage, text, i)) {
    return (static_cast<unsigned char>(text[i]) << 8) | static_cast<unsigned char>(text[i + 1]);
  }
  return static_cast<unsigned char>(text[i]);
}

int CompareNoCase(int codePage, std::string_view a, std::string_view b) {
  const unsigned char* table = detail::ByteTable(codePage);
  std::size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    const bool pairA = detail::PairAt(table, a, i);
    const bool pairB = detail::PairAt(table, b, j);
    unsigned ca = static_cast<unsigned char>(a[i]);
    unsigned cb = static_cast<unsigned char>(b[j]);
    if (pairA) ca = (ca << 8) | static_cast<unsigned char>(a[i + 1]);
    if (pairB) cb = (cb << 8) | static_cast<unsigned char>(b[j + 1]);
    ca = FoldCase(codePage, ca);
    cb = FoldCase(codePage, cb);
    if (ca != cb) return ca < cb ? -1 : 1;
    i += pairA ? 2 : 1;
    j += pairB ? 2 : 1;
  }
  if (i < a.size()) return 1;
  if (j < b.size()) return -1;
  return 0;
}

int DefaultCodePageForLanguage(int langId) {
  switch (langId) {
    case 1041: return kCpJapanese;
    case 2052: return kCpSimplifiedChinese;
    case 1042: return kCpKorean;
    case 1028: return kCpTraditionalChinese;
    case 1029:  // Czech
    case 1038:  // Hungarian
    case 1045:  // Polish
    case 1050:  // Croatian
    case 1051:  // Slovak
    case 1060:  // Slovenian
    case 1048:  // Romanian
      return kCpCentralEurope;
    default:
      return kCpWestern;
  }
}

}  // namespace text
