#include "platform/win32/win32_frame.h"

#include <commctrl.h>

namespace ui {
namespace {

constexpr char kFrameClass[] = "FaxbookMainFrame";
constexpr char kHostProperty[] = "FaxbookFrameHost";
// The toolbar resource type of the class framework: version, button width
// and height, button count, then one command id per button (0: separator).
constexpr WORD kToolBarType = 241;
constexpr COLORREF kToolBarMask = RGB(255, 0, 255);
constexpr int kIdleMessage = 57345;
constexpr int kStatusBarId = 0xE801;
constexpr int kToolBarId = 0xE800;
constexpr int kIndicatorCaps = 59137;
constexpr int kIndicatorNum = 59138;
constexpr int kIndicatorScroll = 59139;
constexpr int kIndicatorKana = 59142;

int IndicatorKey(int paneId) {
  switch (paneId) {
    case kIndicatorCaps: return VK_CAPITAL;
    case kIndicatorNum: return VK_NUMLOCK;
    case kIndicatorScroll: return VK_SCROLL;
    case kIndicatorKana: return VK_KANA;
    default: return 0;
  }
}

}  // namespace

Win32FrameHost::Win32FrameHost(HINSTANCE program, Win32Resources* resources)
    : program_(program), resources_(resources) {}

Win32FrameHost::~Win32FrameHost() {
  lists_.clear();
  if (frame_ && IsWindow(frame_)) DestroyWindow(frame_);
  if (toolImages_) ImageList_Destroy(toolImages_);
  for (HFONT font : fonts_) DeleteObject(font);
  if (bigIcon_) DestroyIcon(bigIcon_);
  if (smallIcon_) DestroyIcon(smallIcon_);
}

FrameWindow* Win32FrameHost::CreateFrame(int resourceId, FrameEvents* events) {
  events_ = events;
  resourceId_ = resourceId;
  HINSTANCE iconModule = resources_->Find(reinterpret_cast<LPCSTR>(RT_GROUP_ICON), resourceId);
  bigIcon_ = static_cast<HICON>(LoadImageA(iconModule, MAKEINTRESOURCEA(resourceId), IMAGE_ICON,
                                           GetSystemMetrics(SM_CXICON),
                                           GetSystemMetrics(SM_CYICON), 0));
  smallIcon_ = static_cast<HICON>(LoadImageA(iconModule, MAKEINTRESOURCEA(resourceId), IMAGE_ICON,
                                             GetSystemMetrics(SM_CXSMICON),
                                             GetSystemMetrics(SM_CYSMICON), 0));
  WNDCLASSEXA wc = {};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = FrameProc;
  wc.hInstance = program_;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.hIcon = bigIcon_;
  wc.hIconSm = smallIcon_;
  wc.lpszClassName = kFrameClass;
  RegisterClassExA(&wc);

  menu_ = LoadMenuA(resources_->Find(reinterpret_cast<LPCSTR>(RT_MENU), resourceId),
                    MAKEINTRESOURCEA(resourceId));
  accelerators_ =
      LoadAcceleratorsA(resources_->Find(reinterpret_cast<LPCSTR>(RT_ACCELERATOR), resourceId),
                        MAKEINTRESOURCEA(resourceId));
  HWND window = CreateWindowExA(0, kFrameClass, "", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                                CW_USEDEFAULT, CW_USEDEFAULT, 640, 480, nullptr, menu_, program_,
                                this);
  if (!window) {
    frame_ = nullptr;
    return nullptr;
  }
  return this;
}

FormView* Win32FrameHost::CreateFormView(int templateId, FormEvents* events) {
  formEvents_ = events;
  HINSTANCE module = resources_->Find(reinterpret_cast<LPCSTR>(RT_DIALOG), templateId);
  form_ = CreateDialogParamA(module, MAKEINTRESOURCEA(templateId), frame_, FormProc,
                             reinterpret_cast<LPARAM>(this));
  if (!form_) return nullptr;
  RECT r = {};
  GetWindowRect(form_, &r);
  formSize_ = {r.right - r.left, r.bottom - r.top};
  ShowWindow(form_, SW_SHOW);
  Layout();
  return this;
}

int Win32FrameHost::RunMessageLoop() {
  MSG msg = {};
  for (;;) {
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) UpdateIdleState();
    const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0) return static_cast<int>(msg.wParam);
    if (got == -1) return -1;
    if (contextHelp_ && msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
      contextHelp_ = false;
      ReleaseCapture();
      continue;
    }
    if (frame_ && accelerators_ && TranslateAcceleratorA(frame_, accelerators_, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

// --- window procedures -------------------------------------------------------------

LRESULT CALLBACK Win32FrameHost::FrameProc(HWND window, UINT message, WPARAM wParam,
                                           LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    auto* host = static_cast<Win32FrameHost*>(create->lpCreateParams);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(host));
    host->frame_ = window;
  }
  auto* host = reinterpret_cast<Win32FrameHost*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (!host) return DefWindowProcA(window, message, wParam, lParam);
  return host->OnMessage(message, wParam, lParam);
}

LRESULT Win32FrameHost::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      if (onFrame_) onFrame_(frame_);
      return events_->OnCreate(*this) ? 0 : -1;
    case WM_SIZE:
      Layout();
      return 0;
    case WM_SETFOCUS:
      if (form_) {
        HWND first = GetNextDlgTabItem(form_, nullptr, FALSE);
        SetFocus(first ? first : form_);
      }
      return 0;
    case WM_COMMAND:
      OnCommandMessage(wParam, lParam);
      return 0;
    case WM_NOTIFY:
      return OnNotify(reinterpret_cast<const NMHDR*>(lParam));
    case WM_INITMENUPOPUP:
      OnInitMenuPopup(reinterpret_cast<HMENU>(wParam));
      return 0;
    case WM_MENUSELECT:
      if (HIWORD(wParam) == 0xFFFF && lParam == 0) {
        inMenu_ = false;
        ShowIdleMessage();
      } else {
        inMenu_ = true;
        if (HIWORD(wParam) & (MF_POPUP | MF_SEPARATOR)) {
          ShowIdleMessage();
        } else {
          ShowPrompt(LOWORD(wParam));
        }
      }
      return 0;
    case WM_EXITMENULOOP:
      inMenu_ = false;
      ShowIdleMessage();
      return 0;
    case WM_HELP:
      OnHelpMessage(reinterpret_cast<const HELPINFO*>(lParam));
      return TRUE;
    case WM_SETCURSOR:
      if (contextHelp_) {
        SetCursor(LoadCursor(nullptr, IDC_HELP));
        return TRUE;
      }
      break;
    case WM_LBUTTONDOWN:
      if (contextHelp_) {
        contextHelp_ = false;
        ReleaseCapture();
        POINT p = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        ClientToScreen(frame_, &p);
        OnContextHelpClick(p);
        return 0;
      }
      break;
    case WM_CAPTURECHANGED:
      contextHelp_ = false;
      break;
    case WM_CLOSE:
      if (events_->OnCloseRequest()) DestroyWindow(frame_);
      return 0;
    case WM_ACTIVATEAPP:
      // While a dialog of ours runs the frame is disabled: the book must
      // not change under it.
      if (wParam && IsWindowEnabled(frame_)) events_->OnAppActivated();
      break;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    case WM_NCDESTROY:
      SetWindowLongPtrA(frame_, GWLP_USERDATA, 0);
      frame_ = nullptr;
      form_ = nullptr;
      toolBar_ = nullptr;
      statusBar_ = nullptr;
      break;
    default:
      break;
  }
  return DefWindowProcA(frame_, message, wParam, lParam);
}

