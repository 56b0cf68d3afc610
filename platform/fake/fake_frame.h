// The main frame and its form view in memory. A test creates the frame
// through the program's own start-up, then acts as the user (menu commands,
// accelerators, the close box, F1) and inspects the title, the menu, the
// status bar and the list.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/fake/fake_list_control.h"
#include "platform/ui/frame.h"

namespace ui {

class FakeFrameHost : public FrameHost, public FrameWindow, public FormView {
 public:
  FakeFrameHost();

  // --- FrameHost --------------------------------------------------------------
  FrameWindow* CreateFrame(int resourceId, FrameEvents* events) override;
  FormView* CreateFormView(int templateId, FormEvents* events) override;
  int RunMessageLoop() override { return 0; }

  // --- FrameWindow -------------------------------------------------------------
  bool CreateToolBar(int resourceId) override;
  void EnableDocking() override { docking_ = true; }
  bool CreateStatusBar(const std::vector<int>& paneIds) override;
  void SetStatusPaneText(int pane, const std::string& text) override;
  int StatusPaneCount() const override { return static_cast<int>(panes_.size()); }
  void SetTitle(const std::string& title) override { title_ = title; }
  void Show() override { shown_ = true; }
  void SetMenuItemEnabled(int id, bool enabled) override { menuEnabled_[id] = enabled; }
  bool IsMenuItemEnabled(int id) const override;
  void ShowToolBar(bool shown) override { toolBarShown_ = shown; }
  bool IsToolBarShown() const override { return toolBarShown_; }
  void ShowStatusBar(bool shown) override { statusBarShown_ = shown; }
  bool IsStatusBarShown() const override { return statusBarShown_; }
  FontHandle MakeFont(const FontSpec& font) override;
  void RequestClose() override;
  void Destroy() override { destroyed_ = true; }
  void EnterContextHelpMode() override { contextHelpMode_ = true; }

  // --- FormView ----------------------------------------------------------------
  ListControl* List(int id) override;
  void MoveItem(int id, int x, int y, int width, int height) override;
  void ResizeParentToFit() override { ++resizedToFit_; }

  // --- set-up --------------------------------------------------------------------
  void FailToolBar() { failToolBar_ = true; }
  void FailStatusBar() { failStatusBar_ = true; }

  // --- the user --------------------------------------------------------------------
  // A menu item, accelerator or toolbar button: delivered only when the
  // command is enabled. Returns whether it was delivered.
  bool Choose(int id);
  // The close box.
  void CloseBox() { RequestClose(); }
  // F1 with a menu item highlighted, and F1 on the frame.
  void HelpOnCommand(int id);
  void HelpOnFrame();
  // The user switches back to the program from another one.
  void ActivateApp() {
    if (events_) events_->OnAppActivated();
  }
  // Context help mode, then a click on a toolbar button.
  void ContextHelpOnButton(int id);
  // The view's client area changes size.
  void ResizeView(int width, int height);

  // --- inspection --------------------------------------------------------------------
  bool Created() const { return events_ != nullptr && !creationFailed_; }
  const std::string& Title() const { return title_; }
  bool Shown() const { return shown_; }
  bool Destroyed() const { return destroyed_; }
  int ResourceId() const { return resourceId_; }
  int ToolBarId() const { return toolBarId_; }
  bool Docking() const { return docking_; }
  const std::vector<int>& PaneIds() const { return paneIds_; }
  const std::string& PaneText(int pane) const { return panes_.at(static_cast<std::size_t>(pane)); }
  const std::vector<FontSpec>& Fonts() const { return fonts_; }
  int FormTemplate() const { return formTemplate_; }
  FakeListControl& FakeList(int id);
  bool InContextHelpMode() const { return contextHelpMode_; }
  int ResizedToFit() const { return resizedToFit_; }
  struct Rect {
    int x, y, width, height;
  };
  Rect ItemRect(int id) const;
  CommandState State(int id) const;

 private:
  FrameEvents* events_ = nullptr;
  FormEvents* formEvents_ = nullptr;
  int resourceId_ = 0;
  int formTemplate_ = 0;
  bool creationFailed_ = false;
  bool failToolBar_ = false;
  bool failStatusBar_ = false;
  int toolBarId_ = 0;
  bool docking_ = false;
  std::vector<int> paneIds_;
  std::vector<std::string> panes_;
  std::string title_;
  bool shown_ = false;
  bool destroyed_ = false;
  bool toolBarShown_ = true;
  bool statusBarShown_ = true;
  bool contextHelpMode_ = false;
  int resizedToFit_ = 0;
  std::map<int, bool> menuEnabled_;
  std::vector<FontSpec> fonts_;
  std::map<int, std::unique_ptr<FakeListControl>> lists_;
  std::map<int, Rect> rects_;
};

}  // namespace ui
