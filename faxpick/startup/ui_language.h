// The picker's interface language and the files that belong to it.
#pragma once

#include <string>

namespace picker {

// Interface language codes: the primary language of the user's locale,
// with Chinese told apart by the whole identifier.
constexpr int kLanguageEnglish = 9;
constexpr int kLanguageGerman = 7;
constexpr int kLanguageSpanish = 10;
constexpr int kLanguageFrench = 12;
constexpr int kLanguageItalian = 16;
constexpr int kLanguageJapanese = 17;
constexpr int kLanguageKorean = 18;
constexpr int kLanguageChinese = 4;
constexpr int kLanguageSimplifiedChinese = 192;
constexpr int kLanguageTraditionalChinese = 193;

// From the locale's language identifier as the system writes it (four
// hexadecimal digits, read up to the first other character); English when
// the query failed. The low 8 bits name the language; for Chinese (4)
// 0x0404, 0x0C04 and 0x1404 give traditional, 0x0804 simplified, 0x1004
// English, any other Chinese 4.
int UiLanguageFrom(bool queried, const std::string& hexText);

struct LanguageFiles {
  const char* library;   // "pickresJPN.dll"
  const char* helpFile;  // "faxpickJP.hlp"
};

// The resource library and help file of a language; English ones for every
// language without its own.
LanguageFiles FilesFor(int uiLanguage);

// The library tried when the language's own cannot be loaded.
inline constexpr char kFallbackLibrary[] = "pickresENG.dll";

}  // namespace picker