INT_PTR CALLBACK Win32FrameHost::FormProc(HWND window, UINT message, WPARAM wParam,
                                          LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrA(window, DWLP_USER, lParam);
    return FALSE;
  }
  auto* host = reinterpret_cast<Win32FrameHost*>(GetWindowLongPtrA(window, DWLP_USER));
  if (!host) return FALSE;
  switch (message) {
    case WM_COMMAND:
      host->OnCommandMessage(wParam, lParam);
      return TRUE;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      // Rows the view keeps: their texts and images, and typing to find one.
      if (header->code == LVN_GETDISPINFOA || header->code == LVN_ODFINDITEMA) {
        Win32ListControl* list = host->KnownList(static_cast<int>(header->idFrom));
        if (!list) return FALSE;
        if (header->code == LVN_GETDISPINFOA) {
          return list->AnswerDisplayInfo(reinterpret_cast<NMLVDISPINFOA*>(lParam));
        }
        SetWindowLongPtrA(window, DWLP_MSGRESULT,
                          list->FindRow(*reinterpret_cast<const NMLVFINDITEMA*>(lParam)));
        return TRUE;
      }
      ListEvent event;
      if (host->formEvents_ && Win32ListControl::TranslateNotify(header, &event)) {
        host->formEvents_->OnListEvent(static_cast<int>(header->idFrom), event);
      }
      return FALSE;
    }
    case WM_SIZE:
      if (host->formEvents_) host->formEvents_->OnSize(LOWORD(lParam), HIWORD(lParam));
      return TRUE;
    default:
      return FALSE;
  }
}

