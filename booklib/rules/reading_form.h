// Readings as the book keeps them. Japanese sources write a reading in
// hiragana or full-width katakana; the book keeps half-width katakana. One
// rule turns the first into the second, as the system's own width and kana
// mapping does (to half-width, to katakana) on the Japanese code page:
//
// - hiragana and full-width katakana become half-width katakana; a voiced
//   or semi-voiced kana becomes the kana and "ﾞ" or "ﾟ" (ガ: ｶﾞ, パ: ﾊﾟ,
//   ヴ: ｳﾞ); the small kana become the small half-width kana (ァ: ｧ, ッ: ｯ);
//   the long-vowel mark, the sound marks and the Japanese punctuation that
//   has a half-width form (、。・「」) become it;
// - the full-width forms of the ASCII letters, digits and symbols become
//   ASCII, all but "＼", which the system keeps (on this code page the
//   backslash's byte is the yen sign);
// - the kana without a half-width form stay katakana (ゎ, ゐ, ゑ become ヮ,
//   ヰ, ヱ; ヵ and ヶ stay), as everything else stays as it is: kanji, and
//   the ideographic space, which the field's own normalisation reads as
//   two spaces.
//
// Portable: no system. Texts are bytes of the code page; on any code page
// but 932 the rule changes nothing.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace rules {

// The reading in the book's form (see above).
std::string ToBookReading(std::string_view text, int codePage);

// Whether every character of the text is a kana (hiragana, katakana of
// either width, the long-vowel and sound marks): a name written in kana is
// its own reading.
bool IsAllKana(std::string_view text, int codePage);

// A reading cut to at most `limit` bytes without splitting a character or
// separating a half-width kana from the "ﾞ" or "ﾟ" after it (both go).
std::string CutReading(std::string_view text, std::size_t limit, int codePage);

// The kana of UTF-8 text that the Japanese code page lacks, turned into the
// katakana it has (ゔ: ヴ, ゕ: ヵ, ゖ: ヶ), so that a reading from a UTF-8
// source converts to the code page and then takes the rule above.
std::string KanaTheCodePageHas(std::string_view utf8);

}  // namespace rules
