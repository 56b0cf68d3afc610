#include "platform/win32/win32_dialog.h"

#include <commctrl.h>

#include <vector>

namespace ui {
namespace {

// Posted once the dialog is on screen, for Dialog::OnShown.
constexpr UINT kShownMessage = WM_APP + 0x31;

struct RunContext {
  Dialog* dialog;
  Win32Resources* resources;
  const DialogRunner* runner;
  std::unique_ptr<Win32DialogSurface> surface;
  bool shown = false;
};

// Places a dialog centred on its owner (on the work area when it has no
// visible owner), kept inside the work area.
void CentreOnOwner(HWND window) {
  RECT area{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  RECT around = area;
  HWND owner = GetWindow(window, GW_OWNER);
  if (owner && IsWindowVisible(owner) && !IsIconic(owner)) GetWindowRect(owner, &around);
  RECT self{};
  GetWindowRect(window, &self);
  const int width = self.right - self.left;
  const int height = self.bottom - self.top;
  int x = around.left + ((around.right - around.left) - width) / 2;
  int y = around.top + ((around.bottom - around.top) - height) / 2;
  if (x + width > area.right) x = area.right - width;
  if (y + height > area.bottom) y = area.bottom - height;
  if (x < area.left) x = area.left;
  if (y < area.top) y = area.top;
  SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool IsListView(HWND control) {
  char name[32] = {};
  GetClassNameA(control, name, sizeof(name));
  return lstrcmpiA(name, WC_LISTVIEWA) == 0;
}

INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* context = reinterpret_cast<RunContext*>(GetWindowLongPtrA(window, DWLP_USER));
  if (message == WM_INITDIALOG) {
    context = reinterpret_cast<RunContext*>(lParam);
    SetWindowLongPtrA(window, DWLP_USER, lParam);
    context->surface =
        std::make_unique<Win32DialogSurface>(window, context->resources, context->runner);
    context->dialog->Attach(context->surface.get());
    CentreOnOwner(window);
    context->dialog->OnInit();
    return TRUE;
  }
  if (!context || !context->surface) return FALSE;
  switch (message) {
    case WM_SHOWWINDOW:
      if (wParam && !context->shown) {
        context->shown = true;
        PostMessageA(window, kShownMessage, 0, 0);
      }
      return FALSE;
    case kShownMessage:
      context->dialog->OnShown();
      return TRUE;
    case WM_COMMAND:
      context->dialog->OnCommand(LOWORD(wParam), HIWORD(wParam));
      return TRUE;
    case WM_HELP:
      // Handled here: left alone it would reach the owner, the frame.
      context->dialog->OnHelp();
      SetWindowLongPtrA(window, DWLP_MSGRESULT, TRUE);
      return TRUE;
    case WM_QUERYDRAGICON:
      return reinterpret_cast<INT_PTR>(context->surface->DragIcon());
    case WM_DESTROY:
      context->dialog->OnDestroy();
      return FALSE;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (!IsListView(header->hwndFrom)) return FALSE;
      const int id = static_cast<int>(header->idFrom);
      if (header->code == LVN_GETDISPINFOA) {
        Win32ListControl* list = context->surface->KnownList(id);
        return list && list->AnswerDisplayInfo(reinterpret_cast<NMLVDISPINFOA*>(lParam));
      }
      if (header->code == LVN_ODFINDITEMA || header->code == LVN_ODFINDITEMW) {
        // Typing in a list of rows the dialog keeps finds a row where its
        // rows say so, else nothing (rather than always the first row).
        Win32ListControl* list = context->surface->KnownList(id);
        LRESULT found = -1;
        if (list && list->FindsTypedText()) {
          found = header->code == LVN_ODFINDITEMA
                      ? list->FindRow(*reinterpret_cast<const NMLVFINDITEMA*>(lParam))
                      : list->FindRow(*reinterpret_cast<const NMLVFINDITEMW*>(lParam));
        }
        SetWindowLongPtrA(window, DWLP_MSGRESULT, found);
        return TRUE;
      }
      ListEvent event;
      if (Win32ListControl::TranslateNotify(header, &event)) context->dialog->OnListEvent(id, event);
      return FALSE;
    }
    case WM_DRAWITEM: {
      const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (draw->CtlType != ODT_LISTVIEW) return FALSE;
      Win32ListControl* list = context->surface->KnownList(static_cast<int>(draw->CtlID));
      if (!list) return FALSE;
      list->DrawRow(*draw);
      return TRUE;
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC: {
      HBRUSH brush = context->surface->ColourControl(reinterpret_cast<HDC>(wParam),
                                                     reinterpret_cast<HWND>(lParam),
                                                     message == WM_CTLCOLOREDIT);
      return reinterpret_cast<INT_PTR>(brush);
    }
    default:
      return FALSE;
  }
}

}  // namespace

Win32DialogSurface::~Win32DialogSurface() {
  if (largeIcon_) DestroyIcon(largeIcon_);
  if (smallIcon_) DestroyIcon(smallIcon_);
}

void Win32DialogSurface::SetTitle(const std::string& text) { SetWindowTextA(dialog_, text.c_str()); }

void Win32DialogSurface::SetIcon(int iconId) {
  HINSTANCE module = resources_->Find(reinterpret_cast<LPCSTR>(RT_GROUP_ICON), iconId);
  auto load = [&](int metricX, int metricY) {
    return static_cast<HICON>(LoadImageA(module, MAKEINTRESOURCEA(iconId), IMAGE_ICON,
                                         GetSystemMetrics(metricX), GetSystemMetrics(metricY),
                                         LR_DEFAULTCOLOR));
  };
  HICON large = load(SM_CXICON, SM_CYICON);
  HICON small = load(SM_CXSMICON, SM_CYSMICON);
  SendMessageA(dialog_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(large));
  SendMessageA(dialog_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
  if (largeIcon_) DestroyIcon(largeIcon_);
  if (smallIcon_) DestroyIcon(smallIcon_);
  largeIcon_ = large;
  smallIcon_ = small;
}

void Win32DialogSurface::PlaceNotTopmost() {
  SetWindowPos(dialog_, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void Win32DialogSurface::SetItemText(int id, const std::string& text) {
  SetDlgItemTextA(dialog_, id, text.c_str());
}

std::string Win32DialogSurface::ItemText(int id) const {
  HWND item = Item(id);
  if (!item) return std::string();
  const int length = GetWindowTextLengthA(item);
  std::vector<char> buffer(static_cast<std::size_t>(length) + 2, '\0');
  const int n = GetWindowTextA(item, buffer.data(), static_cast<int>(buffer.size()));
  return std::string(buffer.data(), static_cast<std::size_t>(n > 0 ? n : 0));
}

void Win32DialogSurface::EnableItem(int id, bool enabled) {
  if (HWND item = Item(id)) EnableWindow(item, enabled);
}

bool Win32DialogSurface::IsItemEnabled(int id) const {
  HWND item = Item(id);
  return item && IsWindowEnabled(item);
}

void Win32DialogSurface::ShowItem(int id, bool shown) {
  if (HWND item = Item(id)) ShowWindow(item, shown ? SW_SHOW : SW_HIDE);
}

void Win32DialogSurface::CheckItem(int id, bool checked) {
  CheckDlgButton(dialog_, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

bool Win32DialogSurface::IsItemChecked(int id) const {
  return IsDlgButtonChecked(dialog_, id) == BST_CHECKED;
}

void Win32DialogSurface::SetTextLimit(int id, int bytes) {
  SendDlgItemMessageA(dialog_, id, EM_LIMITTEXT, static_cast<WPARAM>(bytes), 0);
}

void Win32DialogSurface::FocusItem(int id) {
  if (HWND item = Item(id)) SendMessageA(dialog_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(item), TRUE);
}

void Win32DialogSurface::SelectAllText(int id) {
  SendDlgItemMessageA(dialog_, id, EM_SETSEL, 0, -1);
}

void Win32DialogSurface::SetTextColour(int id, Colour colour) {
  colours_[id] = colour;
  if (HWND item = Item(id)) InvalidateRect(item, nullptr, TRUE);
}

HBRUSH Win32DialogSurface::ColourControl(HDC dc, HWND control, bool edit) {
  auto it = colours_.find(GetDlgCtrlID(control));
  if (it == colours_.end()) return nullptr;
  SetTextColor(dc, static_cast<COLORREF>(it->second));
  SetBkMode(dc, TRANSPARENT);
  const int background = edit && IsWindowEnabled(control) ? COLOR_WINDOW : COLOR_BTNFACE;
  return GetSysColorBrush(background);
}

void Win32DialogSurface::SetItemFont(int id, FontHandle font) {
  if (font == 0) return;
  SendDlgItemMessageA(dialog_, id, WM_SETFONT, static_cast<WPARAM>(font), TRUE);
}

void Win32DialogSurface::ClearChoices(int id) { SendDlgItemMessageA(dialog_, id, CB_RESETCONTENT, 0, 0); }

void Win32DialogSurface::AddChoice(int id, const std::string& text) {
  SendDlgItemMessageA(dialog_, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void Win32DialogSurface::SelectChoice(int id, int index) {
  SendDlgItemMessageA(dialog_, id, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

int Win32DialogSurface::SelectedChoice(int id) const {
  const LRESULT index = SendDlgItemMessageA(dialog_, id, CB_GETCURSEL, 0, 0);
  return index == CB_ERR ? -1 : static_cast<int>(index);
}

ListControl* Win32DialogSurface::List(int id) {
  auto it = lists_.find(id);
  if (it != lists_.end()) return it->second.get();
  HWND item = Item(id);
  if (!item || !IsListView(item)) return nullptr;
  auto list = std::make_unique<Win32ListControl>(item, resources_);
  ListControl* result = list.get();
  lists_[id] = std::move(list);
  return result;
}

Win32ListControl* Win32DialogSurface::KnownList(int id) const {
  auto it = lists_.find(id);
  return it == lists_.end() ? nullptr : it->second.get();
}

int Win32DialogSurface::ShowMessage(const std::string& text, const std::string& caption,
                                    Buttons buttons, Icon icon) {
  return MessageBoxA(dialog_, text.c_str(), caption.c_str(), Win32MessageBoxes::Style(buttons, icon));
}

void Win32DialogSurface::End(int result) { EndDialog(dialog_, result); }

int Win32DialogSurface::RunChild(Dialog& child) {
  return RunDialog(resources_, runner_, dialog_, child);
}

void Win32DialogSurface::ShowHelp(unsigned long data) {
  if (runner_) runner_->RequestHelp(data);
}

int RunDialog(Win32Resources* resources, const DialogRunner* runner, HWND owner, Dialog& dialog) {
  RunContext context{&dialog, resources, runner, nullptr};
  const int id = dialog.TemplateId();
  HINSTANCE module = resources->Find(reinterpret_cast<LPCSTR>(RT_DIALOG), id);
  if (owner && !IsWindow(owner)) owner = nullptr;
  const INT_PTR result = DialogBoxParamA(module, MAKEINTRESOURCEA(id), owner, DialogProc,
                                         reinterpret_cast<LPARAM>(&context));
  dialog.Attach(nullptr);
  return static_cast<int>(result);
}

int Win32DialogRunner::RunModal(Dialog& dialog) {
  return RunDialog(resources_, this, owner_, dialog);
}

}  // namespace ui