LRESULT CALLBACK Win32FrameHost::ToolBarProc(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
  auto* host = static_cast<Win32FrameHost*>(GetPropA(window, kHostProperty));
  if (!host) return DefWindowProcA(window, message, wParam, lParam);
  switch (message) {
    case WM_LBUTTONDOWN: {
      POINT p = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      const LRESULT hit = SendMessageA(window, TB_HITTEST, 0, reinterpret_cast<LPARAM>(&p));
      if (host->docking_ && hit < 0) {
        host->dragging_ = true;
        SetCapture(window);
        SetCursor(LoadCursor(nullptr, IDC_SIZEALL));
        return 0;
      }
      break;
    }
    case WM_LBUTTONUP:
      if (host->dragging_) {
        host->dragging_ = false;
        ReleaseCapture();
        POINT p = {};
        GetCursorPos(&p);
        ScreenToClient(host->frame_, &p);
        RECT r = {};
        GetClientRect(host->frame_, &r);
        if (host->statusBar_ && IsWindowVisible(host->statusBar_)) {
          RECT s = {};
          GetWindowRect(host->statusBar_, &s);
          r.bottom -= s.bottom - s.top;
        }
        // The nearest edge of the frame's client area takes the toolbar.
        const LONG distances[4] = {p.y - r.top, r.bottom - p.y, p.x - r.left, r.right - p.x};
        const Dock docks[4] = {Dock::kTop, Dock::kBottom, Dock::kLeft, Dock::kRight};
        int best = 0;
        for (int i = 1; i < 4; ++i) {
          if (distances[i] < distances[best]) best = i;
        }
        host->DockToolBarAt(docks[best]);
        return 0;
      }
      break;
    case WM_CAPTURECHANGED:
      host->dragging_ = false;
      break;
    case WM_NCDESTROY: {
      WNDPROC original = host->toolBarDefault_;
      RemovePropA(window, kHostProperty);
      SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
      return CallWindowProcA(original, window, message, wParam, lParam);
    }
    default:
      break;
  }
  return CallWindowProcA(host->toolBarDefault_, window, message, wParam, lParam);
}

// --- commands, menus and help --------------------------------------------------------

void Win32FrameHost::OnCommandMessage(WPARAM wParam, LPARAM lParam) {
  const int id = LOWORD(wParam);
  const int code = HIWORD(wParam);
  const HWND source = reinterpret_cast<HWND>(lParam);
  const bool fromControl = source != nullptr && source != toolBar_;
  if (fromControl && code != BN_CLICKED) return;
  if (!fromControl && !events_->QueryCommand(id).enabled) return;
  events_->OnCommand(id);
}

void Win32FrameHost::OnInitMenuPopup(HMENU menu) {
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    const UINT id = GetMenuItemID(menu, i);
    if (id == 0 || id == static_cast<UINT>(-1)) continue;
    const CommandState state = events_->QueryCommand(static_cast<int>(id));
    EnableMenuItem(menu, id, MF_BYCOMMAND | (state.enabled ? MF_ENABLED : MF_GRAYED));
    CheckMenuItem(menu, id, MF_BYCOMMAND | (state.checked ? MF_CHECKED : MF_UNCHECKED));
  }
}

