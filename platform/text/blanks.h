// Space normalisation of ANSI texts.
#pragma once

#include <string>
#include <string_view>

namespace text {

// Replaces every ideographic space of code page 932 (the double-byte
// character 0x81 0x40) by two ASCII spaces; the length stays the same. The
// text is walked character by character, so a 0x81 0x40 that is not a
// character of its own (its 0x81 is the trail of another character) stays.
// Other code pages have no such character at those bytes (in 936 they are a
// CJK ideograph) and are returned unchanged.
std::string ReplaceWideSpaces(int codePage, std::string_view text);

// Removes leading and trailing blanks: space, tab, line feed, vertical tab,
// form feed and carriage return.
std::string_view TrimBlanks(std::string_view text);

// ReplaceWideSpaces followed by TrimBlanks: how texts are normalised when
// they are read from a book or confirmed in a dialog.
std::string NormaliseSpaces(int codePage, std::string_view text);

// The same, into *out (whose buffer is reused).
void NormaliseSpacesInto(int codePage, std::string_view text, std::string* out);

}  // namespace text
