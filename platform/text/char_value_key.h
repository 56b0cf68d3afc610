// Keys for sorting many texts in the order of the character-value
// comparisons: CompareMultibyte (the runtime's _mbscmp) and CompareNoCase
// (its _mbsicmp). A key holds each character's value in two bytes, high
// byte first, so that the keys' byte order (unsigned bytes, a key that is
// the start of the other first) is the comparison's order, and equal keys
// stand for texts it counts as equal. A text's first four characters also
// fit one 64-bit number: where two numbers differ, their order is the
// texts' order; where they are equal the texts must still be compared.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace text {

// The key of CompareMultibyte's order: a lead byte of the code page takes
// the byte after it (whatever it is) into one character.
void AppendMultibyteKey(int codePage, std::string_view text, std::string* key);
// The first four characters of that key as one number (zeros past the end).
std::uint64_t MultibyteKeyPrefix(int codePage, std::string_view text);

// The key of CompareNoCase's order: legal pairs are one character, and
// every character is folded with FoldCase.
void AppendNoCaseKey(int codePage, std::string_view text, std::string* key);

}  // namespace text
