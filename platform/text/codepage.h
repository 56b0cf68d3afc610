// Code-page primitives for the ANSI texts of the address book.
//
// Every text of the system is a byte string in the ANSI code page of the
// user's Windows (932 on Japanese systems). These functions know the
// double-byte tables of code pages 932, 936, 949 and 950; every other page is
// treated as a single-byte page (1250, 1252, ...). They are pure functions of
// the code page and the bytes and never read outside the view they are given.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace text {

constexpr int kCpJapanese = 932;
constexpr int kCpSimplifiedChinese = 936;
constexpr int kCpKorean = 949;
constexpr int kCpTraditionalChinese = 950;
constexpr int kCpCentralEurope = 1250;
constexpr int kCpWestern = 1252;

namespace detail {

constexpr unsigned char kLead = 1;
constexpr unsigned char kTrail = 2;

constexpr bool InRange(int b, int lo, int hi) { return b >= lo && b <= hi; }

// The lead and trail bytes of one double-byte page, one flag byte per byte.
constexpr std::array<unsigned char, 256> MakeByteTable(int codePage) {
  std::array<unsigned char, 256> t{};
  for (int b = 0; b < 256; ++b) {
    bool lead = false, trail = false;
    switch (codePage) {
      case 932:
        lead = InRange(b, 0x81, 0x9F) || InRange(b, 0xE0, 0xFC);
        trail = InRange(b, 0x40, 0x7E) || InRange(b, 0x80, 0xFC);
        break;
      case 936:
        lead = InRange(b, 0x81, 0xFE);
        trail = InRange(b, 0x40, 0x7E) || InRange(b, 0x80, 0xFE);
        break;
      case 949:
        lead = InRange(b, 0x81, 0xFE);
        trail = InRange(b, 0x41, 0x5A) || InRange(b, 0x61, 0x7A) || InRange(b, 0x81, 0xFE);
        break;
      case 950:
        lead = InRange(b, 0x81, 0xFE);
        trail = InRange(b, 0x40, 0x7E) || InRange(b, 0xA1, 0xFE);
        break;
      default:
        break;
    }
    t[static_cast<std::size_t>(b)] =
        static_cast<unsigned char>((lead ? kLead : 0) | (trail ? kTrail : 0));
  }
  return t;
}

inline constexpr std::array<unsigned char, 256> kTable932 = MakeByteTable(932);
inline constexpr std::array<unsigned char, 256> kTable936 = MakeByteTable(936);
inline constexpr std::array<unsigned char, 256> kTable949 = MakeByteTable(949);
inline constexpr std::array<unsigned char, 256> kTable950 = MakeByteTable(950);

// The flag table of a double-byte page; null for single-byte pages.
inline const unsigned char* ByteTable(int codePage) {
  switch (codePage) {
    case 932: return kTable932.data();
    case 936: return kTable936.data();
    case 949: return kTable949.data();
    case 950: return kTable950.data();
    default: return nullptr;
  }
}

inline bool PairAt(const unsigned char* table, std::string_view text, std::size_t i) {
  return table && i + 1 < text.size() &&
         (table[static_cast<unsigned char>(text[i])] & kLead) &&
         (table[static_cast<unsigned char>(text[i + 1])] & kTrail);
}

}  // namespace detail

// True for the four double-byte pages above.
bool IsDoubleBytePage(int codePage);

// Lead bytes: 932 0x81-0x9F and 0xE0-0xFC; 936, 949, 950 0x81-0xFE.
bool IsLeadByte(int codePage, unsigned char b);

// Bytes that may follow a lead byte in a legal double-byte character.
bool IsTrailByte(int codePage, unsigned char b);

// True when text[i] and text[i+1] form a legal double-byte character
// (a lead byte followed by a valid trail byte). A lead byte at the end of the
// text, or followed by a byte that cannot trail it, is not a pair.
inline bool IsDoubleByteAt(int codePage, std::string_view text, std::size_t i) {
  return detail::PairAt(detail::ByteTable(codePage), text, i);
}

// Bytes taken by the character at i: 2 for a legal pair, else 1 (0 at the end).
std::size_t CharLengthAt(int codePage, std::string_view text, std::size_t i);

// Number of characters in the text (a legal pair counts once).
std::size_t CountChars(int codePage, std::string_view text);

// The longest prefix of at most maxBytes bytes that does not end inside a
// double-byte character.
std::string_view CutToBytes(int codePage, std::string_view text, std::size_t maxBytes);

// Position of the first occurrence of the single byte c at or after from,
// stepping over legal double-byte characters; npos when there is none.
std::size_t FindByte(int codePage, std::string_view text, char c, std::size_t from = 0);

// The character at i as one value: (lead << 8) | trail for a legal pair, else
// the byte. Used by the comparisons below.
unsigned CharValueAt(int codePage, std::string_view text, std::size_t i);

// Lower case of one character value: ASCII A-Z and, in code page 932, the
// full-width Latin capitals (0x8260-0x8279) fold to their small letters.
inline unsigned FoldCase(int codePage, unsigned value) {
  if (value >= 'A' && value <= 'Z') return value + ('a' - 'A');
  if (codePage == kCpJapanese && value >= 0x8260 && value <= 0x8279) return value + 0x21;
  return value;
}

// Multibyte case-insensitive comparison in the manner of the runtime's
// _mbsicmp in the C locale: characters compared as whole values after
// FoldCase; a text that is a prefix of the other sorts first.
// Returns -1, 0 or 1.
int CompareNoCase(int codePage, std::string_view a, std::string_view b);

// Folding keeps every character's length, so texts equal without case have
// the same length; and first bytes that differ other than in the case of an
// ASCII letter start different characters (full-width letters share their
// lead byte).
inline bool EqualNoCase(int codePage, std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  if (a.empty()) return true;
  const auto x = static_cast<unsigned char>(a[0]);
  const auto y = static_cast<unsigned char>(b[0]);
  if (x != y) {
    const bool letters = ((x | 0x20) >= 'a' && (x | 0x20) <= 'z') && (x | 0x20) == (y | 0x20);
    if (!letters) return false;
  }
  return CompareNoCase(codePage, a, b) == 0;
}

// The ANSI code page that a Windows system of this interface language uses
// (1041 -> 932, 2052 -> 936, 1042 -> 949, 1028 -> 950, Central European
// languages -> 1250, everything else -> 1252). Used where no system says it.
int DefaultCodePageForLanguage(int langId);

}  // namespace text
