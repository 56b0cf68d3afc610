#include "booklib/rules/reading_form.h"

#include <cstdint>

#include "platform/text/codepage.h"

namespace rules {
namespace {

constexpr int kJapanese = 932;
constexpr unsigned char kVoiced = 0xDE;      // ﾞ
constexpr unsigned char kSemiVoiced = 0xDF;  // ﾟ

// The half-width form of each kana in the order of the syllabary (ァ, ア,
// ィ, ... ン, then ヴ): the kana's byte, then its mark or 0; 0 for a kana
// without one.
constexpr std::uint16_t kHalfKana[] = {
    0xA700, 0xB100, 0xA800, 0xB200, 0xA900, 0xB300, 0xAA00, 0xB400, 0xAB00, 0xB500,  // ァ-オ
    0xB600, 0xB6DE, 0xB700, 0xB7DE, 0xB800, 0xB8DE, 0xB900, 0xB9DE, 0xBA00, 0xBADE,  // カ-ゴ
    0xBB00, 0xBBDE, 0xBC00, 0xBCDE, 0xBD00, 0xBDDE, 0xBE00, 0xBEDE, 0xBF00, 0xBFDE,  // サ-ゾ
    0xC000, 0xC0DE, 0xC100, 0xC1DE, 0xAF00, 0xC200, 0xC2DE, 0xC300, 0xC3DE, 0xC400,  // タ-ト
    0xC4DE, 0xC500, 0xC600, 0xC700, 0xC800, 0xC900,                                  // ド-ノ
    0xCA00, 0xCADE, 0xCADF, 0xCB00, 0xCBDE, 0xCBDF, 0xCC00, 0xCCDE, 0xCCDF,          // ハ-プ
    0xCD00, 0xCDDE, 0xCDDF, 0xCE00, 0xCEDE, 0xCEDF,                                  // ヘ-ポ
    0xCF00, 0xD000, 0xD100, 0xD200, 0xD300,                                          // マ-モ
    0xAC00, 0xD400, 0xAD00, 0xD500, 0xAE00, 0xD600,                                  // ャ-ヨ
    0xD700, 0xD800, 0xD900, 0xDA00, 0xDB00,                                          // ラ-ロ
    0x0000, 0xDC00, 0x0000, 0x0000, 0xA600, 0xDD00,                                  // ヮ-ン
    0xB3DE,                                                                          // ヴ
};
constexpr int kHalfKanaCount = static_cast<int>(sizeof kHalfKana / sizeof kHalfKana[0]);

// The syllabary's place of a double-byte kana of code page 932; -1 for any
// other character. ヵ and ヶ have places past ヴ, with no half-width form.
int KanaPlace(unsigned code) {
  if (code >= 0x829F && code <= 0x82F1) return static_cast<int>(code - 0x829F);  // ぁ-ん
  if (code >= 0x8340 && code <= 0x8396 && code != 0x837F) {                   // ァ-ヶ
    return static_cast<int>(code - 0x8340) - (code > 0x837F ? 1 : 0);
  }
  return -1;
}

// The one-byte form of a double-byte character that is no kana: the long
// vowel and sound marks, the Japanese punctuation with a half-width form,
// and the full-width forms of ASCII. 0 for none.
unsigned char HalfWidthOf(unsigned code) {
  if (code >= 0x824F && code <= 0x8258) return static_cast<unsigned char>('0' + (code - 0x824F));
  if (code >= 0x8260 && code <= 0x8279) return static_cast<unsigned char>('A' + (code - 0x8260));
  if (code >= 0x8281 && code <= 0x829A) return static_cast<unsigned char>('a' + (code - 0x8281));
  switch (code) {
    case 0x815B: return 0xB0;  // ー
    case 0x814A: return kVoiced;      // ゛
    case 0x814B: return kSemiVoiced;  // ゜
    case 0x8141: return 0xA4;  // 、
    case 0x8142: return 0xA1;  // 。
    case 0x8145: return 0xA5;  // ・
    case 0x8175: return 0xA2;  // 「
    case 0x8176: return 0xA3;  // 」
    case 0x8149: return '!';
    case 0xFA57: return '"';
    case 0x8194: return '#';
    case 0x8190: return '$';
    case 0x8193: return '%';
    case 0x8195: return '&';
    case 0xFA56: return '\'';
    case 0x8169: return '(';
    case 0x816A: return ')';
    case 0x8196: return '*';
    case 0x817B: return '+';
    case 0x8143: return ',';
    case 0x817C: return '-';
    case 0x8144: return '.';
    case 0x815E: return '/';
    case 0x8146: return ':';
    case 0x8147: return ';';
    case 0x8183: return '<';
    case 0x8181: return '=';
    case 0x8184: return '>';
    case 0x8148: return '?';
    case 0x8197: return '@';
    case 0x816D: return '[';
    case 0x816E: return ']';
    case 0x814F: return '^';
    case 0x8151: return '_';
    case 0x814D: return '`';
    case 0x816F: return '{';
    case 0x8162: return '|';
    case 0x8170: return '}';
    case 0x8160: return '~';
    default: return 0;
  }
}

bool IsHalfKana(unsigned char byte) { return byte >= 0xA6 && byte <= 0xDF; }

// The double-byte character at i (0 for a single byte) and its length.
unsigned DoubleAt(std::string_view text, std::size_t i, std::size_t* length) {
  *length = text::CharLengthAt(kJapanese, text, i);
  if (*length != 2) {
    if (*length == 0) *length = 1;
    return 0;
  }
  return (static_cast<unsigned>(static_cast<unsigned char>(text[i])) << 8) |
         static_cast<unsigned char>(text[i + 1]);
}

}  // namespace

std::string ToBookReading(std::string_view text, int codePage) {
  if (codePage != kJapanese) return std::string(text);
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    std::size_t length = 0;
    const unsigned code = DoubleAt(text, i, &length);
    if (code != 0) {
      const int place = KanaPlace(code);
      const std::uint16_t half =
          place >= 0 && place < kHalfKanaCount ? kHalfKana[place] : static_cast<std::uint16_t>(0);
      if (half != 0) {
        out.push_back(static_cast<char>(half >> 8));
        if ((half & 0xFF) != 0) out.push_back(static_cast<char>(half & 0xFF));
        i += length;
        continue;
      }
      const unsigned char single = place < 0 ? HalfWidthOf(code) : 0;
      if (single != 0) {
        out.push_back(static_cast<char>(single));
        i += length;
        continue;
      }
      // A hiragana without a half-width form becomes its katakana.
      if (place >= 0 && code < 0x8340) {
        const unsigned katakana = 0x8340 + static_cast<unsigned>(place) + (place >= 0x3F ? 1 : 0);
        out.push_back(static_cast<char>(katakana >> 8));
        out.push_back(static_cast<char>(katakana & 0xFF));
        i += length;
        continue;
      }
    }
    out.append(text.substr(i, length));
    i += length;
  }
  return out;
}

