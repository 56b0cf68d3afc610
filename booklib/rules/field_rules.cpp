#include "booklib/rules/field_rules.h"

#include <string>

#include "platform/text/blanks.h"
#include "platform/text/codepage.h"

namespace rules {
namespace {

bool IsPrintableAscii(unsigned char b) { return b >= 0x20 && b <= 0x7E; }
bool IsControl(unsigned char b) { return b < 0x20 || b == 0x7F; }
bool IsHalfKana(unsigned char b) { return b >= 0xA6 && b <= 0xDF; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool AllPrintableAscii(std::string_view text) {
  for (char c : text) {
    if (!IsPrintableAscii(static_cast<unsigned char>(c))) return false;
  }
  return true;
}

// The reading class applied to bytes already taken as single bytes.
bool SingleBytesPass(std::string_view bytes, LanguageCase languageCase) {
  if (AllPrintableAscii(bytes)) return true;
  switch (languageCase) {
    case LanguageCase::kJapanese:
      for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (!IsPrintableAscii(b) && !IsHalfKana(b)) return false;
      }
      return true;
    case LanguageCase::kCjk:
      return false;
    case LanguageCase::kWestern:
      for (char c : bytes) {
        if (IsControl(static_cast<unsigned char>(c))) return false;
      }
      return true;
  }
  return false;
}

// The bytes of the text that are not part of a legal double-byte character.
std::string SingleBytesOf(std::string_view text, int codePage) {
  std::string single;
  for (std::size_t i = 0; i < text.size();) {
    if (text::IsDoubleByteAt(codePage, text, i)) {
      i += 2;
    } else {
      single.push_back(text[i]);
      ++i;
    }
  }
  return single;
}

// clang-format off
const FieldRule kRules[kFieldCount] = {
  // max required normalised notSet tooLong badChars used
  {16, true,  true,  61249, 61250, 61247, 61248},  // DispName
  {16, true,  true,  61233, 61234, 61231, 61232},  // DispNameJP
  {32, true,  false, 61244, 61245, 61246, 0},      // FaxNumber
  {20, false, false, 61265, 61251, 61252, 0},      // SubAddress
  {20, false, false, 61266, 61253, 61254, 0},      // Password
  {64, false, true,  61267, 61255, 61256, 0},      // CompanyName
  {64, false, true,  61268, 61257, 61258, 0},      // DepartmentName
  {20, false, true,  61269, 61259, 61260, 0},      // ClientName
};
// clang-format on

}  // namespace

LanguageCase LanguageCaseOf(int langId) {
  if (langId == 1041) return LanguageCase::kJapanese;
  if (langId == 2052 || langId == 1028 || langId == 1042) return LanguageCase::kCjk;
  return LanguageCase::kWestern;
}

bool CheckFaxNumberChars(std::string_view text) {
  if (text.empty()) return true;
  if (text[0] == ' ' || text[0] == '-') return false;
  for (char c : text) {
    if (!IsDigit(c) && c != ' ' && c != '#' && c != '*' && c != '-') return false;
  }
  return true;
}

bool CheckSubAddressChars(std::string_view text) {
  if (text.empty()) return true;
  if (text[0] == ' ') return false;
  for (char c : text) {
    if (!IsDigit(c) && c != ' ' && c != '#' && c != '*') return false;
  }
  return true;
}

bool CheckHalfKanaChars(std::string_view text) {
  for (char c : text) {
    if (!IsHalfKana(static_cast<unsigned char>(c))) return false;
  }
  return true;
}

bool CheckReadingChars(std::string_view text, const TextRules& rules) {
  if (AllPrintableAscii(text)) return true;
  if (rules.Case() == LanguageCase::kCjk) return CheckNameChars(text, rules);
  return SingleBytesPass(text, rules.Case());
}

bool CheckNameChars(std::string_view text, const TextRules& rules) {
  return SingleBytesPass(SingleBytesOf(text, rules.codePage), rules.Case());
}

const FieldRule& RuleOf(Field field) { return kRules[static_cast<int>(field)]; }

bool CheckFieldChars(Field field, std::string_view text, const TextRules& rules) {
  switch (field) {
    case Field::kDispName:
      return CheckNameChars(text, rules);
    case Field::kDispNameJP:
      return CheckReadingChars(text, rules);
    case Field::kFaxNumber:
      return CheckFaxNumberChars(text);
    case Field::kSubAddress:
    case Field::kPassword:
      return CheckSubAddressChars(text);
    case Field::kCompanyName:
    case Field::kDepartmentName:
    case Field::kClientName:
      return rules.Japanese() ? CheckNameChars(text, rules) : CheckReadingChars(text, rules);
  }
  return false;
}

FieldState FieldStateOf(Field field, std::string_view text, const TextRules& rules) {
  if (!CheckFieldChars(field, text, rules)) return FieldState::kBadChars;
  if (text.size() > RuleOf(field).maxBytes) return FieldState::kTooLong;
  return FieldState::kNormal;
}

unsigned ColourOf(FieldState state) {
  switch (state) {
    case FieldState::kTooLong: return 0xFF0000;  // RGB(0, 0, 255)
    case FieldState::kBadChars: return 0x0000FF;  // RGB(255, 0, 0)
    default: return 0x000000;
  }
}

FieldCheck CheckField(Field field, std::string_view typed, std::string_view openingValue,
                      const TextRules& rules, const NameLookup* names) {
  const FieldRule& rule = RuleOf(field);
  FieldCheck result;
  result.text = rule.normalised ? text::NormaliseSpaces(rules.codePage, typed) : std::string(typed);
  auto fail = [&](int id) {
    result.ok = false;
    result.messageId = id;
    return result;
  };
  if (result.text.empty()) return rule.required ? fail(rule.notSetId) : result;
  if (result.text.size() > rule.maxBytes) return fail(rule.tooLongId);
  if (!CheckFieldChars(field, result.text, rules)) return fail(rule.badCharsId);
  if (rule.usedId != 0 && names &&
      !text::EqualNoCase(rules.codePage, result.text, openingValue) &&
      names->IsNameUsed(result.text, field == Field::kDispName ? 0 : 1)) {
    return fail(rule.usedId);
  }
  return result;
}

}  // namespace rules
