// Texts whose byte limits fall on each byte of a character, on the code
// pages of the interface languages other than Japanese, and what a cut
// that keeps whole characters makes of them. The imports and their tests
// share the table.
#pragma once

#include <string>
#include <vector>

namespace cutpages {

struct Page {
  const char* language;  // the editor's "Language" value
  int langId;
  int codePage;
  std::string character;  // two bytes
  bool pair;              // one double-byte character, or two single bytes
  // What a cut before the character's second byte keeps of it.
  std::string First() const { return pair ? std::string() : character.substr(0, 1); }
};

inline const std::vector<Page>& Pages() {
  static const std::vector<Page> pages = {
      {"English", 1033, 932, "\x88\x9F", true},  // the English interface on a Japanese system
      {"Chinese", 2052, 936, "\xD6\xD0", true},
      {"Korean", 1042, 949, "\xC7\xD1", true},
      {"TChinese", 1028, 950, "\xA4\xA4", true},
      {"English", 1033, 1252, "\xE9\xE9", false},
  };
  return pages;
}

// Rows of a CSV import in the other languages' proposed mapping (reading,
// fax, sub-address, password, company, department, recipient), with the
// values the book holds after they were added. Each limit falls once on
// the character's first byte and once on its second; the clashing readings
// are cut to 13 bytes for their suffix "(2)".
struct Row {
  std::string reading, company, recipient;
  std::string storedReading, storedCompany, storedRecipient;
};

// The book's readings the clashing rows meet (in another letter case).
inline std::vector<std::string> TakenReadings(const Page& p) {
  return {std::string(12, 'k') + p.character + "z", std::string(11, 'l') + p.character + "zz"};
}

inline std::vector<Row> Rows(const Page& p) {
  const std::string& c = p.character;
  const std::string f = p.First();
  return {
      {std::string(15, 'A') + c, std::string(63, 'C') + c, std::string(19, 'E') + c,
       std::string(15, 'A') + f, std::string(63, 'C') + f, std::string(19, 'E') + f},
      {std::string(14, 'B') + c, std::string(62, 'D') + c, std::string(18, 'F') + c,
       std::string(14, 'B') + c, std::string(62, 'D') + c, std::string(18, 'F') + c},
      {std::string(12, 'K') + c + "Z", "", "", std::string(12, 'K') + f + "(2)", "", ""},
      {std::string(11, 'L') + c + "ZZ", "", "", std::string(11, 'L') + c + "(2)", "", ""},
  };
}

// A CSV line of the row: reading, fax, sub-address, password, company,
// department, recipient.
inline std::string CsvLine(const Row& r) {
  return r.reading + ",03-1,,," + r.company + ",," + r.recipient;
}

}  // namespace cutpages
