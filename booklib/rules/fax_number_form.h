// Fax numbers as people type them, in the form the book keeps: digits,
// "-", spaces, "#" and "*". Imports bring numbers written with full-width
// digits, brackets around the area code, dots between the groups, an
// international "+" and a note after the number ("内線123", "ext. 12",
// "(代)"); one rule turns them into the book's form:
//
// - full-width digits, hyphens, minus signs, dashes, brackets, dots, "+"
//   and the ideographic space become their ASCII forms;
// - brackets and dots between digits become hyphens ("(03)1234-5678" and
//   "03.1234.5678": "03-1234-5678");
// - a leading "+" and the system's own country code become the national
//   form ("+81 3-1234-5678": "03-1234-5678", a "(0)" after the code
//   dropped); any other "+" becomes the system's international call prefix;
// - a note after the number (an extension, 代表, 直通) is dropped, and the
//   caller is told what was dropped.
// Letters or anything else within the number stay, and the number then
// fails the field's character class, as before.
//
// Portable: no system. Texts are bytes of the code page; the full-width
// forms are those of code page 932.
#pragma once

#include <string>
#include <string_view>

namespace rules {

// How the system's country is dialled: its calling code and the prefix that
// starts an international call from it.
struct DialingPlan {
  int countryCode = 81;
  std::string internationalPrefix = "010";
};

// The plan of a country by its calling code ("00" as the prefix where no
// other is known).
DialingPlan DialingPlanOf(int countryCode);

struct FaxNumberForm {
  std::string number;
  // The note dropped after the number, as it was written; empty for none.
  std::string droppedNote;
  // The number passes the fax number's character class and holds a digit.
  bool ok = false;
};

FaxNumberForm ToBookFaxNumber(std::string_view text, int codePage, const DialingPlan& plan);

// The dashes and minus signs of UTF-8 text that the Japanese code page
// lacks (‐ ‒ – — ― −, U+2010 to U+2015 and U+2212) turned into "-", so that
// a number from a UTF-8 source converts to the code page.
std::string DashesTheCodePageHas(std::string_view utf8);

}  // namespace rules
