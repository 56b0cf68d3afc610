#include "faxpick/faxpick_app.h"

#include <string>

#include "faxpick/dialogs/destination_dialog.h"
#include "faxpick/startup/ui_language.h"

namespace picker {

void CFaxpickApp::ChooseLanguage() {
  std::string language;
  const bool queried = services_.locale->UserDefaultLanguage(&language);
  uiLanguage_ = UiLanguageFrom(queried, language);
  if (!services_.resources->UseLanguageLibrary(FilesFor(uiLanguage_).library)) {
    services_.resources->UseLanguageLibrary(kFallbackLibrary);
  }
}

int CFaxpickApp::Run(std::string_view commandLine) {
  ChooseLanguage();
  const SpoolerArguments spooler = ParseCommandLine(commandLine);
  CDestinationDialog dialog(services_, uiLanguage_, spooler);
  // F1 in the group confirmation asks for its own topic (help data
  // 0x20000 + its template); the destination dialog opens the contents.
  services_.dialogs->SetHelpHandler([&dialog](unsigned long data) { dialog.ShowHelpTopic(data); });
  services_.dialogs->RunModal(dialog);
  services_.dialogs->SetHelpHandler(nullptr);
  return 0;
}

}  // namespace picker
