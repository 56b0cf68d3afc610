// UTF-8 to the ANSI code page a help file is written in (the build
// machine's converter).
#pragma once

#include <string>

namespace winhelp {

// Converts UTF-8 text to code page `codePage` (932, 1252, ...). False, with
// the offending text in `error`, when a character has no place in the page:
// a help text never loses characters silently.
bool ToCodePage(int codePage, const std::string& utf8, std::string* out, std::string* error);

// The character set number the help engine and fonts use for a code page
// (932 -> 128 Shift-JIS, 1252 -> 0 ANSI, ...); 1 (default) when unknown.
int CharsetOf(int codePage);

// The language a double-byte code page is written in (932 -> 0x0411
// Japanese, 936 -> 0x0804, 949 -> 0x0412, 950 -> 0x0404); 0 for the others,
// which serve several languages each.
unsigned LanguageOf(int codePage);

}  // namespace winhelp
