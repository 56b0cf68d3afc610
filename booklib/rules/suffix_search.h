// The search for a free numbered form of a name, "base(n)", and what a
// book's name index remembers of earlier searches so that giving one base
// to thousands of entries costs each of them a few lookups, not one per
// suffix already taken.
#pragma once

#include <functional>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>

namespace rules {

// What earlier searches learnt of the names "prefix(n)" of one lookup: for
// each prefix and number of digits, the n below which every such name is
// taken, but for the holes freed since. Only facts that stay true while
// names are added; a name that is no longer used must be told (Freed).
class SuffixMemo {
 public:
  // The first n in [lo, hi] whose name is free (isFree), or 0 when every
  // one is taken. The memo's facts let it pass over names known taken;
  // it learns from the lookups it makes.
  int FirstFree(const std::string& prefix, int digits, int lo, int hi,
                const std::function<bool(int n)>& isFree);

  // No entry carries `name` any more: when it is a "prefix(n)" form, n is
  // looked at again by the next search of that prefix.
  void Freed(std::string_view name);

 private:
  struct Known {
    int lo = 0;              // the first n of the range searched
    int next = 0;            // every n in [lo, next) is taken but the holes
    std::set<int> holes;     // freed below next (possibly taken again since)
  };
  static std::string Key(std::string_view prefix, int digits);
  std::unordered_map<std::string, Known> known_;
};

// The first of base + "(first)", base + "(first+1)", ... that `used` does
// not find. A candidate longer than 16 bytes keeps only the longest start
// of base that fits beside its suffix without splitting a double-byte
// character of the code page. memo may be null (every suffix is then
// looked up); a memo must always be used with the same lookup.
std::string FirstFreeSuffixed(std::string_view base, int first, int codePage,
                              const std::function<bool(const std::string&)>& used,
                              SuffixMemo* memo);

}  // namespace rules
