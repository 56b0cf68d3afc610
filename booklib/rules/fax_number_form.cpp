#include "booklib/rules/fax_number_form.h"

#include <cctype>
#include <cstring>

#include "booklib/rules/field_rules.h"
#include "platform/text/codepage.h"

namespace rules {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The ASCII form of a double-byte character of code page 932 that may be
// part of a number; 0 for none.
char AsciiOf(unsigned code) {
  if (code >= 0x824F && code <= 0x8258) return static_cast<char>('0' + (code - 0x824F));
  switch (code) {
    case 0x817C:  // －
    case 0x815D:  // ‐
    case 0x815C:  // ―
      return '-';
    case 0x8140: return ' ';  // the ideographic space
    case 0x8169: return '(';
    case 0x816A: return ')';
    case 0x8144: return '.';  // ．
    case 0x817B: return '+';
    case 0x8194: return '#';
    case 0x8196: return '*';
    default: return 0;
  }
}

// The text with the full-width forms above in ASCII; other characters as
// they are.
std::string Narrowed(std::string_view text, int codePage) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    std::size_t n = text::CharLengthAt(codePage, text, i);
    if (n == 0) n = 1;
    if (n == 2 && codePage == 932) {
      const unsigned code = (static_cast<unsigned>(static_cast<unsigned char>(text[i])) << 8) |
                            static_cast<unsigned char>(text[i + 1]);
      const char ascii = AsciiOf(code);
      if (ascii != 0) {
        out.push_back(ascii);
        i += n;
        continue;
      }
    }
    out.append(text.substr(i, n));
    i += n;
  }
  return out;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(text[i])) != prefix[i]) return false;
  }
  return true;
}

// Whether a note starts here: an extension or the words offices write after
// a number. The Japanese words are bytes of code page 932.
bool NoteStartsAt(std::string_view rest, int codePage) {
  static const char* const kWords[] = {
      "\x93\xE0\x90\xFC",  // 内線
      "\x91\xE3\x95\x5C",  // 代表
      "\x92\xBC\x92\xCA",  // 直通
      "\x91\xE3",          // 代
  };
  std::string_view r = rest;
  if (!r.empty() && (r[0] == '(' || r[0] == '[')) r.remove_prefix(1);
  if (codePage == 932) {
    for (const char* word : kWords) {
      if (r.substr(0, std::strlen(word)) == word) return true;
    }
  }
  if (StartsWithNoCase(r, "ext")) return true;
  // "x12", "x 12": an extension.
  if (!r.empty() && (r[0] == 'x' || r[0] == 'X')) {
    std::size_t i = 1;
    while (i < r.size() && (r[i] == ' ' || r[i] == '.')) ++i;
    return i < r.size() && IsDigit(r[i]);
  }
  return false;
}

std::string Trimmed(std::string_view text) {
  std::size_t b = 0, e = text.size();
  while (b < e && text[b] == ' ') ++b;
  while (e > b && text[e - 1] == ' ') --e;
  return std::string(text.substr(b, e - b));
}

// The number with its brackets and dots between digits as hyphens, no
// hyphen doubled and no blank beside one that a bracket made.
std::string Hyphenated(std::string_view number) {
  std::string out;
  bool pending = false;  // a bracket or dot stands before what comes next
  for (char c : number) {
    if (c == '(' || c == ')' || c == '.') {
      while (!out.empty() && out.back() == ' ') out.pop_back();
      pending = true;
      continue;
    }
    if (pending && c == ' ') continue;
    if (pending) {
      if (!out.empty() && out.back() != '-' && c != '-') out.push_back('-');
      pending = false;
    }
    out.push_back(c);
  }
  return out;
}

}  // namespace

DialingPlan DialingPlanOf(int countryCode) {
  struct Known {
    int country;
    const char* prefix;
  };
  static const Known kPrefixes[] = {
      {81, "010"},  {1, "011"},   {61, "0011"}, {7, "810"},  {82, "001"},
      {886, "002"}, {852, "001"}, {65, "000"},  {62, "001"}, {66, "001"},
  };
  DialingPlan plan;
  plan.countryCode = countryCode;
  plan.internationalPrefix = "00";
  for (const Known& k : kPrefixes) {
    if (k.country == countryCode) plan.internationalPrefix = k.prefix;
  }
  return plan;
}

FaxNumberForm ToBookFaxNumber(std::string_view text, int codePage, const DialingPlan& plan) {
  FaxNumberForm form;
  const std::string narrow = Trimmed(Narrowed(text, codePage));
  // The number runs while its characters can belong to one; what follows a
  // digit and reads as a note is dropped.
  std::size_t end = 0;
  bool digits = false;
  while (end < narrow.size()) {
    const char c = narrow[end];
    if (digits && NoteStartsAt(std::string_view(narrow).substr(end), codePage)) break;
    if (!(IsDigit(c) || c == ' ' || c == '-' || c == '(' || c == ')' || c == '.' || c == '+' ||
          c == '#' || c == '*')) {
      break;
    }
    digits = digits || IsDigit(c);
    ++end;
  }
  std::string number = narrow.substr(0, end);
  std::string rest = Trimmed(std::string_view(narrow).substr(end));
  if (!rest.empty() && digits && NoteStartsAt(rest, codePage)) {
    form.droppedNote = rest;
    rest.clear();
  }
  number = Trimmed(number);
  if (!number.empty() && number[0] == '+') {
    std::string after = Trimmed(std::string_view(number).substr(1));
    // No calling code begins another: the digits say whose it is.
    const std::string country = std::to_string(plan.countryCode);
    if (after.compare(0, country.size(), country) == 0) {
      std::string national = after.substr(country.size());
      while (!national.empty() && (national[0] == ' ' || national[0] == '-')) national.erase(0, 1);
      if (national.compare(0, 3, "(0)") == 0) national.erase(0, 3);
      national = Hyphenated(national);
      while (!national.empty() && (national[0] == ' ' || national[0] == '-')) national.erase(0, 1);
      if (national.empty() || national[0] != '0') national.insert(0, "0");
      number = national;
    } else {
      number = plan.internationalPrefix + after;
    }
  }
  number = Hyphenated(number);
  while (!number.empty() && (number.back() == '-' || number.back() == ' ')) number.pop_back();
  // A number with anything else in it stays as it was written.
  form.number = rest.empty() ? number : narrow;
  form.ok = rest.empty() && number.find_first_of("0123456789") != std::string::npos &&
            CheckFaxNumberChars(number);
  return form;
}

std::string DashesTheCodePageHas(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const unsigned char a = static_cast<unsigned char>(utf8[i]);
    if (i + 2 < utf8.size() && a == 0xE2) {
      const unsigned char b = static_cast<unsigned char>(utf8[i + 1]);
      const unsigned char c = static_cast<unsigned char>(utf8[i + 2]);
      // U+2010 to U+2015 are E2 80 90 to E2 80 95; U+2212 is E2 88 92.
      if ((b == 0x80 && c >= 0x90 && c <= 0x95) || (b == 0x88 && c == 0x92)) {
        out.push_back('-');
        i += 2;
        continue;
      }
    }
    out.push_back(static_cast<char>(a));
  }
  return out;
}

}  // namespace rules
