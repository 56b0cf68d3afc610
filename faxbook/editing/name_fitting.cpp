#include "faxbook/editing/name_fitting.h"

#include "faxbook/editing/suffix_search.h"
#include "platform/text/codepage.h"

namespace editing {

std::string FitToField(std::string_view value, std::size_t limit, const editing::TextRules& rules) {
  return std::string(text::CutToBytes(rules.codePage, value, limit));
}

std::string MakeSuffixedName(std::string_view base, int kind, const editing::TextRules& rules,
                             const editing::NameLookup& names) {
  return FirstFreeSuffixed(
      base, 1, rules.codePage,
      [&](const std::string& candidate) { return names.IsNameUsed(candidate, kind); },
      names.SuffixesOf(kind));
}

}  // namespace editing
