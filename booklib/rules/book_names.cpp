#include "booklib/rules/book_names.h"

#include "booklib/rules/name_fitting.h"
#include "platform/text/blanks.h"
#include "platform/text/codepage.h"

namespace rules {

std::string BookNames::Folded(std::string_view text) const {
  // Folding keeps each character's bytes, so the folded text is a key of
  // the comparison ignoring case (text::EqualNoCase).
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t length = text::CharLengthAt(codePage_, text, i);
    const unsigned value = text::FoldCase(codePage_, text::CharValueAt(codePage_, text, i));
    if (length == 2) out.push_back(static_cast<char>(value >> 8));
    out.push_back(static_cast<char>(value & 0xFF));
    i += length;
  }
  return out;
}

std::string StoredForm(std::string_view cut) { return std::string(text::TrimBlanks(cut)); }

void BookNames::Add(const std::string& dispName, const std::string& reading) {
  exact_.Add(0, dispName);
  exact_.Add(1, reading);
  foldedReadings_.insert(Folded(reading));
}

bool BookNames::IsNameUsed(const std::string& text, int kind) const {
  return exact_.IsNameUsed(text, kind);
}

bool BookNames::IsReadingUsedIgnoringCase(std::string_view reading) const {
  return foldedReadings_.count(Folded(reading)) != 0;
}

std::string FitJapaneseName(std::string_view value, int kind, const rules::TextRules& rules,
                            const BookNames& names) {
  const std::string stored = StoredForm(rules::FitToField(value, rules::kNameBytes, rules));
  if (!names.IsNameUsed(stored, kind)) return stored;
  return rules::MakeSuffixedName(stored, kind, rules, names);
}

std::string FitOtherLanguageName(std::string_view value, const rules::TextRules& rules,
                                 const BookNames& names) {
  const std::string name = StoredForm(rules::FitToField(value, rules::kNameBytes, rules));
  if (!names.IsReadingUsedIgnoringCase(name)) return name;
  return rules::FirstFreeSuffixed(
      name, 2, rules.codePage,
      [&](const std::string& candidate) { return names.IsReadingUsedIgnoringCase(candidate); },
      names.SuffixesIgnoringCase());
}

}  // namespace rules
