#include "faxpick/startup/ui_language.h"

namespace picker {

int UiLanguageFrom(bool queried, const std::string& hexText) {
  if (!queried) return kLanguageEnglish;
  unsigned id = 0;
  for (char c : hexText) {
    unsigned digit = 0;
    if (c >= '0' && c <= '9') {
      digit = static_cast<unsigned>(c - '0');
    } else if (c >= 'A' && c <= 'F') {
      digit = static_cast<unsigned>(c - 'A' + 10);
    } else if (c >= 'a' && c <= 'f') {
      digit = static_cast<unsigned>(c - 'a' + 10);
    } else {
      break;
    }
    id = ((id << 4) | digit) & 0xFFFFu;
  }
  const int primary = static_cast<int>(id & 0xFFu);
  if (primary != kLanguageChinese) return primary;
  switch (id) {
    case 0x0404:
    case 0x0C04:
    case 0x1404:
      return kLanguageTraditionalChinese;
    case 0x0804:
      return kLanguageSimplifiedChinese;
    case 0x1004:
      return kLanguageEnglish;
    default:
      return kLanguageChinese;
  }
}

LanguageFiles FilesFor(int uiLanguage) {
  switch (uiLanguage) {
    case kLanguageGerman: return {"pickresGER.dll", "faxpickDE.hlp"};
    case kLanguageSpanish: return {"pickresSPA.dll", "faxpickSP.hlp"};
    case kLanguageFrench: return {"pickresFRE.dll", "faxpickFR.hlp"};
    case kLanguageItalian: return {"pickresITA.dll", "faxpickIT.hlp"};
    case kLanguageJapanese: return {"pickresJPN.dll", "faxpickJP.hlp"};
    case kLanguageKorean: return {"pickresKOR.dll", "faxpickKO.hlp"};
    case kLanguageSimplifiedChinese: return {"pickresCHI.dll", "faxpickCS.hlp"};
    case kLanguageTraditionalChinese: return {"pickresTCHI.dll", "faxpickCT.hlp"};
    default: return {"pickresENG.dll", "faxpickEN.hlp"};
  }
}

}  // namespace picker
