#include "faxbook/shell/faxbook_app.h"

#include "faxbook/res/resource.h"
#include "faxbook/shell/data_location.h"
#include "faxbook/shell/language.h"

CFaxbookApp::CFaxbookApp(const EditorServices& services)
    : services_(services), alerts_(services.messages, services.resources) {}

CFaxbookApp::~CFaxbookApp() = default;

bool CFaxbookApp::InitApplication() {
  switch (services_.instance->CreateOwnedMutex(kInstanceMutex)) {
    case sys::MutexResult::kCreated:
      return true;
    case sys::MutexResult::kAlreadyExists:
      services_.instance->RaiseWindow(services_.resources->String(IDS_APP_TITLE));
      return false;
    case sys::MutexResult::kFailed:
    default:
      return false;
  }
}

void CFaxbookApp::FindSpecialFolder() {
  startup_.specialFolder.clear();
  startup_.systemClass = SystemClassFor(services_.system->MajorVersion());
  const int folder = SpecialFolderFor(startup_.systemClass);
  if (folder != 0) services_.system->SpecialFolder(folder, &startup_.specialFolder);
}

bool CFaxbookApp::CheckInstallation() {
  std::string fileName;
  if (services_.registry->ReadMachineString(kAddressBookKey, kValueFileName,
                                            kRegistryBufferBytes, &fileName)) {
    return true;
  }
  services_.messages->Show(services_.resources->String(IDS_BAD_INSTALLATION),
                           services_.resources->String(IDS_APP_TITLE), ui::Buttons::kOk,
                           ui::Icon::kStop);
  return false;
}

bool CFaxbookApp::InitInstance(ui::FrameHost& host) {
  services_.resources->UseLanguageLibrary(kLanguageLibrary);
  FindSpecialFolder();
  if (!CheckInstallation()) return false;
  frame_ = std::make_unique<CMainFrame>(services_, &settings_);
  // The frame learns the language, the code page and the list font while it
  // is created; the book and everything that reads it come after.
  ui::FrameWindow* window = host.CreateFrame(IDR_MAINFRAME, frame_.get());
  if (!window) return false;
  document_ = std::make_unique<CAddrConfigDoc>(services_, &alerts_, &settings_, &startup_);
  conflictChooser_ = std::make_unique<CConflictChooser>(*services_.dialogs, *services_.resources);
  document_->SetConflictChooser(conflictChooser_.get());
  view_ = std::make_unique<CAddrConfigView>(services_, document_.get(), &settings_);
  frame_->SetClient(view_.get());
  commandContext_ = std::make_unique<CommandContext>(
      CommandContext{document_->Book(), *view_, *document_, settings_, services_});
  entryCommands_ = std::make_unique<CEntryCommands>(*commandContext_);
  view_->AddCommandSet(entryCommands_.get());
  bookImportCommands_ = std::make_unique<CBookImportCommands>(*commandContext_);
  view_->AddCommandSet(bookImportCommands_.get());
  bulkEditCommands_ = std::make_unique<CBulkEditCommands>(*commandContext_);
  view_->AddCommandSet(bulkEditCommands_.get());
  csvImport_ = std::make_unique<CCsvImportCommands>(*commandContext_);
  view_->AddCommandSet(csvImport_.get());
  csvExport_ = std::make_unique<CCsvExportCommands>(*commandContext_);
  view_->AddCommandSet(csvExport_.get());
  // F1 in a dialog asks for the dialog's topic the frame's way.
  services_.dialogs->SetHelpHandler([this](unsigned long data) { frame_->OnHelp(data); });
  ui::FormView* form = host.CreateFormView(IDD_ADDRCONFIG_FORM, view_.get());
  if (!form) return false;
  view_->Attach(form, window);
  view_->OnInitialUpdate();
  window->SetTitle(services_.resources->String(IDS_APP_TITLE));
  window->Show();
  return true;
}

int CFaxbookApp::ExitInstance() {
  services_.instance->CloseMutex();
  return 0;
}
