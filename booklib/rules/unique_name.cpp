#include "booklib/rules/unique_name.h"

#include "booklib/rules/suffix_search.h"

namespace rules {

std::string MakeUniqueName(std::string_view base, int kind, const rules::TextRules& rules,
                           const rules::NameLookup& names) {
  std::string candidate(base);
  if (!names.IsNameUsed(candidate, kind)) return candidate;
  return rules::FirstFreeSuffixed(
      base, 1, rules.codePage,
      [&](const std::string& name) { return names.IsNameUsed(name, kind); },
      names.SuffixesOf(kind));
}

}  // namespace rules
