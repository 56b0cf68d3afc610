#include "faxbook/import/unique_name.h"

#include "faxbook/editing/suffix_search.h"

std::string MakeUniqueName(std::string_view base, int kind, const editing::TextRules& rules,
                           const editing::NameLookup& names) {
  std::string candidate(base);
  if (!names.IsNameUsed(candidate, kind)) return candidate;
  return editing::FirstFreeSuffixed(
      base, 1, rules.codePage,
      [&](const std::string& name) { return names.IsNameUsed(name, kind); },
      names.SuffixesOf(kind));
}
