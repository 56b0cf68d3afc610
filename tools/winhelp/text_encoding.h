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

}  // namespace winhelp