bool IsAllKana(std::string_view text, int codePage) {
  if (codePage != kJapanese) return false;
  bool kana = false;
  for (std::size_t i = 0; i < text.size();) {
    std::size_t length = 0;
    const unsigned code = DoubleAt(text, i, &length);
    const unsigned char byte = static_cast<unsigned char>(text[i]);
    if (code != 0 ? KanaPlace(code) >= 0 || code == 0x815B || code == 0x814A || code == 0x814B
                  : IsHalfKana(byte)) {
      kana = true;
    } else if (!(code == 0x8140 || (code == 0 && byte == ' '))) {
      return false;  // anything but kana and the spaces between them
    }
    i += length;
  }
  return kana;
}

std::string CutReading(std::string_view text, std::size_t limit, int codePage) {
  if (text.size() <= limit) return std::string(text);
  std::string_view cut = text::CutToBytes(codePage, text, limit);
  // A kana whose mark the cut left out goes with it.
  if (codePage == kJapanese && !cut.empty()) {
    const unsigned char next = static_cast<unsigned char>(text[cut.size()]);
    const unsigned char last = static_cast<unsigned char>(cut.back());
    if ((next == kVoiced || next == kSemiVoiced) && IsHalfKana(last) && last != kVoiced &&
        last != kSemiVoiced) {
      cut.remove_suffix(1);
    }
  }
  return std::string(cut);
}

std::string KanaTheCodePageHas(std::string_view utf8) {
  // ゔ ゕ ゖ are U+3094 to U+3096: E3 82 94 to E3 82 96; ヴ ヵ ヶ are U+30F4 to
  // U+30F6: E3 83 B4 to E3 83 B6.
  std::string out(utf8);
  for (std::size_t i = 0; i + 2 < out.size(); ++i) {
    if (static_cast<unsigned char>(out[i]) == 0xE3 && static_cast<unsigned char>(out[i + 1]) == 0x82) {
      const unsigned char third = static_cast<unsigned char>(out[i + 2]);
      if (third >= 0x94 && third <= 0x96) {
        out[i + 1] = static_cast<char>(0x83);
        out[i + 2] = static_cast<char>(third - 0x94 + 0xB4);
        i += 2;
      }
    }
  }
  return out;
}

}  // namespace rules