void Win32FrameHost::OnHelpMessage(const HELPINFO* info) {
  unsigned long data = 0x20000ul + static_cast<unsigned long>(resourceId_);
  if (info && info->iContextType == HELPINFO_MENUITEM && info->iCtrlId > 0) {
    data = 0x10000ul + static_cast<unsigned long>(info->iCtrlId);
  }
  events_->OnHelp(data);
}

void Win32FrameHost::OnContextHelpClick(POINT screen) {
  if (toolBar_ && IsWindowVisible(toolBar_)) {
    RECT r = {};
    GetWindowRect(toolBar_, &r);
    if (PtInRect(&r, screen)) {
      POINT p = screen;
      ScreenToClient(toolBar_, &p);
      const LRESULT hit = SendMessageA(toolBar_, TB_HITTEST, 0, reinterpret_cast<LPARAM>(&p));
      TBBUTTON button = {};
      if (hit >= 0 && SendMessageA(toolBar_, TB_GETBUTTON, static_cast<WPARAM>(hit),
                                   reinterpret_cast<LPARAM>(&button)) &&
          button.idCommand != 0) {
        events_->OnHelp(0x10000ul + static_cast<unsigned long>(button.idCommand));
        return;
      }
    }
  }
  events_->OnHelp(0x20000ul + static_cast<unsigned long>(resourceId_));
}

LRESULT Win32FrameHost::OnNotify(const NMHDR* header) {
  switch (header->code) {
    case TTN_GETDISPINFOA: {
      auto* info = reinterpret_cast<NMTTDISPINFOA*>(const_cast<NMHDR*>(header));
      toolTip_ = PromptPart(static_cast<int>(header->idFrom), true);
      info->lpszText = &toolTip_[0];
      return 0;
    }
    case TTN_GETDISPINFOW: {
      auto* info = reinterpret_cast<NMTTDISPINFOW*>(const_cast<NMHDR*>(header));
      toolTip_ = PromptPart(static_cast<int>(header->idFrom), true);
      const int n = MultiByteToWideChar(CP_ACP, 0, toolTip_.c_str(), -1, nullptr, 0);
      toolTipWide_.assign(static_cast<std::size_t>(n > 0 ? n : 1), L'\0');
      if (n > 0) MultiByteToWideChar(CP_ACP, 0, toolTip_.c_str(), -1, &toolTipWide_[0], n);
      info->lpszText = &toolTipWide_[0];
      return 0;
    }
    case TBN_HOTITEMCHANGE: {
      const auto* hot = reinterpret_cast<const NMTBHOTITEM*>(header);
      if (hot->dwFlags & HICF_LEAVING) {
        ShowIdleMessage();
      } else {
        ShowPrompt(hot->idNew);
      }
      return 0;
    }
    default:
      return 0;
  }
}

std::string Win32FrameHost::PromptPart(int commandId, bool toolTip) {
  const std::string text = resources_->String(commandId);
  const std::size_t lineBreak = text.find('\n');
  if (toolTip) return lineBreak == std::string::npos ? std::string() : text.substr(lineBreak + 1);
  return text.substr(0, lineBreak);
}

void Win32FrameHost::ShowPrompt(int commandId) {
  const CommandState state = events_->QueryCommand(commandId);
  SetStatusPaneText(0, state.prompt.empty() ? PromptPart(commandId, false) : state.prompt);
}

void Win32FrameHost::ShowIdleMessage() { SetStatusPaneText(0, resources_->String(kIdleMessage)); }

