// Reading vCard files (versions 2.1, 3.0 and 4.0) as phones and mail
// programs write them, for the import of their contacts as addresses.
//
// The reader takes any bytes. Lines end at LF (a CR before it dropped); a
// line that starts with a space or a tab continues the one before it; a
// quoted-printable value whose line ends with "=" continues on the next
// (also where that splits a double-byte character). A card runs from
// BEGIN:VCARD to END:VCARD, or to the next BEGIN or the end of the file
// when its END is missing. BASE64 values (photos, sounds) are passed over,
// however many lines they take, and never decoded. Values are decoded
// from quoted-printable, unescaped ("\,", "\;", "\n", "\\") from 3.0 on,
// and cut at kMaxValueBytes.
//
// Of each card the reader keeps what an address needs: the formatted name,
// the structured name's family and given names, the phonetic names, the
// fax number and the organisation. Each value keeps the character set its
// card or property gives: UTF-8, Shift-JIS, or the file's own (none given
// in a 2.1 card); converting to the code page is the caller's.
//
// Portable: no system.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace vcard {

constexpr std::size_t kMaxValueBytes = 4096;

enum class Charset {
  kUnknown,  // a 2.1 value without CHARSET: the caller decides
  kUtf8,     // CHARSET=UTF-8, and the default of 3.0 and 4.0
  kShiftJis  // CHARSET=SHIFT_JIS (and its other names)
};

struct Text {
  std::string bytes;
  Charset charset = Charset::kUnknown;
  bool empty() const { return bytes.empty(); }
};

struct Card {
  int line = 0;  // the BEGIN line, from 1
  std::string version;
  Text formattedName;            // FN
  Text familyName, givenName;    // N's first two components
  Text familyReading, givenReading;  // X-PHONETIC-LAST-NAME, -FIRST-NAME
  Text soundReading;             // SOUND;X-IRMC-N, its first two components joined
  Text sortAs;                   // N's SORT-AS parameter
  // The fax number: of the TEL properties whose types hold FAX, the first
  // that is also WORK, else the first that is neither HOME nor another
  // kind, else the first.
  Text fax;
  Text organisation, unit;       // ORG's first two components
  // The card ended without END (at the next BEGIN or the file's end).
  bool unended = false;
  // A value was longer than kMaxValueBytes and was cut.
  bool cut = false;
};

// Hands each card to `each` in file order; `each` returns false to stop.
// Returns the number of cards handed on.
int ReadCards(std::string_view file, const std::function<bool(const Card&)>& each);

}  // namespace vcard
