// The portable code-page tables agree with the system's own.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/text/codepage.h"

namespace {

TEST(SystemCodePages, LeadBytesMatchTheSystemTables) {
  for (int cp : {932, 936, 949, 950, 1250, 1252}) {
    if (!IsValidCodePage(static_cast<UINT>(cp))) {
      ADD_FAILURE() << "the system lacks code page " << cp;
      continue;
    }
    for (int b = 0; b < 256; ++b) {
      EXPECT_EQ(text::IsLeadByte(cp, static_cast<unsigned char>(b)),
                IsDBCSLeadByteEx(static_cast<UINT>(cp), static_cast<BYTE>(b)) != FALSE)
          << "code page " << cp << " byte 0x" << std::hex << b;
    }
  }
}

TEST(SystemCodePages, LegalPairsConvertToOneCharacter) {
  // Every pair the portable table calls legal is one character to the system.
  for (int cp : {932, 936, 949, 950}) {
    int checked = 0;
    for (int lead = 0x81; lead <= 0xFE; lead += 7) {
      for (int trail = 0x40; trail <= 0xFE; ++trail) {
        const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
        if (!text::IsDoubleByteAt(cp, std::string_view(pair, 2), 0)) continue;
        wchar_t wide[4] = {};
        const int n = MultiByteToWideChar(static_cast<UINT>(cp), 0, pair, 2, wide, 4);
        EXPECT_EQ(n, 1) << "code page " << cp << " pair " << std::hex << lead << " " << trail;
        ++checked;
      }
    }
    EXPECT_GT(checked, 100) << cp;
  }
}

TEST(SystemCodePages, TheAnsiCodePageIsTheOneTheLocaleGives) {
  // Run under a Japanese locale the system's ANSI page is 932.
  const char* expected = std::getenv("FAXBOOK_EXPECT_ACP");
  if (expected) {
    EXPECT_EQ(GetACP(), static_cast<UINT>(std::atoi(expected)));
  }
}

}  // namespace
