// The sort weights of code page 932 characters in the system's Japanese
// locale, as generated from the system by
// platform/win32/japanese_sort_table_gen.cpp. japanese_sort_key.cpp turns
// them into sort keys.
#pragma once

#include <cstdint>

namespace text {
namespace sort932 {

enum SortKind : std::uint8_t {
  kRegular = 0,      // its own weights
  kIgnored = 1,      // no weight at all (NUL)
  kPunctuation = 2,  // a special weight at its position (word sort)
  kMark = 3,         // a voiced or semi-voiced sound mark: adds to a diacritic weight
  kLongVowel = 4,    // takes the vowel of the kana before it
  kIteration = 5,    // repeats the kana before it
};

// Everything about a character except its first two primary bytes, which
// its table entry holds.
struct SortAttributes {
  std::uint8_t kind;
  std::uint8_t primaryLength;    // regular: 2 or 3 bytes for one element, 4 for two
  std::uint8_t primaryTail[2];   // the primary bytes after the first two
  std::uint8_t diacriticCount;   // regular: diacritic weights (an element may have none)
  std::uint8_t diacritics[2];    // punctuation: the one a repeating mark copies
  std::uint8_t caseCount;        // regular: elements (one case weight each)
  std::uint8_t cases[2];         // long-vowel and iteration marks: case after a kana,
                                 // after another character
  std::uint8_t kana;             // 1: carries the four kana weights below
  std::uint8_t small;
  std::uint8_t repeat;           // also: the repeat weight a long-vowel or iteration mark gives
  std::uint8_t type;
  std::uint8_t width;            // also: the long-vowel mark's own width
  std::uint8_t vowel[2];         // kana: the primary a long-vowel mark after it takes
  std::uint8_t special[2];       // punctuation: its special weight
  std::uint8_t mark;             // marks: the diacritic added; long-vowel and
                                 // iteration marks: their diacritic after a kana
};

// Entries are 0xAABBNN: primary bytes AA BB and attribute index NN.
extern const SortAttributes kAttributes[];
extern const int kAttributeCount;
// Indexed by the byte; lead bytes have no entry of their own.
extern const std::uint32_t kSingleByte[256];
// Lead bytes 0x81-0x9F and 0xE0-0xFC in order, each with its 188 trail
// bytes 0x40-0x7E and 0x80-0xFC.
extern const std::uint32_t kDoubleByte[60 * 188];
// A lead byte at the end of a text or before a byte that cannot follow it.
extern const std::uint32_t kBrokenCharacter;

}  // namespace sort932
}  // namespace text
