// The registration names and readings in use in a book, counted, so that
// bulk commands can make hundreds of names unique without scanning the
// whole list for every candidate. The index remembers what its suffix
// searches learnt, so that one base given to every entry stays linear.
#pragma once

#include <array>
#include <string>
#include <unordered_map>

#include "booklib/rules/field_rules.h"
#include "booklib/rules/suffix_search.h"

namespace rules {

class NameIndex : public rules::NameLookup {
 public:
  // kind 0: the registration name (DispName); kind 1: the reading (DispNameJP).
  void Add(int kind, const std::string& name);
  void Remove(int kind, const std::string& name);
  // An entry's name changes from before to after.
  void Rename(int kind, const std::string& before, const std::string& after);

  // rules::NameLookup: exact byte comparison.
  bool IsNameUsed(const std::string& text, int kind) const override;
  rules::SuffixMemo* SuffixesOf(int kind) const override {
    return &memos_[kind == 0 ? 0 : 1];
  }

 private:
  std::unordered_map<std::string, int>& Names(int kind) { return kind == 0 ? names_ : readings_; }
  std::unordered_map<std::string, int> names_;
  std::unordered_map<std::string, int> readings_;
  // Learnt from the lookups, told of every name freed: a cache of them.
  mutable std::array<rules::SuffixMemo, 2> memos_;
};

}  // namespace rules
