// The Japanese collation of Shift-JIS texts, case ignored.
//
// Each text becomes a row of collation elements. Texts compare first by the
// base characters (group, then weight), then by the diacritic of each kana
// (plain, small, voiced, semi-voiced), then by width and kana type, so that
// "ｶﾞｸ", "ガク" and "がく" sort together between "カク" and "カケ".
#include <cstdint>
#include <vector>

#include "platform/text/codepage.h"
#include "platform/text/portable_collation.h"

namespace text {
namespace {

enum Group : std::uint8_t {
  kControl = 0,
  kSymbol = 1,
  kDigit = 2,
  kLatin = 3,
  kGreekCyrillic = 4,
  kKana = 5,
  kKanji = 6,
  kOtherByte = 7,
};

enum Diacritic : std::uint8_t { kPlain = 0, kSmall = 1, kVoiced = 2, kSemiVoiced = 3 };
enum Form : std::uint8_t { kHiraganaForm = 0, kKatakanaForm = 1, kHalfWidth = 2, kWide = 1 };

struct Element {
  std::uint8_t group;
  std::uint16_t weight;
  std::uint8_t diacritic;
  std::uint8_t form;
};

constexpr std::uint16_t kLongVowel = 48;  // after ﾝ (47)

// Kana in Shift-JIS order, as (syllable index in a-i-u-e-o order, diacritic).
struct KanaCode {
  std::uint8_t syllable;
  std::uint8_t diacritic;
};

// Full-width katakana 0x8340-0x8396 without the unused 0x837F; hiragana
// 0x829F-0x82F1 follow the same order up to ん.
// clang-format off
constexpr KanaCode kKatakana[] = {
  {0,1},{0,0},{1,1},{1,0},{2,1},{2,0},{3,1},{3,0},{4,1},{4,0},            // ァ-オ
  {5,0},{5,2},{6,0},{6,2},{7,0},{7,2},{8,0},{8,2},{9,0},{9,2},            // カ-ゴ
  {10,0},{10,2},{11,0},{11,2},{12,0},{12,2},{13,0},{13,2},{14,0},{14,2},  // サ-ゾ
  {15,0},{15,2},{16,0},{16,2},{17,1},{17,0},{17,2},{18,0},{18,2},{19,0},{19,2},  // タ-ド
  {20,0},{21,0},{22,0},{23,0},{24,0},                                      // ナ-ノ
  {25,0},{25,2},{25,3},{26,0},{26,2},{26,3},{27,0},{27,2},{27,3},
  {28,0},{28,2},{28,3},{29,0},{29,2},{29,3},                               // ハ-ポ
  {30,0},{31,0},{32,0},{33,0},{34,0},                                      // マ-モ
  {35,1},{35,0},{36,1},{36,0},{37,1},{37,0},                               // ャ-ヨ
  {38,0},{39,0},{40,0},{41,0},{42,0},                                      // ラ-ロ
  {43,1},{43,0},{44,0},{45,0},{46,0},{47,0},                               // ヮ-ン
  {2,2},{5,1},{8,1},                                                       // ヴ ヵ ヶ
};

// Half-width katakana 0xA6-0xDD (0xB0 is the long-vowel mark).
constexpr KanaCode kHalfKana[] = {
  {46,0},                                                   // ｦ
  {0,1},{1,1},{2,1},{3,1},{4,1},{35,1},{36,1},{37,1},{17,1}, // ｧ-ｯ
  {255,0},                                                  // ｰ
  {0,0},{1,0},{2,0},{3,0},{4,0},                            // ｱ-ｵ
  {5,0},{6,0},{7,0},{8,0},{9,0},{10,0},{11,0},{12,0},{13,0},{14,0},
  {15,0},{16,0},{17,0},{18,0},{19,0},{20,0},{21,0},{22,0},{23,0},{24,0},
  {25,0},{26,0},{27,0},{28,0},{29,0},{30,0},{31,0},{32,0},{33,0},{34,0},
  {35,0},{36,0},{37,0},{38,0},{39,0},{40,0},{41,0},{42,0},{43,0},{47,0},  // ﾔ-ﾝ
};
// clang-format on

// Syllables 0..47 above are a i u e o ka..ko sa..so ta..to na..no ha..ho
// ma..mo ya yu yo ra..ro wa wi we wo n; weights pack them densely.
std::uint16_t SyllableWeight(std::uint8_t syllable) {
  return syllable == 255 ? kLongVowel : syllable;
}

// Full-width forms of ASCII symbols, as (Shift-JIS code, ASCII byte).
struct WideSymbol {
  std::uint16_t code;
  char ascii;
};
constexpr WideSymbol kWideSymbols[] = {
    {0x8140, ' '}, {0x8149, '!'}, {0x8194, '#'}, {0x8190, '$'}, {0x8193, '%'},
    {0x8195, '&'}, {0x8169, '('}, {0x816A, ')'}, {0x8196, '*'}, {0x817B, '+'},
    {0x8143, ','}, {0x817C, '-'}, {0x8144, '.'}, {0x815E, '/'}, {0x8146, ':'},
    {0x8147, ';'}, {0x8183, '<'}, {0x8181, '='}, {0x8184, '>'}, {0x8148, '?'},
    {0x8197, '@'}, {0x816D, '['}, {0x818F, '\\'}, {0x816E, ']'}, {0x814F, '^'},
    {0x8151, '_'}, {0x814D, '`'}, {0x816F, '{'}, {0x8162, '|'}, {0x8170, '}'},
    {0x8160, '~'},
};

// Half-width punctuation 0xA1-0xA5 and their full-width codes.
constexpr std::uint16_t kHalfPunct[] = {0x8142, 0x8175, 0x8176, 0x8141, 0x8145};

Element SymbolFor(unsigned code, std::uint8_t form) {
  if (code < 0x80) return {kSymbol, static_cast<std::uint16_t>(code), kPlain, form};
  for (const WideSymbol& w : kWideSymbols) {
    if (w.code == code) return {kSymbol, static_cast<std::uint16_t>(w.ascii), kPlain, form};
  }
  return {kSymbol, static_cast<std::uint16_t>(0x100 + (code & 0xFF)), kPlain, form};
}

bool ElementForSingle(unsigned char b, Element* e) {
  if (b < 0x20 || b == 0x7F) {
    *e = {kControl, b, kPlain, 0};
  } else if (b >= '0' && b <= '9') {
    *e = {kDigit, static_cast<std::uint16_t>(b - '0'), kPlain, 0};
  } else if ((b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z')) {
    *e = {kLatin, static_cast<std::uint16_t>((b | 0x20) - 'a'), kPlain, 0};
  } else if (b < 0x80) {
    *e = SymbolFor(b, 0);
  } else if (b >= 0xA1 && b <= 0xA5) {
    *e = SymbolFor(kHalfPunct[b - 0xA1], kHalfWidth);
  } else if (b >= 0xA6 && b <= 0xDD) {
    const KanaCode k = kHalfKana[b - 0xA6];
    *e = {kKana, SyllableWeight(k.syllable), k.diacritic, kHalfWidth};
  } else {
    *e = {kOtherByte, b, kPlain, 0};
  }
  return true;
}

Element ElementForDouble(unsigned code) {
  if (code >= 0x824F && code <= 0x8258) {
    return {kDigit, static_cast<std::uint16_t>(code - 0x824F), kPlain, kWide};
  }
  if (code >= 0x8260 && code <= 0x8279) {
    return {kLatin, static_cast<std::uint16_t>(code - 0x8260), kPlain, kWide};
  }
  if (code >= 0x8281 && code <= 0x829A) {
    return {kLatin, static_cast<std::uint16_t>(code - 0x8281), kPlain, kWide};
  }
  if (code >= 0x829F && code <= 0x82F1) {
    const KanaCode k = kKatakana[code - 0x829F];
    return {kKana, SyllableWeight(k.syllable), k.diacritic, kHiraganaForm};
  }
  if (code >= 0x8340 && code <= 0x8396 && code != 0x837F) {
    const KanaCode k = kKatakana[code - 0x8340 - (code > 0x837F ? 1 : 0)];
    return {kKana, SyllableWeight(k.syllable), k.diacritic, kKatakanaForm};
  }
  if (code == 0x815B) return {kKana, kLongVowel, kPlain, kKatakanaForm};
  if (code >= 0x839F && code <= 0x84BE) {
    return {kGreekCyrillic, static_cast<std::uint16_t>(code - 0x8300), kPlain, kWide};
  }
  if (code < 0x8300) return SymbolFor(code, kWide);
  return {kKanji, static_cast<std::uint16_t>(code), kPlain, kWide};
}

// Voiced sound marks (half-width ﾞ ﾟ, full-width ゛ ゜) modify the kana before them.
std::uint8_t SoundMark(unsigned value) {
  if (value == 0xDE || value == 0x814A) return kVoiced;
  if (value == 0xDF || value == 0x814B) return kSemiVoiced;
  return kPlain;
}

void MakeElements(std::string_view s, std::vector<Element>* out) {
  out->clear();
  for (std::size_t i = 0; i < s.size();) {
    const std::size_t len = CharLengthAt(kCpJapanese, s, i);
    const unsigned value = CharValueAt(kCpJapanese, s, i);
    i += len;
    const std::uint8_t mark = SoundMark(value);
    if (mark != kPlain && !out->empty() && out->back().group == kKana &&
        out->back().diacritic == kPlain) {
      out->back().diacritic = mark;
      continue;
    }
    Element e{};
    if (len == 2) {
      e = ElementForDouble(value);
    } else {
      ElementForSingle(static_cast<unsigned char>(value), &e);
    }
    out->push_back(e);
  }
}

template <typename Key>
int CompareLevel(const std::vector<Element>& a, const std::vector<Element>& b, Key key) {
  const std::size_t n = a.size() < b.size() ? a.size() : b.size();
  for (std::size_t i = 0; i < n; ++i) {
    const auto ka = key(a[i]);
    const auto kb = key(b[i]);
    if (ka != kb) return ka < kb ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

}  // namespace

int JapaneseCollate(std::string_view a, std::string_view b) {
  thread_local std::vector<Element> ea, eb;
  MakeElements(a, &ea);
  MakeElements(b, &eb);
  int r = CompareLevel(ea, eb, [](const Element& e) { return (e.group << 16) | e.weight; });
  if (r != 0) return r;
  r = CompareLevel(ea, eb, [](const Element& e) { return e.diacritic; });
  if (r != 0) return r;
  return CompareLevel(ea, eb, [](const Element& e) { return e.form; });
}

std::string JapaneseCollationKey(std::string_view text) {
  thread_local std::vector<Element> elements;
  MakeElements(text, &elements);
  std::string key;
  key.reserve(elements.size() * 5 + 3);
  // Level one: group and weight in three bytes of seven bits, offset by 2.
  for (const Element& e : elements) {
    const unsigned value = (static_cast<unsigned>(e.group) << 16) | e.weight;
    key.push_back(static_cast<char>(2 + ((value >> 14) & 0x7F)));
    key.push_back(static_cast<char>(2 + ((value >> 7) & 0x7F)));
    key.push_back(static_cast<char>(2 + (value & 0x7F)));
  }
  key.push_back(1);
  for (const Element& e : elements) key.push_back(static_cast<char>(2 + e.diacritic));
  key.push_back(1);
  for (const Element& e : elements) key.push_back(static_cast<char>(2 + e.form));
  key.push_back(1);
  return key;
}

}  // namespace text
