#include "platform/text/list_order.h"

#include <algorithm>
#include <cctype>

namespace text {
namespace {

struct MappedByte {
  bool plain;
  unsigned char mapped;
};

MappedByte MapOne(const Collation& collation, unsigned char b) {
  unsigned char out = 0;
  int n = collation.MapByteIgnoringSymbols(b, &out);
  if (n == 1 && out < 0x80) return {true, out};
  return {false, 0};
}

int Sign(int v) { return (v > 0) - (v < 0); }

}  // namespace

int CompareJapaneseList(const Collation& collation, std::string_view a, std::string_view b) {
  return Sign(collation.CollateNoCase(a, b));
}

int CompareOtherList(const Collation& collation, std::string_view a, std::string_view b) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const auto ra = static_cast<unsigned char>(a[i]);
    const auto rb = static_cast<unsigned char>(b[i]);
    if (ra == rb) continue;
    const MappedByte ma = MapOne(collation, ra);
    const MappedByte mb = MapOne(collation, rb);
    if (!ma.plain && !mb.plain) return ra < rb ? -1 : 1;
    if (!ma.plain) return -1;
    if (!mb.plain) return 1;
    const int la = std::tolower(ma.mapped);
    const int lb = std::tolower(mb.mapped);
    if (la != lb) return la < lb ? -1 : 1;
    if (ma.mapped != mb.mapped) return ma.mapped < mb.mapped ? -1 : 1;
    return ra < rb ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

int CompareListTexts(const Collation& collation, int langId, std::string_view a,
                     std::string_view b) {
  return langId == 1041 ? CompareJapaneseList(collation, a, b) : CompareOtherList(collation, a, b);
}

}  // namespace text
