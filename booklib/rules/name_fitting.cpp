#include "booklib/rules/name_fitting.h"

#include "booklib/rules/suffix_search.h"
#include "platform/text/codepage.h"

namespace rules {

std::string FitToField(std::string_view value, std::size_t limit, const rules::TextRules& rules) {
  return std::string(text::CutToBytes(rules.codePage, value, limit));
}

std::string MakeSuffixedName(std::string_view base, int kind, const rules::TextRules& rules,
                             const rules::NameLookup& names) {
  return FirstFreeSuffixed(
      base, 1, rules.codePage,
      [&](const std::string& candidate) { return names.IsNameUsed(candidate, kind); },
      names.SuffixesOf(kind));
}

}  // namespace rules
