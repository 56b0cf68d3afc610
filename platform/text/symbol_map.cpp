// LCMapStringA(0, NORM_IGNORENONSPACE | NORM_IGNORESYMBOLS) of single bytes.
//
// Punctuation and symbols are removed; accented letters lose their accents;
// letters without a plain form (such as AE, eth, thorn, sharp s) and unused
// bytes stay as they are. The 1252 table is the one measured on the system;
// the 1250 table follows the same rules for the Central European letters.
#include <cstring>

#include "platform/text/codepage.h"
#include "platform/text/portable_collation.h"

namespace text {
namespace {

// Per byte 0x80-0xFF: 0 = removed, 1 = stays as it is, else the plain letter.
constexpr char kRemoved = 0;
constexpr char kStays = 1;

// clang-format off
const char kHigh1252[128] = {
  // 80    81      82       83      84       85       86       87       88       89       8A   8B       8C      8D      8E   8F
  kRemoved, kStays, kRemoved, kStays, kRemoved, kRemoved, kRemoved, kRemoved, kRemoved, kRemoved, 'S', kRemoved, kStays, kStays, 'Z', kStays,
  // 90   91        92        93        94        95        96        97        98        99        9A   9B        9C      9D      9E   9F
  kStays, kRemoved, kRemoved, kRemoved, kRemoved, kRemoved, kRemoved, kRemoved, kRemoved, kRemoved, 's', kRemoved, kStays, kStays, 'z', 'Y',
  // A0-AF: all removed
  kRemoved, kRemoved, kRemoved, kRemoved, kRemoved, kRemoved, kRemoved, kRemoved, kRemoved, kRemoved, kRemoved, kRemoved, kRemoved, kRemoved, kRemoved, kRemoved,
  // B0-BF: all removed
  kRemoved, kRemoved, kRemoved, kRemoved, kRemoved, kRemoved, kRemoved, kRemoved, kRemoved, kRemoved, kRemoved, kRemoved, kRemoved, kRemoved, kRemoved, kRemoved,
  // C0-CF
  'A', 'A', 'A', 'A', 'A', 'A', kStays, 'C', 'E', 'E', 'E', 'E', 'I', 'I', 'I', 'I',
  // D0-DF
  kStays, 'N', 'O', 'O', 'O', 'O', 'O', kRemoved, kStays, 'U', 'U', 'U', 'U', 'Y', kStays, kStays,
  // E0-EF
  'a', 'a', 'a', 'a', 'a', 'a', kStays, 'c', 'e', 'e', 'e', 'e', 'i', 'i', 'i', 'i',
  // F0-FF
  kStays, 'n', 'o', 'o', 'o', 'o', 'o', kRemoved, kStays, 'u', 'u', 'u', 'u', 'y', kStays, 'y',
};

const char kHigh1250[128] = {
  // 80: euro, -, low quote, -, low dquote, ellipsis, dagger, ddagger, -, permille, S caron, lsaquo, S acute, T caron, Z caron, Z acute
  kRemoved, kStays, kRemoved, kStays, kRemoved, kRemoved, kRemoved, kRemoved, kStays, kRemoved, 'S', kRemoved, 'S', 'T', 'Z', 'Z',
  // 90: -, quotes, bullet, dashes, -, TM, s caron, rsaquo, s acute, t caron, z caron, z acute
  kStays, kRemoved, kRemoved, kRemoved, kRemoved, kRemoved, kRemoved, kRemoved, kStays, kRemoved, 's', kRemoved, 's', 't', 'z', 'z',
  // A0: nbsp, caron, breve, L stroke, currency, A ogonek, broken bar, section, diaeresis, copyright, S cedilla, laquo, not, shy, registered, Z dot
  kRemoved, kRemoved, kRemoved, kStays, kRemoved, 'A', kRemoved, kRemoved, kRemoved, kRemoved, 'S', kRemoved, kRemoved, kRemoved, kRemoved, 'Z',
  // B0: degree, plusminus, ogonek, l stroke, acute, micro, pilcrow, middle dot, cedilla, a ogonek, s cedilla, raquo, L caron, dacute, l caron, z dot
  kRemoved, kRemoved, kRemoved, kStays, kRemoved, kRemoved, kRemoved, kRemoved, kRemoved, 'a', 's', kRemoved, 'L', kRemoved, 'l', 'z',
  // C0: R acute, A acute, A circ, A breve, A uml, L acute, C acute, C cedilla, C caron, E acute, E ogonek, E uml, E caron, I acute, I circ, D caron
  'R', 'A', 'A', 'A', 'A', 'L', 'C', 'C', 'C', 'E', 'E', 'E', 'E', 'I', 'I', 'D',
  // D0: D stroke, N acute, N caron, O acute, O circ, O dacute, O uml, times, R caron, U ring, U acute, U dacute, U uml, Y acute, T cedilla, sharp s
  kStays, 'N', 'N', 'O', 'O', 'O', 'O', kRemoved, 'R', 'U', 'U', 'U', 'U', 'Y', 'T', kStays,
  // E0
  'r', 'a', 'a', 'a', 'a', 'l', 'c', 'c', 'c', 'e', 'e', 'e', 'e', 'i', 'i', 'd',
  // F0: d stroke, ..., divide, ..., t cedilla, dot above
  kStays, 'n', 'n', 'o', 'o', 'o', 'o', kRemoved, 'r', 'u', 'u', 'u', 'u', 'y', 't', kRemoved,
};
// clang-format on

bool IsAsciiSymbol(unsigned char b) {
  return (b >= 0x20 && b <= 0x2F) || (b >= 0x3A && b <= 0x40) || (b >= 0x5B && b <= 0x60) ||
         (b >= 0x7B && b <= 0x7E);
}

// Tab, line feed, vertical tab, form feed and carriage return count as blanks.
bool IsControlBlank(unsigned char b) { return b >= 0x09 && b <= 0x0D; }

}  // namespace

int MapSingleByte(int codePage, unsigned char b, unsigned char* mapped) {
  if (b < 0x80) {
    if (IsAsciiSymbol(b) || IsControlBlank(b)) return 0;
    *mapped = b;
    return 1;
  }
  const char* table = nullptr;
  if (codePage == kCpWestern) table = kHigh1252;
  if (codePage == kCpCentralEurope) table = kHigh1250;
  const char entry = table ? table[b - 0x80] : kStays;
  if (entry == kRemoved) return 0;
  *mapped = entry == kStays ? b : static_cast<unsigned char>(entry);
  return 1;
}

}  // namespace text
