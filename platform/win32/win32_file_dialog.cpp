#include "platform/win32/win32_file_dialog.h"

#include <commdlg.h>

#include <vector>

namespace ui {
namespace {

// The framework's "a|b|" filter as the system wants it: "a\0b\0\0".
template <typename Char>
std::vector<Char> SystemFilter(const std::basic_string<Char>& filter) {
  std::vector<Char> out(filter.begin(), filter.end());
  for (Char& c : out) {
    if (c == static_cast<Char>('|')) c = 0;
  }
  out.push_back(0);
  out.push_back(0);
  return out;
}

// The enabled window the user works in: the active window of this thread
// (a modal dialog while one runs), else the main window.
HWND CurrentOwner(HWND fallback) {
  HWND active = GetActiveWindow();
  if (active && IsWindowEnabled(active)) return active;
  return fallback && IsWindow(fallback) ? fallback : nullptr;
}

std::wstring Wide(const std::string& ansi) {
  if (ansi.empty()) return std::wstring();
  const int n = MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
  if (n <= 0) return std::wstring();
  std::wstring wide(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), &wide[0], n);
  return wide;
}

// The path in the code page, as the ANSI dialog would give it ("?" or a
// look-alike for a character the page lacks); false when it is not the
// same path read back.
bool Ansi(const std::wstring& wide, std::string* ansi) {
  ansi->clear();
  if (wide.empty()) return true;
  const int length = static_cast<int>(wide.size());
  const int n = WideCharToMultiByte(CP_ACP, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
  if (n <= 0) return false;
  ansi->resize(static_cast<std::size_t>(n));
  WideCharToMultiByte(CP_ACP, 0, wide.data(), length, &(*ansi)[0], n, nullptr, nullptr);
  return Wide(*ansi) == wide;
}

DWORD Flags(const FileDialogRequest& request) {
  DWORD flags = OFN_EXPLORER | OFN_LONGNAMES | OFN_NOCHANGEDIR;
  if (request.hideReadOnly) flags |= OFN_HIDEREADONLY;
  if (request.overwritePrompt) flags |= OFN_OVERWRITEPROMPT;
  if (request.pathMustExist) flags |= OFN_PATHMUSTEXIST;
  if (request.fileMustExist) flags |= OFN_FILEMUSTEXIST;
  return flags;
}

// The ANSI dialogs, for a system without the Unicode ones: a character the
// code page lacks comes back as "?", which no file name holds.
FileChoice ChooseAnsi(const FileDialogRequest& request, HWND owner, std::string* path) {
  std::vector<char> filter = SystemFilter(request.filter);
  std::vector<char> file(MAX_PATH * 2, '\0');
  request.fileName.copy(file.data(), file.size() - 1);
  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof(ofn);
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = request.filter.empty() ? nullptr : filter.data();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.lpstrDefExt = request.defaultExtension.empty() ? nullptr : request.defaultExtension.c_str();
  ofn.Flags = Flags(request);
  const BOOL chosen = request.save ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn);
  if (!chosen) return FileChoice::kCancelled;
  *path = file.data();
  return path->find('?') == std::string::npos ? FileChoice::kChosen : FileChoice::kNotInCodePage;
}

}  // namespace

FileChoice Win32FileDialogs::ChooseFile(const FileDialogRequest& request, std::string* path) {
  const HWND owner = CurrentOwner(owner_);
  const std::wstring filterText = Wide(request.filter);
  std::vector<wchar_t> filter = SystemFilter(filterText);
  const std::wstring initial = Wide(request.fileName);
  const std::wstring extension = Wide(request.defaultExtension);
  std::vector<wchar_t> file(MAX_PATH * 2, L'\0');
  initial.copy(file.data(), file.size() - 1);
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof(ofn);
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = filterText.empty() ? nullptr : filter.data();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
  ofn.Flags = Flags(request);
  SetLastError(ERROR_SUCCESS);
  const BOOL chosen = request.save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);
  if (!chosen) {
    // A system of ANSI dialogs only says so; a cancel or a failure does not.
    if (CommDlgExtendedError() == 0 && GetLastError() == ERROR_CALL_NOT_IMPLEMENTED) {
      return ChooseAnsi(request, owner, path);
    }
    return FileChoice::kCancelled;
  }
  return Ansi(file.data(), path) ? FileChoice::kChosen : FileChoice::kNotInCodePage;
}

}  // namespace ui
