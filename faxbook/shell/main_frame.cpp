#include "faxbook/shell/main_frame.h"

#include "faxbook/res/resource.h"
#include "faxbook/shell/about_dialog.h"
#include "faxbook/shell/help_map.h"
#include "faxbook/shell/language.h"
#include "platform/text/path_split.h"

namespace {

// The message sent on close to the window titled with the application
// title (the user message base plus 3).
constexpr unsigned kCloseNotice = 0x403;

// The Central European list font: Arial, 11 pixels, character set 238.
constexpr int kCentralEuropeCodePage = 1250;
constexpr int kEastEuropeCharset = 238;

}  // namespace

CMainFrame::CMainFrame(const EditorServices& services, EditorSettings* settings)
    : services_(services), settings_(settings) {}

bool CMainFrame::OnCreate(ui::FrameWindow& window) {
  window_ = &window;
  if (!window.CreateToolBar(IDR_MAINFRAME)) return false;
  window.SetMenuItemEnabled(ID_FILE_APPLY, false);
  if (!window.CreateStatusBar({0, ID_INDICATOR_KANA, ID_INDICATOR_CAPS, ID_INDICATOR_NUM,
                               ID_INDICATOR_SCRL, ID_INDICATOR_COUNT})) {
    return false;
  }
  window.EnableDocking();
  settings_->langId = ReadInterfaceLanguage(*services_.registry);
  settings_->codePage = services_.system->AnsiCodePage();
  settings_->listFont = 0;
  if (settings_->codePage == kCentralEuropeCodePage) {
    ui::FontSpec font;
    font.height = -11;
    font.charset = kEastEuropeCharset;
    font.face = "Arial";
    settings_->listFont = window.MakeFont(font);
  }
  const std::string program = services_.system->ProgramPath();
  helpPath_ = std::string(text::SplitPath(settings_->codePage, program).folder) + "FAXBOOK.HLP>ABookM";
  return true;
}

void CMainFrame::OnCommand(int id) {
  if (client_ && client_->OnCommand(id)) return;
  switch (id) {
    case ID_APP_EXIT:
      window_->RequestClose();
      break;
    case ID_HELP_FINDER:
    case ID_DEFAULT_HELP:
      ShowHelp(0);
      break;
    case ID_HELP:
      ShowHelp(kMainWindowTopic);
      break;
    case ID_CONTEXT_HELP:
      window_->EnterContextHelpMode();
      break;
    case ID_VIEW_TOOLBAR:
      window_->ShowToolBar(!window_->IsToolBarShown());
      break;
    case ID_VIEW_STATUS_BAR:
      window_->ShowStatusBar(!window_->IsStatusBarShown());
      break;
    case ID_FILE_NEW:
      NewFile();
      break;
    case ID_APP_ABOUT: {
      CAboutDialog about;
      services_.dialogs->RunModal(about);
      break;
    }
    default:
      break;
  }
}

ui::CommandState CMainFrame::QueryCommand(int id) {
  ui::CommandState state;
  if (client_ && client_->QueryCommand(id, &state)) return state;
  switch (id) {
    case ID_FILE_APPLY:
    case ID_IMPORT_CSV:
      state.enabled = window_ && window_->IsMenuItemEnabled(id);
      break;
    case ID_EDIT_CUT:
    case ID_FILE_PRINT_SETUP:
      state.enabled = false;
      break;
    case ID_VIEW_TOOLBAR:
      state.checked = window_ && window_->IsToolBarShown();
      break;
    case ID_VIEW_STATUS_BAR:
      state.checked = window_ && window_->IsStatusBarShown();
      break;
    default:
      break;
  }
  return state;
}

bool CMainFrame::SaveChangesFirst() {
  if (!client_ || !client_->IsModified()) return true;
  const int answer = services_.messages->Show(services_.resources->String(IDS_SAVE_QUESTION),
                                              services_.resources->String(IDS_CAPTION),
                                              ui::Buttons::kYesNoCancel, ui::Icon::kQuestion);
  if (answer == ui::kIdNo) return true;
  if (answer == ui::kIdYes) return client_->Apply();
  return false;
}

bool CMainFrame::OnCloseRequest() {
  if (!SaveChangesFirst()) return false;
  services_.instance->SendToWindow(services_.resources->String(IDS_APP_TITLE), kCloseNotice, 0, 0);
  return true;
}

void CMainFrame::NewFile() {
  // A new document of this editor is its own book as the file holds it:
  // unsaved changes are offered for saving first, then the book is read
  // again.
  if (!client_ || !SaveChangesFirst()) return;
  client_->Reload();
}

void CMainFrame::OnHelp(unsigned long data) { ShowHelp(data); }

void CMainFrame::ShowHelp(unsigned long data) {
  const HelpAction action = MapHelp(data);
  if (action.kind == HelpAction::kFinder) services_.help->ShowFinder(helpPath_);
  if (action.kind == HelpAction::kTopic) services_.help->ShowTopic(helpPath_, action.topic);
}

void CMainFrame::OnAppActivated() {
  if (client_) client_->OnAppActivated();
}
