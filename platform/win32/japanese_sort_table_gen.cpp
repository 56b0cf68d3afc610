// japanese_sort_table_gen OUT: asks the system for the sort weights of every
// character of code page 932 and writes them as the portable table
// (platform/text/japanese_sort_table.cpp). Run it under the Japanese locale
// (scripts/regen-japanese-sort-table.sh does).
//
// The weights come from LCMapStringA(0x411, LCMAP_SORTKEY | NORM_IGNORECASE),
// whose keys the locale's comparison compares byte by byte. A key holds five
// levels separated by 0x01 and ends with 0x00: the primary weights, the
// diacritic weights, the case weights, the kana weights (four arrays) and the
// special weights of punctuation. Each character is probed alone and before
// and after a few known characters, so that weights the key leaves out (the
// default ones at the end of a level) show up; what cannot be read that way
// (the long-vowel and iteration marks, which take their weights from the
// character before them) is classified here and handled by rules in
// japanese_sort_key.cpp. Every assumption is checked: the program fails
// rather than write a table that would not give the system's order.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <tuple>
#include <vector>

namespace {

using Bytes = std::string;

[[noreturn]] void Fail(const std::string& what, const Bytes& text) {
  std::fprintf(stderr, "japanese_sort_table_gen: %s (text", what.c_str());
  for (unsigned char c : text) std::fprintf(stderr, " %02X", c);
  std::fprintf(stderr, ")\n");
  std::exit(1);
}

Bytes SortKey(const Bytes& text) {
  char key[4096];
  const int n = LCMapStringA(0x411, LCMAP_SORTKEY | NORM_IGNORECASE, text.data(),
                             static_cast<int>(text.size()), key, sizeof key);
  if (n <= 0) Fail("no sort key", text);
  return Bytes(key, static_cast<std::size_t>(n));
}

// The five levels of a key.
struct Levels {
  Bytes primary, diacritics, cases, kana, special;
};

Levels Split(const Bytes& text) {
  Bytes key = SortKey(text);
  if (key.empty() || key.back() != '\0') Fail("key without its end", text);
  key.pop_back();
  Bytes* parts[] = {nullptr, nullptr, nullptr, nullptr};
  Levels levels;
  parts[0] = &levels.primary;
  parts[1] = &levels.diacritics;
  parts[2] = &levels.cases;
  parts[3] = &levels.kana;
  std::size_t at = 0;
  for (Bytes* part : parts) {
    const std::size_t end = key.find('\x01', at);
    if (end == Bytes::npos) Fail("key with fewer than five levels", text);
    *part = key.substr(at, end - at);
    at = end + 1;
  }
  levels.special = key.substr(at);
  return levels;
}

// The kana level holds four arrays: small forms, FF, repeat marks, 02, kana
// type, FF, width, FF.
struct KanaArrays {
  Bytes small, repeat, type, width;
};

KanaArrays SplitKana(const Bytes& level, const Bytes& text) {
  KanaArrays a;
  std::size_t at = 0;
  const std::pair<Bytes*, char> parts[] = {
      {&a.small, '\xFF'}, {&a.repeat, '\x02'}, {&a.type, '\xFF'}, {&a.width, '\xFF'}};
  for (const auto& part : parts) {
    const std::size_t end = level.find(part.second, at);
    if (end == Bytes::npos) Fail("kana weights of an unknown form", text);
    *part.first = level.substr(at, end - at);
    at = end + 1;
  }
  if (at != level.size()) Fail("kana weights of an unknown form", text);
  return a;
}

bool EndsWith(const Bytes& s, const Bytes& tail) {
  return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

Bytes DropTail(const Bytes& s, const Bytes& tail, const Bytes& text) {
  if (!EndsWith(s, tail)) Fail("probe weights not where expected", text);
  return s.substr(0, s.size() - tail.size());
}

// Probe characters and what they put into a key.
const Bytes kVoicedKa = "\x83\x4B";  // ガ: diacritic 03, case 02
const Bytes kWideA = "\x82\x60";     // Ａ: diacritic 02, case 03
const Bytes kSmallA = "\xA7";        // ｧ: small, katakana, half width
const Bytes kHalfLong = "\xB0";      // ｰ
const Bytes kLong = "\x81\x5B";      // ー
const Bytes kKa = "\xB6";            // ｶ
const Bytes kHyphen = "-";

enum Kind { kRegular = 0, kIgnored, kPunctuation, kMark, kLongVowel, kIteration };

// What the table stores of a character besides its first two primary bytes.
struct Attributes {
  int kind = kRegular;
  int primaryLength = 0;
  Bytes primaryTail;  // the primary bytes after the first two
  Bytes diacritics;   // one per element; empty when the element has none
  Bytes cases;        // one per element
  bool kana = false;
  int small = 0, repeat = 0, type = 0, width = 0;
  Bytes vowel;    // kana: the primary a following long-vowel mark takes
  Bytes special;  // punctuation: its weight among the special weights
  // Marks: the diacritic they add. Long-vowel and iteration marks: the
  // diacritic after a kana (and cases: their case after a kana, after a
  // character with a case).
  int mark = 0;

  auto Tie() const {
    return std::tie(kind, primaryLength, primaryTail, diacritics, cases, kana, small, repeat, type,
                    width, vowel, special, mark);
  }
  bool operator<(const Attributes& o) const { return Tie() < o.Tie(); }
};

struct Entry {
  unsigned char p0 = 0, p1 = 0;
  Attributes attributes;
};

Entry Probe(const Bytes& c) {
  Entry e;
  Attributes& a = e.attributes;
  const Levels alone = Split(c);
  const bool noWeights = alone.primary.empty() && alone.diacritics.empty() &&
                         alone.cases.empty() && alone.kana.empty() && alone.special.empty();
  if (noWeights) {
    a.kind = kIgnored;
    return e;
  }
  if (alone.primary.empty() && !alone.special.empty()) {
    // Punctuation: a special weight at its position, and the primary weight
    // a following long-vowel or iteration mark repeats.
    if (alone.special.size() != 4 || !alone.diacritics.empty() || !alone.cases.empty())
      Fail("punctuation of an unknown form", c);
    a.kind = kPunctuation;
    a.special = alone.special.substr(2);
    const Levels before = Split(c + kLong);
    const Levels probed = Split(c + kLong + kVoicedKa + kWideA);
    if (before.primary.size() != 2 || probed.diacritics.size() != 2 || probed.cases.size() != 3)
      Fail("punctuation repeated in an unknown form", c);
    a.diacritics = probed.diacritics.substr(0, 1);
    a.cases = probed.cases.substr(0, 1);
    e.p0 = static_cast<unsigned char>(before.primary[0]);
    e.p1 = static_cast<unsigned char>(before.primary[1]);
    return e;
  }
  if (alone.primary.empty()) {
    // A nonspacing mark: adds its diacritic weight to the character before.
    if (alone.diacritics.size() != 1 || !alone.cases.empty() || !alone.kana.empty())
      Fail("mark of an unknown form", c);
    a.kind = kMark;
    a.mark = static_cast<unsigned char>(alone.diacritics[0]);
    return e;
  }
  if (alone.primary.size() < 2 || alone.primary.size() > 4) Fail("primary of an unknown length", c);
  if (alone.primary == "\xFF\xFF" && Split(kKa + c).primary != "\x22\x0A\xFF\xFF") {
    // Takes its weights from the character before it: the long-vowel mark
    // (the vowel of a kana) or an iteration mark (the kana itself). Alone,
    // or after a character of more than one element, it keeps FF FF.
    const Levels after = Split(kKa + c);
    if (after.primary == "\x22\x0A\x22\x02") {
      a.kind = kLongVowel;
    } else if (after.primary == "\x22\x0A\x22\x0A") {
      a.kind = kIteration;
    } else {
      Fail("mark after a kana of an unknown form", c);
    }
    const KanaArrays k = SplitKana(Split(kKa + c + kSmallA + kHalfLong).kana, kKa + c);
    if (k.repeat.size() != 4 || k.width.size() != 4) Fail("mark after a kana of an unknown form", c);
    a.repeat = static_cast<unsigned char>(k.repeat[1]);
    a.width = static_cast<unsigned char>(k.width[1]);  // the long-vowel mark's own width
    const Levels afterKana = Split(kKa + c + kVoicedKa + kWideA);
    const Levels afterWide = Split(kWideA + c + kVoicedKa + kWideA);
    if (afterKana.diacritics.size() != 3 || afterKana.cases.size() != 4 ||
        afterWide.cases.size() != 4 || alone.diacritics.size() || alone.cases.size())
      Fail("mark after a character of an unknown form", c);
    a.mark = static_cast<unsigned char>(afterKana.diacritics[1]);
    a.cases = {afterKana.cases[1], afterWide.cases[1]};
    e.p0 = static_cast<unsigned char>(alone.primary[0]);
    e.p1 = static_cast<unsigned char>(alone.primary[1]);
    return e;
  }
  if (!alone.special.empty()) Fail("character with primary and special weights", c);
  a.kind = kRegular;
  a.primaryLength = static_cast<int>(alone.primary.size());
  e.p0 = static_cast<unsigned char>(alone.primary[0]);
  e.p1 = static_cast<unsigned char>(alone.primary[1]);
  a.primaryTail = alone.primary.substr(2);
  const Levels probed = Split(c + kVoicedKa + kWideA);
  a.diacritics = DropTail(probed.diacritics, "\x03", c);
  a.cases = DropTail(probed.cases, "\x02\x03", c);
  if (a.cases.empty() || a.cases.size() > 2 || a.diacritics.size() > a.cases.size())
    Fail("elements of an unknown form", c);
  if (a.cases.size() == 2 && (a.primaryLength != 4 || a.diacritics.size() != 2))
    Fail("expansion of an unknown form", c);
  if (!alone.kana.empty()) {
    if (a.cases.size() != 1) Fail("kana of more than one element", c);
    a.kana = true;
    const KanaArrays k = SplitKana(Split(c + kSmallA + kHalfLong).kana, c);
    const Bytes small = DropTail(k.small, "\xC4\xC4", c);
    const Bytes repeat = DropTail(k.repeat, "\x03\x05", c);
    const Bytes type = DropTail(k.type, "\xC4\xC4", c);
    const Bytes width = DropTail(k.width, "\xC4\xC4", c);
    if (small.size() != 1 || repeat.size() != 1 || type.size() != 1 || width.size() != 1)
      Fail("kana weights of an unknown form", c);
    a.small = static_cast<unsigned char>(small[0]);
    a.repeat = static_cast<unsigned char>(repeat[0]);
    a.type = static_cast<unsigned char>(type[0]);
    a.width = static_cast<unsigned char>(width[0]);
    const Bytes lengthened = Split(c + kLong).primary;
    if (lengthened.size() != 4 || lengthened.compare(0, 2, alone.primary) != 0)
      Fail("kana whose long vowel has an unknown form", c);
    a.vowel = lengthened.substr(2);
  }
  // Where the next punctuation stands: half the primary bytes so far.
  const Levels dashed = Split(c + kHyphen);
  const int position = 0xFFFF - ((static_cast<unsigned char>(dashed.special[0]) << 8) |
                                 static_cast<unsigned char>(dashed.special[1]));
  if (dashed.special.size() != 4 || position != a.primaryLength / 2)
    Fail("punctuation position of an unknown form", c);
  return e;
}

bool IsLead(int b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
bool IsTrail(int b) { return b >= 0x40 && b <= 0xFC && b != 0x7F; }

class Table {
 public:
  int Index(const Attributes& a) {
    auto it = index_.find(a);
    if (it != index_.end()) return it->second;
    const int n = static_cast<int>(list_.size());
    if (n > 255) Fail("more than 256 kinds of attributes", Bytes());
    index_.emplace(a, n);
    list_.push_back(a);
    return n;
  }
  const std::vector<Attributes>& List() const { return list_; }

 private:
  std::map<Attributes, int> index_;
  std::vector<Attributes> list_;
};

std::string Hex(const Bytes& b, std::size_t n) {
  std::string s;
  char buf[8];
  for (std::size_t i = 0; i < n; ++i) {
    std::snprintf(buf, sizeof buf, "%s0x%02X", i ? ", " : "",
                  i < b.size() ? static_cast<unsigned char>(b[i]) : 0);
    s += buf;
  }
  return s;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: japanese_sort_table_gen OUT\n");
    return 64;
  }
  if (GetACP() != 932) {
    std::fprintf(stderr, "japanese_sort_table_gen: needs code page 932 (run under ja_JP.UTF-8)\n");
    return 1;
  }
  Table table;
  std::vector<unsigned> single(256, 0), doubles;
  for (int b = 0; b < 256; ++b) {
    if (IsLead(b)) continue;
    const Entry e = Probe(Bytes(1, static_cast<char>(b)));
    single[b] = (e.p0 << 16) | (e.p1 << 8) | table.Index(e.attributes);
  }
  // A lead byte with a byte that cannot follow it, or at the very end, is
  // one broken character.
  const Bytes brokenCode = "\x81\x20";
  const Bytes brokenKey = SortKey(brokenCode);
  const Entry broken = Probe(brokenCode);
  for (int lead = 0; lead < 256; ++lead) {
    if (!IsLead(lead)) continue;
    if (SortKey(Bytes(1, static_cast<char>(lead))) != brokenKey) Fail("lone lead byte", Bytes(1, static_cast<char>(lead)));
    for (int trail = 1; trail < 256; ++trail) {
      const Bytes code = {static_cast<char>(lead), static_cast<char>(trail)};
      if (!IsTrail(trail)) {
        if (SortKey(code) != brokenKey) Fail("invalid trail byte that is no broken character", code);
        continue;
      }
      const Entry e = Probe(code);
      doubles.push_back((e.p0 << 16) | (e.p1 << 8) | table.Index(e.attributes));
    }
  }
  const unsigned brokenEntry = (broken.p0 << 16) | (broken.p1 << 8) | table.Index(broken.attributes);

  std::FILE* out = std::fopen(argv[1], "wb");
  if (!out) {
    std::fprintf(stderr, "japanese_sort_table_gen: cannot write %s\n", argv[1]);
    return 1;
  }
  std::fprintf(out,
               "// The sort weights of code page 932 as the system's Japanese locale gives them.\n"
               "// Generated by platform/win32/japanese_sort_table_gen.cpp\n"
               "// (scripts/regen-japanese-sort-table.sh); do not edit.\n"
               "#include \"platform/text/japanese_sort_table.h\"\n\n"
               "namespace text {\nnamespace sort932 {\n\n"
               "// clang-format off\n"
               "const SortAttributes kAttributes[] = {\n"
               "  // kind, primary length, primary tail, diacritics (count, values), cases (count,\n"
               "  // values), kana, small, repeat, type, width, vowel, special, mark\n");
  for (const Attributes& a : table.List()) {
    std::fprintf(out, "  {%d, %d, {%s}, %d, {%s}, %d, {%s}, %d, 0x%02X, 0x%02X, 0x%02X, 0x%02X, {%s}, {%s}, 0x%02X},\n",
                 a.kind, a.primaryLength, Hex(a.primaryTail, 2).c_str(),
                 static_cast<int>(a.diacritics.size()), Hex(a.diacritics, 2).c_str(),
                 static_cast<int>(a.cases.size()), Hex(a.cases, 2).c_str(), a.kana ? 1 : 0, a.small,
                 a.repeat, a.type, a.width, Hex(a.vowel, 2).c_str(), Hex(a.special, 2).c_str(),
                 a.mark);
  }
  std::fprintf(out, "};\nconst int kAttributeCount = %d;\n\n", static_cast<int>(table.List().size()));
  const auto writeEntries = [out](const char* name, const std::vector<unsigned>& v) {
    std::fprintf(out, "const std::uint32_t %s[] = {", name);
    for (std::size_t i = 0; i < v.size(); ++i) {
      std::fprintf(out, "%s0x%06X,", i % 12 == 0 ? "\n  " : " ", v[i]);
    }
    std::fprintf(out, "\n};\n\n");
  };
  writeEntries("kSingleByte", single);
  writeEntries("kDoubleByte", doubles);
  std::fprintf(out, "const std::uint32_t kBrokenCharacter = 0x%06X;\n// clang-format on\n\n", brokenEntry);
  std::fprintf(out, "}  // namespace sort932\n}  // namespace text\n");
  return std::fclose(out) == 0 ? 0 : 1;
}
