// Modal dialogs from resource templates, bound to ui::Dialog classes.
#pragma once

#include <windows.h>

#include <map>
#include <memory>

#include "platform/ui/dialog.h"
#include "platform/win32/win32_list_control.h"
#include "platform/win32/win32_ui_services.h"

namespace ui {

// The controls of one running dialog window.
class Win32DialogSurface : public DialogSurface {
 public:
  Win32DialogSurface(HWND dialog, Win32Resources* resources, const DialogRunner* runner)
      : dialog_(dialog), resources_(resources), runner_(runner) {}
  ~Win32DialogSurface() override;

  void SetTitle(const std::string& text) override;
  void SetIcon(int iconId) override;
  void PlaceNotTopmost() override;
  WindowHandle Window() const override { return reinterpret_cast<WindowHandle>(dialog_); }
  void SetItemText(int id, const std::string& text) override;
  std::string ItemText(int id) const override;
  void EnableItem(int id, bool enabled) override;
  bool IsItemEnabled(int id) const override;
  void ShowItem(int id, bool shown) override;
  void CheckItem(int id, bool checked) override;
  bool IsItemChecked(int id) const override;
  void SetTextLimit(int id, int bytes) override;
  void FocusItem(int id) override;
  void SelectAllText(int id) override;
  void SetTextColour(int id, Colour colour) override;
  void SetItemFont(int id, FontHandle font) override;
  void ClearChoices(int id) override;
  void AddChoice(int id, const std::string& text) override;
  void SelectChoice(int id, int index) override;
  int SelectedChoice(int id) const override;
  ListControl* List(int id) override;
  int ShowMessage(const std::string& text, const std::string& caption, Buttons buttons,
                  Icon icon) override;
  int RunChild(Dialog& child) override;
  void ShowHelp(unsigned long data) override;
  void End(int result) override;

  // WM_CTLCOLOREDIT and WM_CTLCOLORSTATIC: the brush when the control has
  // a text colour of its own, else null (the system's default).
  HBRUSH ColourControl(HDC dc, HWND control, bool edit);
  // The large icon set with SetIcon, for WM_QUERYDRAGICON; null when none.
  HICON DragIcon() const { return largeIcon_; }
  // The list of this id, when the dialog has asked for it (null otherwise):
  // for the notifications and drawing of rows the dialog keeps.
  Win32ListControl* KnownList(int id) const;

 private:
  HWND Item(int id) const { return GetDlgItem(dialog_, id); }

  HWND dialog_;
  Win32Resources* resources_;
  const DialogRunner* runner_;
  std::map<int, Colour> colours_;
  HICON largeIcon_ = nullptr;
  HICON smallIcon_ = nullptr;
  std::map<int, std::unique_ptr<Win32ListControl>> lists_;
};

// Runs `dialog` from its template, owned by `owner` (null: no owner),
// centred on it; the owner is disabled while the dialog runs. Help requests
// go to `runner`'s help handler.
int RunDialog(Win32Resources* resources, const DialogRunner* runner, HWND owner, Dialog& dialog);

class Win32DialogRunner : public DialogRunner {
 public:
  explicit Win32DialogRunner(Win32Resources* resources) : resources_(resources) {}
  void SetOwner(HWND owner) { owner_ = owner; }
  int RunModal(Dialog& dialog) override;

 private:
  Win32Resources* resources_;
  HWND owner_ = nullptr;
};

}  // namespace ui
