#include "platform/win32/win32_file_dialog.h"

#include <commdlg.h>

#include <vector>

namespace ui {
namespace {

// The framework's "a|b|" filter as the system wants it: "a\0b\0\0".
std::vector<char> SystemFilter(const std::string& filter) {
  std::vector<char> out(filter.begin(), filter.end());
  for (char& c : out) {
    if (c == '|') c = '\0';
  }
  out.push_back('\0');
  out.push_back('\0');
  return out;
}

// The enabled window the user works in: the active window of this thread
// (a modal dialog while one runs), else the main window.
HWND CurrentOwner(HWND fallback) {
  HWND active = GetActiveWindow();
  if (active && IsWindowEnabled(active)) return active;
  return fallback && IsWindow(fallback) ? fallback : nullptr;
}

}  // namespace

bool Win32FileDialogs::Choose(const FileDialogRequest& request, std::string* path) {
  std::vector<char> filter = SystemFilter(request.filter);
  std::vector<char> file(MAX_PATH * 2, '\0');
  request.fileName.copy(file.data(), file.size() - 1);
  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof(ofn);
  ofn.hwndOwner = CurrentOwner(owner_);
  ofn.lpstrFilter = request.filter.empty() ? nullptr : filter.data();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.lpstrDefExt = request.defaultExtension.empty() ? nullptr : request.defaultExtension.c_str();
  ofn.Flags = OFN_EXPLORER | OFN_LONGNAMES | OFN_NOCHANGEDIR;
  if (request.hideReadOnly) ofn.Flags |= OFN_HIDEREADONLY;
  if (request.overwritePrompt) ofn.Flags |= OFN_OVERWRITEPROMPT;
  if (request.pathMustExist) ofn.Flags |= OFN_PATHMUSTEXIST;
  if (request.fileMustExist) ofn.Flags |= OFN_FILEMUSTEXIST;
  const BOOL chosen = request.save ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn);
  if (!chosen) return false;
  *path = file.data();
  return true;
}

}  // namespace ui
