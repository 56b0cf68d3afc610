// The rules every text of an address or a group passes: character classes,
// byte limits, space normalisation, uniqueness of the names, the live field
// state and the messages of a failed check.
//
// All texts are ANSI byte strings in the system code page; every length is
// counted in bytes (a double-byte character counts 2).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "store/address_record.h"

namespace rules {

class SuffixMemo;

// The three cases the character rules distinguish.
enum class LanguageCase { kJapanese, kCjk, kWestern };

// 1041 is Japanese; 2052, 1028 and 1042 are CJK; everything else Western.
LanguageCase LanguageCaseOf(int langId);

// What the character rules depend on.
struct TextRules {
  int langId = 1041;
  int codePage = 932;
  LanguageCase Case() const { return LanguageCaseOf(langId); }
  bool Japanese() const { return langId == 1041; }
};

// Fax number: space, "#", "*", "-" and digits; not starting with a space or "-".
bool CheckFaxNumberChars(std::string_view text);
// Sub-address and password: space, "#", "*" and digits; not starting with a space.
bool CheckSubAddressChars(std::string_view text);
// Every byte is a half-width katakana of the Japanese code page (0xA6-0xDF:
// ｦ to ﾟ, with the sound marks and the long-vowel mark).
bool CheckHalfKanaChars(std::string_view text);
// The reading class: printable ASCII passes in every language; otherwise
// Japanese allows half-width katakana besides it, CJK double-byte characters
// besides it, and Western any byte but control bytes.
bool CheckReadingChars(std::string_view text, const TextRules& rules);
// The name class: legal double-byte characters are skipped; the remaining
// single bytes must pass the reading class (CJK: printable ASCII only).
bool CheckNameChars(std::string_view text, const TextRules& rules);

// The fields of an address (a group has the first two).
enum class Field {
  kDispName,
  kDispNameJP,
  kFaxNumber,
  kSubAddress,
  kPassword,
  kCompanyName,
  kDepartmentName,
  kClientName,
};
constexpr int kFieldCount = 8;

// The rule set of one field.
struct FieldRule {
  std::size_t maxBytes;
  bool required;      // in the address and group dialogs
  bool normalised;    // ideographic spaces replaced and blanks trimmed first
  int notSetId;       // message ids, 0 where the field has none
  int tooLongId;
  int badCharsId;
  int usedId;
};
const FieldRule& RuleOf(Field field);

// Whether the text passes the character class of the field.
bool CheckFieldChars(Field field, std::string_view text, const TextRules& rules);

// The colour state of a field while the user types (on the raw text).
enum class FieldState { kNormal = 0, kTooLong = 1, kBadChars = 2 };
FieldState FieldStateOf(Field field, std::string_view text, const TextRules& rules);

// Text colours of the states: black, blue, red (as 0x00BBGGRR).
unsigned ColourOf(FieldState state);

// Caption of every field message.
constexpr int kInputErrorCaptionId = 61206;

// Whether an entry of the book carries a name: kind 0 DispName, 1 DispNameJP;
// exact byte comparison over addresses and groups.
class NameLookup {
 public:
  virtual ~NameLookup() = default;
  virtual bool IsNameUsed(const std::string& text, int kind) const = 0;
  // What earlier suffix searches of this lookup learnt (see SuffixMemo);
  // null for a lookup that keeps none and has every suffix looked up.
  virtual SuffixMemo* SuffixesOf(int /*kind*/) const { return nullptr; }
};

// The result of checking one field on confirmation.
struct FieldCheck {
  bool ok = true;
  int messageId = 0;     // the message to show when !ok
  std::string text;      // the (normalised) text to write back and store
};

// Checks a field as a dialog's OK does: normalises a normalised field; an
// empty required field fails with its not-set message and an empty optional
// one passes; then the byte limit, the character class and, for the two
// names, uniqueness: when the normalised text differs (ignoring case) from
// the value the dialog opened with and an entry carries it, it fails with
// the already-used message. names may be null to skip the uniqueness test.
FieldCheck CheckField(Field field, std::string_view typed, std::string_view openingValue,
                      const TextRules& rules, const NameLookup* names);

inline Field FieldAt(int index) { return static_cast<Field>(index); }

// The text of a field in a record (fields and store texts share the order).
inline std::string& TextOf(store::EntryTexts& texts, int index) {
  return texts.*store::kTextFields[static_cast<std::size_t>(index)].member;
}

}  // namespace rules
