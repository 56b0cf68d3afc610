// The reading rule gives what the system's own width and kana mapping gives
// (to katakana, to half-width, on code page 932) for every kana and every
// full-width character the rule turns to half-width, but for the
// differences named below.
#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "booklib/rules/reading_form.h"

namespace {

std::string Bytes(unsigned code) {
  std::string s;
  s.push_back(static_cast<char>(code >> 8));
  s.push_back(static_cast<char>(code & 0xFF));
  return s;
}

// The system's mapping of one character of code page 932; empty when it
// has no form in the page.
std::string SystemReading(const std::string& text) {
  wchar_t wide[8] = {};
  const int n = MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, text.data(),
                                    static_cast<int>(text.size()), wide, 8);
  if (n <= 0) return std::string();
  wchar_t mapped[16] = {};
  const int m = LCMapStringW(0x0411, LCMAP_KATAKANA | LCMAP_HALFWIDTH, wide, n, mapped, 16);
  if (m <= 0) return std::string();
  char out[32] = {};
  BOOL lacking = FALSE;
  const int k = WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, mapped, m, out, sizeof out, nullptr,
                                    &lacking);
  if (k <= 0 || lacking) return std::string();
  return std::string(out, static_cast<std::size_t>(k));
}

TEST(ReadingRuleAgainstTheSystem, EveryKanaAndFullWidthFormMapsAsTheSystemMapsIt) {
  // Where the rule knowingly differs, and why.
  const std::map<unsigned, const char*> differences = {
      // The field's normalisation reads an ideographic space as two spaces
      // (the book's rule for every text); the system makes it one.
      {0x8140, "the ideographic space"},
  };
  std::string seen;
  int compared = 0;
  for (unsigned code = 0x8140; code <= 0x83FC; ++code) {
    const unsigned trail = code & 0xFF;
    if (trail < 0x40 || trail == 0x7F || trail > 0xFC) continue;
    const std::string text = Bytes(code);
    const std::string rule = rules::ToBookReading(text, 932);
    const std::string system = SystemReading(text);
    if (system.empty()) continue;  // no character of the page
    // The rule's ground: what it changes, and the kana rows whole.
    const bool kana = code >= 0x829F;
    if (rule == text && !kana) continue;
    ++compared;
    if (rule == system) continue;
    const auto known = differences.find(code);
    if (known != differences.end()) continue;
    char line[96];
    std::snprintf(line, sizeof line, "%04X: rule %02X%02X%s, system %02X%02X%s\n", code,
                  static_cast<unsigned char>(rule[0]),
                  rule.size() > 1 ? static_cast<unsigned char>(rule[1]) : 0,
                  rule.size() > 2 ? "..." : "", static_cast<unsigned char>(system[0]),
                  system.size() > 1 ? static_cast<unsigned char>(system[1]) : 0,
                  system.size() > 2 ? "..." : "");
    seen += line;
  }
  for (unsigned code : {0xFA56u, 0xFA57u}) {
    ++compared;
    if (rules::ToBookReading(Bytes(code), 932) != SystemReading(Bytes(code))) {
      seen += "FA5x: the full-width quote differs\n";
    }
  }
  EXPECT_GT(compared, 250);
  EXPECT_EQ(seen, "") << "characters the rule maps otherwise than the system";
}

}  // namespace
