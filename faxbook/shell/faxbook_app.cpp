#include "faxbook/shell/faxbook_app.h"

#include "faxbook/res/resource.h"
#include "faxbook/shell/about_dialog.h"
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

  document_ = std::make_unique<CAddrConfigDoc>(services_.system->AnsiCodePage(), &alerts_);
  frame_ = std::make_unique<CMainFrame>(services_, this);
  view_ = std::make_unique<CAddrConfigView>(services_, &alerts_, document_.get(), frame_.get(),
                                            &startup_);
  frame_->SetView(view_.get());
  entryCommands_ = std::make_unique<CEntryCommands>(*view_, services_);
  view_->AddCommandSet(entryCommands_.get());
  bookImportCommands_ = std::make_unique<CBookImportCommands>(*view_, services_);
  view_->AddCommandSet(bookImportCommands_.get());
  bulkEditCommands_ = std::make_unique<CBulkEditCommands>(*view_, services_);
  view_->AddCommandSet(bulkEditCommands_.get());
  csvImport_ = std::make_unique<CCsvImportCommands>(*view_, services_);
  view_->AddCommandSet(csvImport_.get());
  // F1 in a dialog asks for the dialog's topic the frame's way.
  services_.dialogs->SetHelpHandler([this](unsigned long data) { frame_->OnHelp(data); });
  ui::FrameWindow* window = host.CreateFrame(IDR_MAINFRAME, frame_.get());
  if (!window) return false;
  ui::FormView* form = host.CreateFormView(IDD_ADDRCONFIG_FORM, view_.get());
  if (!form) return false;
  view_->Attach(form);
  view_->OnInitialUpdate();

  window->SetTitle(services_.resources->String(IDS_APP_TITLE));
  window->Show();
  return true;
}

int CFaxbookApp::ExitInstance() {
  services_.instance->CloseMutex();
  return 0;
}

void CFaxbookApp::OnAppAbout() {
  CAboutDialog about;
  services_.dialogs->RunModal(about);
}
