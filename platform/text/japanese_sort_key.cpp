// The key has five levels, each ended by 0x01, and a final 0x00:
//   primary weights (what a character is: symbol, digit, letter, kana
//     syllable, kanji...);
//   diacritic weights (voiced and semi-voiced kana, accents), one per element;
//   case weights (full-width forms), one per element;
//   the kana weights, only when the text holds kana: four arrays (small
//     forms, long-vowel and iteration marks, katakana or hiragana, width);
//   special weights: hyphens, apostrophes and control characters, which the
//     word sort weighs only after everything else, each with its position.
// Weights that equal the default at the end of a level are left out, so that
// "a" and "a" followed by a character of default weights still differ only
// where the second has something of its own.
#include "platform/text/japanese_sort_key.h"

#include <cstdint>

#include "platform/text/japanese_sort_table.h"

namespace text {
namespace {

using namespace sort932;

constexpr std::uint8_t kDefaultDiacritic = 2;
constexpr std::uint8_t kDefaultCase = 2;
constexpr std::uint8_t kDefaultSmall = 0xC6;
constexpr std::uint8_t kDefaultRepeat = 0x03;
constexpr std::uint8_t kDefaultType = 0xE4;
constexpr std::uint8_t kDefaultWidth = 0xC5;

bool IsLead(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

// The table entry of the character at text[*i]; advances *i past it.
std::uint32_t NextEntry(std::string_view text, std::size_t* i) {
  const auto b = static_cast<unsigned char>(text[*i]);
  if (!IsLead(b)) {
    ++*i;
    return kSingleByte[b];
  }
  if (*i + 1 >= text.size()) {
    ++*i;
    return kBrokenCharacter;
  }
  const auto t = static_cast<unsigned char>(text[*i + 1]);
  *i += 2;
  if (t < 0x40 || t > 0xFC || t == 0x7F) return kBrokenCharacter;
  const int lead = b <= 0x9F ? b - 0x81 : b - 0xE0 + 31;
  const int trail = t < 0x7F ? t - 0x40 : t - 0x41;
  return kDoubleByte[lead * 188 + trail];
}

// What a following long-vowel or iteration mark takes from the character
// before it.
struct Previous {
  bool valid = false;
  std::uint8_t primary[3] = {};
  std::uint8_t primaryLength = 0;
  bool hasDiacritic = false;
  std::uint8_t diacritic = 0;
  bool hasCase = false;
  bool kana = false;
  std::uint8_t small = 0, type = 0, width = 0;
  std::uint8_t vowel[2] = {};
};

class KeyBuilder {
 public:
  // Empties the levels, keeping their buffers for the next text.
  void Reset() {
    for (std::string* level : {&primary_, &diacritics_, &cases_, &small_, &repeat_, &type_, &width_,
                               &special_}) {
      level->clear();
    }
    previous_ = Previous();
  }

  void Add(std::uint32_t entry) {
    const std::uint8_t p0 = static_cast<std::uint8_t>(entry >> 16);
    const std::uint8_t p1 = static_cast<std::uint8_t>(entry >> 8);
    const SortAttributes& a = kAttributes[entry & 0xFF];
    switch (a.kind) {
      case kIgnored:
        return;
      case kMark:
        // Voicing belongs to the last character that has a diacritic
        // weight; with none before it the mark stands alone.
        if (diacritics_.empty()) {
          diacritics_.push_back(static_cast<char>(a.mark));
        } else {
          diacritics_.back() = static_cast<char>(static_cast<std::uint8_t>(diacritics_.back()) + a.mark);
        }
        return;
      case kPunctuation: {
        const unsigned position = 0xFFFFu - static_cast<unsigned>(primary_.size() / 2);
        special_.push_back(static_cast<char>((position >> 8) & 0xFF));
        special_.push_back(static_cast<char>(position & 0xFF));
        special_.push_back(static_cast<char>(a.special[0]));
        special_.push_back(static_cast<char>(a.special[1]));
        previous_ = Previous();
        previous_.valid = true;
        previous_.primary[0] = p0;
        previous_.primary[1] = p1;
        previous_.primaryLength = 2;
        previous_.hasDiacritic = a.diacriticCount > 0;
        previous_.diacritic = a.diacritics[0];
        previous_.hasCase = a.caseCount > 0;
        return;
      }
      case kLongVowel:
      case kIteration:
        AddRepeat(p0, p1, a);
        return;
      default:
        AddRegular(p0, p1, a);
        return;
    }
  }

  void Finish(std::string* key) const {
    key->append(primary_).push_back('\x01');
    std::size_t n = diacritics_.size();
    while (n > 0 && static_cast<std::uint8_t>(diacritics_[n - 1]) <= kDefaultDiacritic) --n;
    key->append(diacritics_, 0, n).push_back('\x01');
    AppendTrimmed(cases_, kDefaultCase, key);
    key->push_back('\x01');
    if (!small_.empty()) {
      AppendTrimmed(small_, kDefaultSmall, key);
      key->push_back('\xFF');
      AppendTrimmed(repeat_, kDefaultRepeat, key);
      key->push_back('\x02');
      AppendTrimmed(type_, kDefaultType, key);
      key->push_back('\xFF');
      AppendTrimmed(width_, kDefaultWidth, key);
      key->push_back('\xFF');
    }
    key->push_back('\x01');
    key->append(special_).push_back('\0');
  }

 private:
  static void AppendTrimmed(const std::string& level, std::uint8_t fallback, std::string* key) {
    std::size_t n = level.size();
    while (n > 0 && static_cast<std::uint8_t>(level[n - 1]) == fallback) --n;
    key->append(level, 0, n);
  }

  void AddKana(std::uint8_t small, std::uint8_t repeat, std::uint8_t type, std::uint8_t width) {
    small_.push_back(static_cast<char>(small));
    repeat_.push_back(static_cast<char>(repeat));
    type_.push_back(static_cast<char>(type));
    width_.push_back(static_cast<char>(width));
  }

  void AddRegular(std::uint8_t p0, std::uint8_t p1, const SortAttributes& a) {
    primary_.push_back(static_cast<char>(p0));
    primary_.push_back(static_cast<char>(p1));
    for (int i = 2; i < a.primaryLength; ++i) primary_.push_back(static_cast<char>(a.primaryTail[i - 2]));
    for (int i = 0; i < a.diacriticCount; ++i) diacritics_.push_back(static_cast<char>(a.diacritics[i]));
    for (int i = 0; i < a.caseCount; ++i) cases_.push_back(static_cast<char>(a.cases[i]));
    if (a.kana) AddKana(a.small, a.repeat, a.type, a.width);
    // Only a character of one element can be repeated.
    previous_ = Previous();
    if (a.caseCount != 1) return;
    previous_.valid = true;
    previous_.primary[0] = p0;
    previous_.primary[1] = p1;
    previous_.primary[2] = a.primaryTail[0];
    previous_.primaryLength = a.primaryLength;
    previous_.hasDiacritic = a.diacriticCount > 0;
    previous_.diacritic = a.diacritics[0];
    previous_.hasCase = true;
    previous_.kana = a.kana != 0;
    previous_.small = a.small;
    previous_.type = a.type;
    previous_.width = a.width;
    previous_.vowel[0] = a.vowel[0];
    previous_.vowel[1] = a.vowel[1];
  }

  // A long-vowel or iteration mark. It leaves the character it repeats as
  // the one a further mark repeats.
  void AddRepeat(std::uint8_t p0, std::uint8_t p1, const SortAttributes& a) {
    const Previous& p = previous_;
    if (!p.valid) {
      primary_.push_back(static_cast<char>(p0));
      primary_.push_back(static_cast<char>(p1));
      return;
    }
    if (p.kana) {
      if (a.kind == kLongVowel) {
        primary_.push_back(static_cast<char>(p.vowel[0]));
        primary_.push_back(static_cast<char>(p.vowel[1]));
      } else {
        primary_.append(reinterpret_cast<const char*>(p.primary), p.primaryLength);
      }
      diacritics_.push_back(static_cast<char>(a.mark));
      cases_.push_back(static_cast<char>(a.cases[0]));
      AddKana(p.small, a.repeat, p.type, a.kind == kLongVowel ? a.width : p.width);
      return;
    }
    primary_.append(reinterpret_cast<const char*>(p.primary), p.primaryLength);
    if (p.hasDiacritic) diacritics_.push_back(static_cast<char>(p.diacritic));
    if (p.hasCase) cases_.push_back(static_cast<char>(a.cases[1]));
  }

  std::string primary_, diacritics_, cases_, small_, repeat_, type_, width_, special_;
  Previous previous_;
};

}  // namespace

void AppendJapaneseSortKey(std::string_view text, std::string* key) {
  const std::size_t nul = text.find('\0');
  if (nul != std::string_view::npos) text = text.substr(0, nul);
  thread_local KeyBuilder builder;
  builder.Reset();
  for (std::size_t i = 0; i < text.size();) builder.Add(NextEntry(text, &i));
  builder.Finish(key);
}

}  // namespace text
