#include "platform/win32/win32_ui_services.h"

#include <vector>

namespace ui {

Win32Resources::~Win32Resources() {
  if (library_) FreeLibrary(library_);
}

bool Win32Resources::UseLanguageLibrary(const std::string& name) {
  HMODULE library = LoadLibraryA(name.c_str());
  if (!library) return false;
  if (library_) FreeLibrary(library_);
  library_ = library;
  source_ = library;
  return true;
}

std::string Win32Resources::String(int id) {
  const wchar_t* text = nullptr;
  const int length = LoadStringW(source_, static_cast<UINT>(id),
                                 reinterpret_cast<LPWSTR>(&text), 0);
  if (length <= 0 || !text) return std::string();
  const int bytes = WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return std::string();
  std::string out(static_cast<std::size_t>(bytes), '\0');
  WideCharToMultiByte(CP_ACP, 0, text, length, &out[0], bytes, nullptr, nullptr);
  return out;
}

bool Win32Resources::SourcePath(std::string* path) {
  path->clear();
  char buffer[MAX_PATH + 1] = {};
  const DWORD n = GetModuleFileNameA(source_, buffer, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return false;
  path->assign(buffer, n);
  return true;
}

HINSTANCE Win32Resources::Find(LPCSTR type, int id) const {
  if (library_ && FindResourceA(library_, MAKEINTRESOURCEA(id), type)) return library_;
  return program_;
}

UINT Win32MessageBoxes::Style(Buttons buttons, Icon icon) {
  UINT style = MB_OK;
  switch (buttons) {
    case Buttons::kOk: style = MB_OK; break;
    case Buttons::kOkCancel: style = MB_OKCANCEL; break;
    case Buttons::kYesNo: style = MB_YESNO; break;
    case Buttons::kYesNoCancel: style = MB_YESNOCANCEL; break;
  }
  switch (icon) {
    case Icon::kNone: break;
    case Icon::kStop: style |= MB_ICONSTOP; break;
    case Icon::kQuestion: style |= MB_ICONQUESTION; break;
    case Icon::kExclamation: style |= MB_ICONEXCLAMATION; break;
    case Icon::kInformation: style |= MB_ICONINFORMATION; break;
  }
  return style;
}

int Win32MessageBoxes::Show(const std::string& text, const std::string& caption,
                            Buttons buttons, Icon icon) {
  HWND owner = owner_ && IsWindow(owner_) ? owner_ : nullptr;
  if (owner) {
    // A dialog running over the frame owns the box instead.
    HWND active = GetActiveWindow();
    if (active && GetWindowThreadProcessId(active, nullptr) == GetCurrentThreadId()) {
      owner = active;
    }
  }
  return MessageBoxA(owner, text.c_str(), caption.c_str(), Style(buttons, icon) | (owner ? 0u : static_cast<UINT>(MB_TASKMODAL)));
}

void Win32WaitCursor::Begin() {
  if (depth_++ == 0) previous_ = SetCursor(LoadCursor(nullptr, IDC_WAIT));
}

void Win32WaitCursor::End() {
  if (depth_ <= 0) return;
  if (--depth_ == 0) SetCursor(previous_ ? previous_ : LoadCursor(nullptr, IDC_ARROW));
}

namespace {

// The help file as the help engine in use takes it. Windows opens
// "file>window" in the file's window of that name; Wine's viewer looks the
// whole text up as a file name and reports it missing, so there the window
// is left off and the viewer's main window shows the topic.
std::string ForHelpEngine(const std::string& helpPath) {
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  const bool wine = ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
  return wine ? helpPath.substr(0, helpPath.find('>')) : helpPath;
}

}  // namespace

HWND Win32Help::Owner() {
  asked_ = owner_ && IsWindow(owner_) ? owner_ : GetActiveWindow();
  return asked_;
}

void Win32Help::ShowFinder(const std::string& helpPath) {
  WinHelpA(Owner(), ForHelpEngine(helpPath).c_str(), HELP_FINDER, 0);
}

void Win32Help::ShowTopic(const std::string& helpPath, unsigned long topic) {
  WinHelpA(Owner(), ForHelpEngine(helpPath).c_str(), HELP_CONTEXT, static_cast<ULONG_PTR>(topic));
}

void Win32Help::Quit(const std::string& helpPath) {
  HWND owner = asked_ && IsWindow(asked_) ? asked_ : Owner();
  WinHelpA(owner, ForHelpEngine(helpPath).c_str(), HELP_QUIT, 0);
}

}  // namespace ui
