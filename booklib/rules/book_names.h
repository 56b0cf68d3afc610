// The names an add of imported rows must not repeat, and how an imported
// name is fitted and made unique.
#pragma once

#include <string>
#include <string_view>
#include <unordered_set>

#include "booklib/rules/field_rules.h"
#include "booklib/rules/suffix_search.h"
#include "booklib/rules/name_index.h"

namespace rules {

// The registration names and readings of a book's entries, looked up in
// constant time: exactly (as the dialogs compare names, see NameIndex) and,
// for the readings, ignoring case (as the other languages' add compares
// them).
class BookNames : public rules::NameLookup {
 public:
  explicit BookNames(int codePage) : codePage_(codePage) {}
  void Add(const std::string& dispName, const std::string& reading);
  // kind 0: DispName, 1: DispNameJP; exact bytes.
  bool IsNameUsed(const std::string& text, int kind) const override;
  rules::SuffixMemo* SuffixesOf(int kind) const override { return exact_.SuffixesOf(kind); }
  bool IsReadingUsedIgnoringCase(std::string_view reading) const;
  // What the suffix searches ignoring case learnt (names are only added).
  rules::SuffixMemo* SuffixesIgnoringCase() const { return &foldedSuffixes_; }

 private:
  std::string Folded(std::string_view text) const;

  int codePage_;
  NameIndex exact_;
  std::unordered_set<std::string> foldedReadings_;
  mutable rules::SuffixMemo foldedSuffixes_;
};

// A cut value as the book's reader will read it back: without the blanks a
// cut left at its end. (The values of a CSV row are trimmed already; only a
// cut can leave a blank last.)
std::string StoredForm(std::string_view cut);

// Japanese: the value cut to the name limit (16 bytes, without a lone lead
// byte at the end, nor a blank); when an entry already carries that in the field (kind
// 0 DispName, 1 DispNameJP), the first free "(n)" form of it from n = 1.
// The in-use test sees the value as it will be stored, so a long value
// whose cut equals a name in use is suffixed too.
std::string FitJapaneseName(std::string_view value, int kind, const rules::TextRules& rules,
                            const BookNames& names);

// Other languages: the name cut to 16 bytes (no blank last); while an
// entry's name (its reading) equals it ignoring case, name + "(n)" for
// n = 2, 3, ..., the name cut so that the suffix fits. No cut splits a
// double-byte character of the code page.
std::string FitOtherLanguageName(std::string_view value, const rules::TextRules& rules,
                                 const BookNames& names);

}  // namespace rules