void Win32FrameHost::UpdateIdleState() {
  if (!frame_) return;
  if (toolBar_) {
    for (int id : buttons_) {
      if (id == 0) continue;
      const CommandState state = events_->QueryCommand(id);
      const bool enabled = SendMessageA(toolBar_, TB_ISBUTTONENABLED, static_cast<WPARAM>(id), 0) != 0;
      if (enabled != state.enabled) {
        SendMessageA(toolBar_, TB_ENABLEBUTTON, static_cast<WPARAM>(id), MAKELPARAM(state.enabled, 0));
      }
    }
  }
  for (std::size_t pane = 1; pane < panes_.size(); ++pane) {
    const int key = IndicatorKey(panes_[pane].id);
    if (key == 0) continue;
    const std::string text =
        (GetKeyState(key) & 1) ? resources_->String(panes_[pane].id) : std::string();
    if (text != panes_[pane].text) SetStatusPaneText(static_cast<int>(pane), text);
  }
}

// --- bars and layout ------------------------------------------------------------------

bool Win32FrameHost::CreateToolBar(int resourceId) {
  const LPCSTR type = MAKEINTRESOURCEA(kToolBarType);
  HINSTANCE module = resources_->Find(type, resourceId);
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(resourceId), type);
  if (!found) return false;
  const auto* words = static_cast<const WORD*>(LockResource(LoadResource(module, found)));
  const DWORD bytes = SizeofResource(module, found);
  if (!words || bytes < 8 || words[0] != 1) return false;
  const int width = words[1];
  const int height = words[2];
  const int count = words[3];
  if (bytes < static_cast<DWORD>(8 + 2 * count)) return false;
  buttons_.assign(words + 4, words + 4 + count);

  toolBar_ = CreateWindowExA(0, TOOLBARCLASSNAMEA, nullptr,
                             WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TBSTYLE_TOOLTIPS |
                                 TBSTYLE_FLAT | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER,
                             0, 0, 0, 0, frame_, reinterpret_cast<HMENU>(kToolBarId), program_,
                             nullptr);
  if (!toolBar_) return false;
  SendMessageA(toolBar_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  HBITMAP strip = static_cast<HBITMAP>(
      LoadImageA(resources_->Find(reinterpret_cast<LPCSTR>(RT_BITMAP), resourceId),
                 MAKEINTRESOURCEA(resourceId), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  toolImages_ = ImageList_Create(width, height, ILC_COLOR24 | ILC_MASK, count, 0);
  if (strip && toolImages_) ImageList_AddMasked(toolImages_, strip, kToolBarMask);
  if (strip) DeleteObject(strip);
  SendMessageA(toolBar_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(toolImages_));
  std::vector<TBBUTTON> buttons;
  int image = 0;
  for (int id : buttons_) {
    TBBUTTON b = {};
    if (id == 0) {
      b.fsStyle = TBSTYLE_SEP;
    } else {
      b.iBitmap = image++;
      b.idCommand = id;
      b.fsState = TBSTATE_ENABLED;
      b.fsStyle = TBSTYLE_BUTTON;
    }
    buttons.push_back(b);
  }
  SendMessageA(toolBar_, TB_ADDBUTTONSA, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
  SetPropA(toolBar_, kHostProperty, this);
  toolBarDefault_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(toolBar_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ToolBarProc)));
  return true;
}

int Win32FrameHost::ToolBarThickness() const {
  if (!toolBar_ || !(GetWindowLongPtrA(toolBar_, GWL_STYLE) & WS_VISIBLE)) return 0;
  const LRESULT size = SendMessageA(toolBar_, TB_GETBUTTONSIZE, 0, 0);
  const bool vertical = dock_ == Dock::kLeft || dock_ == Dock::kRight;
  return (vertical ? LOWORD(size) : HIWORD(size)) + 4;
}

void Win32FrameHost::DockToolBarAt(Dock dock) {
  dock_ = dock;
  // On the left or right every button (and separator) ends its row, so the
  // buttons stand in one column.
  const bool vertical = dock == Dock::kLeft || dock == Dock::kRight;
  const int count = static_cast<int>(SendMessageA(toolBar_, TB_BUTTONCOUNT, 0, 0));
  for (int index = 0; index < count; ++index) {
    TBBUTTONINFOA info = {};
    info.cbSize = sizeof(info);
    info.dwMask = TBIF_BYINDEX | TBIF_STATE;
    SendMessageA(toolBar_, TB_GETBUTTONINFOA, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&info));
    info.fsState = static_cast<BYTE>(vertical ? (info.fsState | TBSTATE_WRAP)
                                              : (info.fsState & ~TBSTATE_WRAP));
    SendMessageA(toolBar_, TB_SETBUTTONINFOA, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&info));
  }
  Layout();
  RedrawWindow(frame_, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_FRAME);
}

