#include "platform/text/locale_equality.h"

#include <algorithm>
#include <iterator>
#include <string>

#include "platform/text/codepage.h"

namespace text {
namespace {

struct ClassRun {
  unsigned first;
  unsigned last;
  unsigned target;
  int step;
};

constexpr ClassRun kCp932Runs[] = {
#include "platform/text/cp932_classes.inc"
};

constexpr unsigned kMiddleDot = 0x8145;
// The class of the long vowel and repeat marks, and of the voiced marks.
constexpr unsigned kLongVowelClass = 0x00B0;
constexpr unsigned kVoicedClass = 0x00DE;
constexpr unsigned kSemiVoicedClass = 0x00DF;

bool IsKana(unsigned code) {
  return (code >= 0xA6 && code <= 0xDD && code != 0xB0) || (code >= 0x829F && code <= 0x82F1) ||
         (code >= 0x8340 && code <= 0x8396 && code != 0x837F);
}

// After a kana (marks between them aside) the system tells the long vowel
// and repeat marks apart as half-width, single repeat, voiced repeat,
// ditto and long vowel marks.
unsigned MarkAfterKana(unsigned code) {
  switch (code) {
    case 0x8154: return 0x8152;
    case 0x8155: return 0x8153;
    case 0x815C: return 0x815B;
    default: return code;
  }
}

// The class of the character at i of a 932 text, and its length.
unsigned ClassAt(std::string_view s, std::size_t i, std::size_t* length) {
  const auto b = static_cast<unsigned char>(s[i]);
  if (!IsLeadByte(kCpJapanese, b)) {
    *length = 1;
    return Cp932Class(b);
  }
  if (i + 1 >= s.size()) {
    *length = 1;
    return kMiddleDot;
  }
  *length = 2;
  return Cp932Class(static_cast<unsigned>(b) << 8 | static_cast<unsigned char>(s[i + 1]));
}

}  // namespace

unsigned Cp932Class(unsigned code) {
  const auto* end = std::end(kCp932Runs);
  const auto* run = std::upper_bound(std::begin(kCp932Runs), end, code,
                                     [](unsigned c, const ClassRun& r) { return c < r.first; });
  if (run == std::begin(kCp932Runs)) return code;
  --run;
  if (code > run->last) return code;
  return run->step ? run->target + (code - run->first) : run->target;
}

// The classes of a 932 text's characters in order.
class Classes {
 public:
  explicit Classes(std::string_view s) : s_(s) {}
  bool Next(unsigned* cls) {
    if (i_ >= s_.size()) return false;
    std::size_t length = 1;
    const auto b = static_cast<unsigned char>(s_[i_]);
    const unsigned code = IsLeadByte(kCpJapanese, b) && i_ + 1 < s_.size()
                              ? (static_cast<unsigned>(b) << 8 | static_cast<unsigned char>(s_[i_ + 1]))
                              : b;
    *cls = ClassAt(s_, i_, &length);
    i_ += length;
    const bool mark = *cls == kLongVowelClass || *cls == kVoicedClass || *cls == kSemiVoicedClass;
    if (*cls == kLongVowelClass && afterKana_) *cls = MarkAfterKana(code);
    if (!mark) afterKana_ = IsKana(code);
    return true;
  }

 private:
  std::string_view s_;
  std::size_t i_ = 0;
  bool afterKana_ = false;
};

// Code page 1252 as the system compares it (measured under Wine): the
// modifier circumflex is the circumflex, and the ligatures and a few
// letters stand for two letters.
std::string Western(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (char c : s) {
    switch (static_cast<unsigned char>(c)) {
      case 0x88: out += '^'; break;
      case 0x8C: out += "OE"; break;
      case 0x9C: out += "oe"; break;
      case 0xC6: out += "AE"; break;
      case 0xDE: out += "TH"; break;
      case 0xDF: out += "ss"; break;
      case 0xE6: out += "ae"; break;
      case 0xFE: out += "th"; break;
      default: out += c;
    }
  }
  return out;
}

// Code page 1250 as the system compares it (measured under Wine): of its
// characters only the sharp s stands for two letters.
std::string CentralEuropean(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (char c : s) {
    if (static_cast<unsigned char>(c) == 0xDF) {
      out += "ss";
    } else {
      out += c;
    }
  }
  return out;
}

bool PortableLocaleEquality::Equal(std::string_view a, std::string_view b) const {
  if (codePage_ == kCpWestern) return Western(a) == Western(b);
  if (codePage_ == kCpCentralEurope) return CentralEuropean(a) == CentralEuropean(b);
  if (codePage_ != kCpJapanese) return a == b;
  Classes x(a);
  Classes y(b);
  unsigned cx = 0;
  unsigned cy = 0;
  for (;;) {
    const bool more = x.Next(&cx);
    if (more != y.Next(&cy)) return false;
    if (!more) return true;
    if (cx != cy) return false;
  }
}

}  // namespace text
