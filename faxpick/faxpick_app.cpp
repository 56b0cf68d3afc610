#include "faxpick/faxpick_app.h"

#include <string>

#include "faxpick/dialogs/destination_dialog.h"
#include "faxpick/res/resource.h"
#include "faxpick/startup/locations.h"
#include "faxpick/startup/picker_strings.h"
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
  const int result = services_.dialogs->RunModal(dialog);
  services_.dialogs->SetHelpHandler(nullptr);
  if (result != ui::kIdOk) return 0;

  PickerStrings strings(*services_.resources, services_.system->AnsiCodePage());
  PickerLocations locations(services_, strings);
  const std::string path = locations.ExchangeFilePath(spooler);
  if (path.empty()) {
    if (!dialog.ToldNoHandingBack()) {
      services_.messages->Show(strings.Get(IDS_NO_HANDING_BACK), dialog.ProgramName(),
                               ui::Buttons::kOk, ui::Icon::kExclamation);
    }
    return 0;
  }
  dialog.Exchange().WriteResult(path, dialog.Result(), locations.SettingsPathFor(path),
                                dialog.Choice());
  return 0;
}

}  // namespace picker
