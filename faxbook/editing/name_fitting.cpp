#include "faxbook/editing/name_fitting.h"

#include "platform/text/codepage.h"

namespace editing {
namespace {

bool DropsLoneLeadBytes(int langId) {
  return langId == 1028 || langId == 1041 || langId == 1042 || langId == 2052;
}

}  // namespace

std::string FitToField(std::string_view value, std::size_t limit, const editing::TextRules& rules) {
  if (value.size() <= limit) return std::string(value);
  if (rules.Japanese()) return std::string(text::CutToBytes(rules.codePage, value, limit));
  return std::string(value.substr(0, limit));
}

std::string MakeSuffixedName(std::string_view base, int kind, const editing::TextRules& rules,
                             const editing::NameLookup& names) {
  // Every entry could at most block one candidate, so the search ends.
  for (int n = 1;; ++n) {
    const std::string suffix = "(" + std::to_string(n) + ")";
    std::string candidate;
    if (base.size() + suffix.size() <= kNameBytes) {
      candidate = std::string(base);
    } else {
      const std::size_t keep = kNameBytes - suffix.size();
      candidate = DropsLoneLeadBytes(rules.langId)
                      ? std::string(text::CutToBytes(rules.codePage, base, keep))
                      : std::string(base.substr(0, keep));
    }
    candidate += suffix;
    if (!names.IsNameUsed(candidate, kind)) return candidate;
  }
}

}  // namespace editing
