#include "booklib/rules/suffix_search.h"

#include <algorithm>
#include <climits>

#include "booklib/rules/name_fitting.h"
#include "platform/text/codepage.h"

namespace rules {
namespace {

// "(n)" with n in decimal, as "(%d)" writes it.
void AppendSuffix(int n, std::string* out) {
  out->push_back('(');
  out->append(std::to_string(n));
  out->push_back(')');
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::string SuffixMemo::Key(std::string_view prefix, int digits) {
  std::string key(1, static_cast<char>('0' + digits));
  key.append(prefix);
  return key;
}

int SuffixMemo::FirstFree(const std::string& prefix, int digits, int lo, int hi,
                          const std::function<bool(int)>& isFree) {
  Known& known = known_[Key(prefix, digits)];
  if (known.lo != lo) known = Known{lo, lo, {}};
  // A hole is free again or was taken since; only the taken ones are dropped.
  for (auto hole = known.holes.begin(); hole != known.holes.end();) {
    if (isFree(*hole)) return *hole;
    hole = known.holes.erase(hole);
  }
  for (int n = std::max(known.next, lo); n <= hi; ++n) {
    if (isFree(n)) {
      known.next = n;  // not n + 1: the caller may leave it free
      return n;
    }
    if (n == INT_MAX) break;
  }
  known.next = hi == INT_MAX ? INT_MAX : hi + 1;
  return 0;
}

void SuffixMemo::Freed(std::string_view name) {
  // "(%d)" writes no sign and no leading zero, so a name has at most one
  // reading as prefix + suffix.
  if (name.size() < 3 || name.back() != ')') return;
  const std::size_t open = name.rfind('(');
  if (open == std::string_view::npos) return;
  const std::string_view digits = name.substr(open + 1, name.size() - open - 2);
  if (digits.empty() || digits.size() > 10 || digits[0] == '0') return;
  long long n = 0;
  for (char c : digits) {
    if (!IsDigit(c)) return;
    n = n * 10 + (c - '0');
  }
  if (n > INT_MAX) return;
  const auto known = known_.find(Key(name.substr(0, open), static_cast<int>(digits.size())));
  if (known == known_.end() || n >= known->second.next || n < known->second.lo) return;
  known->second.holes.insert(static_cast<int>(n));
}

std::string FirstFreeSuffixed(std::string_view base, int first, int codePage,
                              const std::function<bool(const std::string&)>& used,
                              SuffixMemo* memo) {
  std::string candidate;
  long long low = 1;  // the smallest number of `digits` digits
  for (int digits = 1; digits <= 10; ++digits, low *= 10) {
    const long long high = std::min<long long>(low * 10 - 1, INT_MAX);
    const int lo = static_cast<int>(std::max<long long>(first, low));
    if (lo > high) continue;
    const std::size_t suffixBytes = static_cast<std::size_t>(digits) + 2;
    const std::string prefix(base.size() + suffixBytes <= kNameBytes
                                 ? base
                                 : text::CutToBytes(codePage, base, kNameBytes - suffixBytes));
    const auto isFree = [&](int n) {
      candidate = prefix;
      AppendSuffix(n, &candidate);
      return !used(candidate);
    };
    int n = 0;
    if (memo) {
      n = memo->FirstFree(prefix, digits, lo, static_cast<int>(high), isFree);
    } else {
      for (long long m = lo; m <= high && n == 0; ++m) {
        if (isFree(static_cast<int>(m))) n = static_cast<int>(m);
      }
    }
    if (n != 0) {
      candidate = prefix;
      AppendSuffix(n, &candidate);
      return candidate;
    }
  }
  // Every number an int holds is taken: no book comes near.
  return std::string(base);
}

}  // namespace rules
