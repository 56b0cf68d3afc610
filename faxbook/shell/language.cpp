#include "faxbook/shell/language.h"

namespace {

struct LanguageName {
  const char* name;
  int langId;
};

constexpr LanguageName kLanguages[] = {
    {"English", 1033}, {"Japanese", 1041}, {"French", 1036},   {"German", 1031},
    {"Spanish", 1034}, {"Italian", 1040},  {"Chinese", 2052},  {"TChinese", 1028},
    {"Korean", 1042},
};

bool EqualIgnoringAsciiCase(const std::string& a, const char* b) {
  std::size_t i = 0;
  for (; i < a.size() && b[i] != '\0'; ++i) {
    const auto x = static_cast<unsigned char>(a[i]);
    const auto y = static_cast<unsigned char>(b[i]);
    const auto lx = (x >= 'A' && x <= 'Z') ? x + 32 : x;
    const auto ly = (y >= 'A' && y <= 'Z') ? y + 32 : y;
    if (lx != ly) return false;
  }
  return i == a.size() && b[i] == '\0';
}

}  // namespace

int LanguageIdFromName(const std::string& name) {
  for (const LanguageName& language : kLanguages) {
    if (EqualIgnoringAsciiCase(name, language.name)) return language.langId;
  }
  return kLangEnglish;
}

int ReadInterfaceLanguage(sys::Registry& registry) {
  std::string name;
  if (!registry.ReadMachineString(kAddressBookKey, kValueLanguage, kRegistryBufferBytes, &name)) {
    return kLangJapanese;
  }
  return LanguageIdFromName(name);
}
