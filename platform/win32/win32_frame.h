// The main frame window of a single-document program, its toolbar, status
// bar and form view, on Windows.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/frame.h"
#include "platform/win32/win32_list_control.h"
#include "platform/win32/win32_ui_services.h"

namespace ui {

class Win32FrameHost : public FrameHost, public FrameWindow, public FormView {
 public:
  Win32FrameHost(HINSTANCE program, Win32Resources* resources);
  ~Win32FrameHost() override;
  Win32FrameHost(const Win32FrameHost&) = delete;
  Win32FrameHost& operator=(const Win32FrameHost&) = delete;

  // Called with the frame's window as soon as it exists (owners of message
  // boxes, dialogs and help).
  void OnFrameWindow(std::function<void(HWND)> callback) { onFrame_ = std::move(callback); }

  // --- FrameHost --------------------------------------------------------------
  FrameWindow* CreateFrame(int resourceId, FrameEvents* events) override;
  FormView* CreateFormView(int templateId, FormEvents* events) override;
  int RunMessageLoop() override;

  // --- FrameWindow --------------------------------------------------------------
  bool CreateToolBar(int resourceId) override;
  void EnableDocking() override { docking_ = true; }
  bool CreateStatusBar(const std::vector<int>& paneIds) override;
  void SetStatusPaneText(int pane, const std::string& text) override;
  int StatusPaneCount() const override { return static_cast<int>(panes_.size()); }
  void SetTitle(const std::string& title) override;
  void Show() override;
  void SetMenuItemEnabled(int id, bool enabled) override;
  bool IsMenuItemEnabled(int id) const override;
  void ShowToolBar(bool shown) override;
  bool IsToolBarShown() const override;
  void ShowStatusBar(bool shown) override;
  bool IsStatusBarShown() const override;
  FontHandle MakeFont(const FontSpec& font) override;
  void RequestClose() override;
  void Destroy() override;
  void EnterContextHelpMode() override;

  // --- FormView -------------------------------------------------------------------
  ListControl* List(int id) override;
  Win32ListControl* KnownList(int id) const;
  void MoveItem(int id, int x, int y, int width, int height) override;
  void ResizeParentToFit() override;

 private:
  enum class Dock { kTop, kBottom, kLeft, kRight };
  struct Pane {
    int id;
    std::string text;
  };

  static LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static INT_PTR CALLBACK FormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK ToolBarProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnNotify(const NMHDR* header);
  void OnCommandMessage(WPARAM wParam, LPARAM lParam);
  void OnInitMenuPopup(HMENU menu);
  void OnHelpMessage(const HELPINFO* info);
  void OnContextHelpClick(POINT screen);
  void Layout();
  void LayoutStatusParts();
  void UpdateIdleState();
  void ShowPrompt(int commandId);
  void ShowIdleMessage();
  std::string PromptPart(int commandId, bool toolTip);
  void DockToolBarAt(Dock dock);
  int ToolBarThickness() const;

  HINSTANCE program_;
  Win32Resources* resources_;
  FrameEvents* events_ = nullptr;
  FormEvents* formEvents_ = nullptr;
  std::function<void(HWND)> onFrame_;
  int resourceId_ = 0;
  HWND frame_ = nullptr;
  HMENU menu_ = nullptr;
  HACCEL accelerators_ = nullptr;
  HICON bigIcon_ = nullptr;
  HICON smallIcon_ = nullptr;
  HWND toolBar_ = nullptr;
  WNDPROC toolBarDefault_ = nullptr;
  HIMAGELIST toolImages_ = nullptr;
  std::vector<int> buttons_;  // command ids, 0 for separators
  Dock dock_ = Dock::kTop;
  bool docking_ = false;
  bool dragging_ = false;
  HWND statusBar_ = nullptr;
  std::vector<Pane> panes_;
  HWND form_ = nullptr;
  SIZE formSize_ = {0, 0};
  std::vector<std::pair<int, std::unique_ptr<Win32ListControl>>> lists_;
  std::vector<HFONT> fonts_;
  bool contextHelp_ = false;
  bool inMenu_ = false;
  std::string toolTip_;
  std::wstring toolTipWide_;
};

}  // namespace ui
