// Code-page primitives for the ANSI texts of the address book.
//
// Every text of the system is a byte string in the ANSI code page of the
// user's Windows (932 on Japanese systems). These functions know the
// double-byte tables of code pages 932, 936, 949 and 950; every other page is
// treated as a single-byte page (1250, 1252, ...). They are pure functions of
// the code page and the bytes and never read outside the view they are given.
#pragma once

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

// True for the four double-byte pages above.
bool IsDoubleBytePage(int codePage);

// Lead bytes: 932 0x81-0x9F and 0xE0-0xFC; 936, 949, 950 0x81-0xFE.
bool IsLeadByte(int codePage, unsigned char b);

// Bytes that may follow a lead byte in a legal double-byte character.
bool IsTrailByte(int codePage, unsigned char b);

// True when text[i] and text[i+1] form a legal double-byte character
// (a lead byte followed by a valid trail byte). A lead byte at the end of the
// text, or followed by a byte that cannot trail it, is not a pair.
bool IsDoubleByteAt(int codePage, std::string_view text, std::size_t i);

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
unsigned FoldCase(int codePage, unsigned value);

// Multibyte case-insensitive comparison in the manner of the runtime's
// _mbsicmp in the C locale: characters compared as whole values after
// FoldCase; a text that is a prefix of the other sorts first.
// Returns -1, 0 or 1.
int CompareNoCase(int codePage, std::string_view a, std::string_view b);

inline bool EqualNoCase(int codePage, std::string_view a, std::string_view b) {
  return CompareNoCase(codePage, a, b) == 0;
}

// The ANSI code page that a Windows system of this interface language uses
// (1041 -> 932, 2052 -> 936, 1042 -> 949, 1028 -> 950, Central European
// languages -> 1250, everything else -> 1252). Used where no system says it.
int DefaultCodePageForLanguage(int langId);

}  // namespace text
