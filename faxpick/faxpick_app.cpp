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
  if (services_.dialogs->RunModal(dialog) != ui::kIdOk) return 0;

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
