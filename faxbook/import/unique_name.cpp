#include "faxbook/import/unique_name.h"

#include "faxbook/editing/name_fitting.h"
#include "platform/text/codepage.h"

std::string MakeUniqueName(std::string_view base, int kind, const editing::TextRules& rules,
                           const editing::NameLookup& names) {
  std::string candidate(base);
  if (!names.IsNameUsed(candidate, kind)) return candidate;
  // Each entry blocks at most one candidate, so the search ends.
  for (int n = 1;; ++n) {
    const std::string suffix = "(" + std::to_string(n) + ")";
    if (base.size() + suffix.size() <= editing::kNameBytes) {
      candidate.assign(base);
    } else {
      candidate.assign(text::CutToBytes(rules.codePage, base, editing::kNameBytes - suffix.size()));
    }
    candidate += suffix;
    if (!names.IsNameUsed(candidate, kind)) return candidate;
  }
}
