// Keys for sorting many texts in the order of the list comparison.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "platform/text/collation.h"

namespace text {

// Makes, for one interface language, keys whose order (unsigned bytes, a
// key that is the start of the other first) is the order CompareListTexts
// gives their texts, equal keys for texts it counts as equal. Sorting n
// texts then costs n keys and cheap byte comparisons instead of n log n
// collations.
class ListSortKeys {
 public:
  ListSortKeys(const Collation& collation, int langId);

  // False when the collation makes no keys (Japanese only; the other
  // languages' comparison always has keys).
  bool Available() const { return available_; }
  // The key of a text; empty when !Available().
  void KeyOf(std::string_view text, std::string* key) const;

 private:
  const Collation& collation_;
  bool japanese_;
  bool available_;
  // Other languages: what each byte weighs at its position (class, mapped
  // letter ignoring case, mapped letter, raw byte).
  std::array<std::array<char, 4>, 256> weights_{};
};

}  // namespace text
