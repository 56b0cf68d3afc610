#include "faxbook/shell/main_frame.h"

#include "faxbook/res/resource.h"
#include "faxbook/shell/addr_config_view.h"
#include "faxbook/shell/faxbook_app.h"
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

CMainFrame::CMainFrame(const EditorServices& services, CFaxbookApp* app)
    : services_(services), app_(app) {}

bool CMainFrame::OnCreate(ui::FrameWindow& window) {
  window_ = &window;
  if (!window.CreateToolBar(IDR_MAINFRAME)) return false;
  window.SetMenuItemEnabled(ID_FILE_APPLY, false);
  if (!window.CreateStatusBar({0, ID_INDICATOR_KANA, ID_INDICATOR_CAPS, ID_INDICATOR_NUM,
                               ID_INDICATOR_SCRL, ID_INDICATOR_COUNT})) {
    return false;
  }
  window.EnableDocking();
  langId_ = ReadInterfaceLanguage(*services_.registry);
  codePage_ = services_.system->AnsiCodePage();
  if (codePage_ == kCentralEuropeCodePage) {
    ui::FontSpec font;
    font.height = -11;
    font.charset = kEastEuropeCharset;
    font.face = "Arial";
    listFont_ = window.MakeFont(font);
  }
  const std::string program = services_.system->ProgramPath();
  helpPath_ = std::string(text::SplitPath(codePage_, program).folder) + "FAXBOOK.HLP>ABookM";
  return true;
}

std::vector<int> CMainFrame::ListIcons() const { return {IDI_ADDRESS, IDI_GROUP}; }

void CMainFrame::OnCommand(int id) {
  if (view_ && view_->OnCommand(id)) return;
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
    case ID_APP_ABOUT:
      app_->OnAppAbout();
      break;
    default:
      break;
  }
}

ui::CommandState CMainFrame::QueryCommand(int id) {
  ui::CommandState state;
  switch (id) {
    case ID_FILE_APPLY:
    case ID_IMPORT_CSV:
      state.enabled = window_ && window_->IsMenuItemEnabled(id);
      break;
    case ID_EDIT_CUT:
    case ID_EDIT_UNDO:
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
  if (!view_ || !view_->IsModified()) return true;
  const int answer = services_.messages->Show(services_.resources->String(IDS_SAVE_QUESTION),
                                              services_.resources->String(IDS_CAPTION),
                                              ui::Buttons::kYesNoCancel, ui::Icon::kQuestion);
  if (answer == ui::kIdNo) return true;
  if (answer == ui::kIdYes) return view_->Apply();
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
  if (!view_ || !SaveChangesFirst()) return;
  view_->Load(view_->PrimaryPath(), view_->OldPath());
  view_->SetModified(false);
}

void CMainFrame::OnHelp(unsigned long data) { ShowHelp(data); }

void CMainFrame::ShowHelp(unsigned long data) {
  const HelpAction action = MapHelp(data);
  if (action.kind == HelpAction::kFinder) services_.help->ShowFinder(helpPath_);
  if (action.kind == HelpAction::kTopic) services_.help->ShowTopic(helpPath_, action.topic);
}