bool Win32FrameHost::CreateStatusBar(const std::vector<int>& paneIds) {
  statusBar_ = CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0,
                               0, 0, 0, frame_, reinterpret_cast<HMENU>(kStatusBarId), program_,
                               nullptr);
  if (!statusBar_) return false;
  panes_.clear();
  for (int id : paneIds) panes_.push_back({id, std::string()});
  LayoutStatusParts();
  ShowIdleMessage();
  return true;
}

void Win32FrameHost::LayoutStatusParts() {
  if (!statusBar_ || panes_.empty()) return;
  RECT r = {};
  GetClientRect(statusBar_, &r);
  HDC dc = GetDC(statusBar_);
  HFONT font = reinterpret_cast<HFONT>(SendMessageA(statusBar_, WM_GETFONT, 0, 0));
  HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
  std::vector<int> widths(panes_.size(), 0);
  for (std::size_t i = 1; i < panes_.size(); ++i) {
    const std::string sample = resources_->String(panes_[i].id);
    SIZE extent = {0, 0};
    GetTextExtentPoint32A(dc, sample.c_str(), static_cast<int>(sample.size()), &extent);
    widths[i] = extent.cx + 12;
  }
  if (old) SelectObject(dc, old);
  ReleaseDC(statusBar_, dc);
  std::vector<int> edges(panes_.size(), -1);
  int right = r.right - GetSystemMetrics(SM_CXVSCROLL);
  for (std::size_t i = panes_.size(); i-- > 1;) {
    edges[i] = right;
    right -= widths[i];
  }
  edges.back() = -1;
  edges[0] = right > 0 ? right : 0;
  SendMessageA(statusBar_, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
  for (std::size_t i = 0; i < panes_.size(); ++i) {
    SendMessageA(statusBar_, SB_SETTEXTA, i, reinterpret_cast<LPARAM>(panes_[i].text.c_str()));
  }
}

void Win32FrameHost::Layout() {
  if (!frame_) return;
  RECT r = {};
  GetClientRect(frame_, &r);
  if (statusBar_ && (GetWindowLongPtrA(statusBar_, GWL_STYLE) & WS_VISIBLE)) {
    SendMessageA(statusBar_, WM_SIZE, 0, 0);
    RECT s = {};
    GetWindowRect(statusBar_, &s);
    r.bottom -= s.bottom - s.top;
    LayoutStatusParts();
  }
  const int thickness = ToolBarThickness();
  if (thickness > 0) {
    switch (dock_) {
      case Dock::kTop:
        MoveWindow(toolBar_, r.left, r.top, r.right - r.left, thickness, TRUE);
        r.top += thickness;
        break;
      case Dock::kBottom:
        MoveWindow(toolBar_, r.left, r.bottom - thickness, r.right - r.left, thickness, TRUE);
        r.bottom -= thickness;
        break;
      case Dock::kLeft:
        MoveWindow(toolBar_, r.left, r.top, thickness, r.bottom - r.top, TRUE);
        r.left += thickness;
        break;
      case Dock::kRight:
        MoveWindow(toolBar_, r.right - thickness, r.top, thickness, r.bottom - r.top, TRUE);
        r.right -= thickness;
        break;
    }
  }
  if (form_) {
    MoveWindow(form_, r.left, r.top, r.right > r.left ? r.right - r.left : 0,
               r.bottom > r.top ? r.bottom - r.top : 0, TRUE);
  }
}

void Win32FrameHost::SetStatusPaneText(int pane, const std::string& text) {
  if (pane < 0 || pane >= StatusPaneCount()) return;
  panes_[static_cast<std::size_t>(pane)].text = text;
  if (statusBar_) {
    SendMessageA(statusBar_, SB_SETTEXTA, static_cast<WPARAM>(pane),
                 reinterpret_cast<LPARAM>(text.c_str()));
  }
}

void Win32FrameHost::SetTitle(const std::string& title) { SetWindowTextA(frame_, title.c_str()); }

void Win32FrameHost::Show() {
  ShowWindow(frame_, SW_SHOWNORMAL);
  UpdateWindow(frame_);
}

void Win32FrameHost::SetMenuItemEnabled(int id, bool enabled) {
  if (menu_) EnableMenuItem(menu_, static_cast<UINT>(id), MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

bool Win32FrameHost::IsMenuItemEnabled(int id) const {
  if (!menu_) return true;
  const UINT state = GetMenuState(menu_, static_cast<UINT>(id), MF_BYCOMMAND);
  if (state == static_cast<UINT>(-1)) return true;
  return (state & (MF_GRAYED | MF_DISABLED)) == 0;
}

void Win32FrameHost::ShowToolBar(bool shown) {
  if (!toolBar_) return;
  ShowWindow(toolBar_, shown ? SW_SHOW : SW_HIDE);
  Layout();
}

bool Win32FrameHost::IsToolBarShown() const {
  return toolBar_ && (GetWindowLongPtrA(toolBar_, GWL_STYLE) & WS_VISIBLE);
}

void Win32FrameHost::ShowStatusBar(bool shown) {
  if (!statusBar_) return;
  ShowWindow(statusBar_, shown ? SW_SHOW : SW_HIDE);
  Layout();
}

bool Win32FrameHost::IsStatusBarShown() const {
  return statusBar_ && (GetWindowLongPtrA(statusBar_, GWL_STYLE) & WS_VISIBLE);
}

FontHandle Win32FrameHost::MakeFont(const FontSpec& wanted) {
  HFONT font = CreateFontA(wanted.height, 0, 0, 0, FW_DONTCARE, FALSE, FALSE, FALSE,
                           static_cast<DWORD>(wanted.charset), OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                           wanted.face.c_str());
  if (!font) return 0;
  fonts_.push_back(font);
  return reinterpret_cast<FontHandle>(font);
}

void Win32FrameHost::RequestClose() {
  if (frame_) SendMessageA(frame_, WM_CLOSE, 0, 0);
}

void Win32FrameHost::Destroy() {
  if (frame_) DestroyWindow(frame_);
}

void Win32FrameHost::EnterContextHelpMode() {
  if (!frame_) return;
  contextHelp_ = true;
  SetCapture(frame_);
  SetCursor(LoadCursor(nullptr, IDC_HELP));
}

// --- form view ----------------------------------------------------------------------------

Win32ListControl* Win32FrameHost::KnownList(int id) const {
  for (const auto& entry : lists_) {
    if (entry.first == id) return entry.second.get();
  }
  return nullptr;
}

ListControl* Win32FrameHost::List(int id) {
  for (auto& entry : lists_) {
    if (entry.first == id) return entry.second.get();
  }
  HWND item = form_ ? GetDlgItem(form_, id) : nullptr;
  if (!item) return nullptr;
  lists_.emplace_back(id, std::make_unique<Win32ListControl>(item, resources_));
  return lists_.back().second.get();
}

void Win32FrameHost::MoveItem(int id, int x, int y, int width, int height) {
  if (HWND item = form_ ? GetDlgItem(form_, id) : nullptr) MoveWindow(item, x, y, width, height, TRUE);
}

void Win32FrameHost::ResizeParentToFit() {
  if (!frame_ || !form_) return;
  Layout();
  RECT client = {};
  GetClientRect(frame_, &client);
  RECT view = {};
  GetWindowRect(form_, &view);
  // Grow or shrink the frame by what the view lacks of the template's size.
  RECT outer = {};
  GetWindowRect(frame_, &outer);
  const int width = (outer.right - outer.left) + formSize_.cx - (view.right - view.left);
  const int height = (outer.bottom - outer.top) + formSize_.cy - (view.bottom - view.top);
  SetWindowPos(frame_, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  Layout();
  RECT formClient = {};
  GetClientRect(form_, &formClient);
  if (formEvents_) formEvents_->OnSize(formClient.right, formClient.bottom);
}

}  // namespace ui
