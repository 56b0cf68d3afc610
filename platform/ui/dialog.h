// Modal dialogs written once and run on real windows or in tests.
//
// A dialog class derives from Dialog, names its resource template, and
// addresses its controls by the control ids of that template. It owns its
// state and its decisions; the backend (DialogSurface) only moves texts,
// states and events between the class and the controls:
//
//   class CAboutDialog : public ui::Dialog {
//    public:
//     CAboutDialog() : Dialog(100) {}
//   };
//   CAboutDialog about;
//   runner.RunModal(about);          // kIdOk, kIdCancel, or what End() got
//
// Order of events while a dialog runs:
//   1. OnInit(): the controls exist but the window is not shown yet. Fill
//      the controls, set the title, limits, fonts and colours here.
//   2. OnShown(): the window has just been shown (focus and text selection
//      that must survive the system's own initial focus go here).
//   3. OnCommand(id, code) for buttons (kClicked), edit fields
//      (kEditChanged), drop-down lists (kSelChanged) and the edit part of
//      drop-down combo boxes (kComboEditChanged); OnListEvent(id, e)
//      for report lists. The default OnCommand turns kIdOk into OnOK() and
//      kIdCancel (also Esc and the close box) into OnCancel().
//   4. End(result) ends the dialog once the current event returns; the
//      default OnOK and OnCancel end with kIdOk and kIdCancel.
//   5. OnDestroy(): the dialog has ended and its window is about to go; the
//      controls can still be read.
// A dialog that opens another dialog runs it with RunNested: the new dialog
// is owned by this one (and this one, with everything under it, is disabled
// while it runs), as its message boxes are. Every dialog opens centred on
// its owner.
// F1 in a dialog calls OnHelp, which by default asks for the dialog's own
// help topic: help data 0x20000 + its template id, handed to the runner's
// help handler (the program's help mapping).
// Every item call made outside a run (before RunModal, after it returned)
// does nothing and reads empty: copy what you need in OnOK.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/ui/colour.h"
#include "platform/ui/font.h"
#include "platform/ui/list_control.h"
#include "platform/ui/message_box.h"

namespace ui {

// Notification codes of WM_COMMAND that dialogs act on (system values).
constexpr int kClicked = 0;          // BN_CLICKED
constexpr int kSelChanged = 1;       // CBN_SELCHANGE
constexpr int kEditChanged = 0x300;  // EN_CHANGE
constexpr int kComboEditChanged = 5;  // CBN_EDITCHANGE: the user typed into a combo box

class Dialog;

// An opaque handle of a dialog's window, for system services that want an
// owner window; 0 is no window.
using WindowHandle = std::intptr_t;

// The controls of one running dialog, addressed by control id. Implemented
// by each backend; unknown ids are ignored and read empty.
class DialogSurface {
 public:
  virtual ~DialogSurface() = default;
  virtual void SetTitle(const std::string& text) = 0;
  // The window's large and small icon, from the icon resource `iconId` of
  // the current resource source.
  virtual void SetIcon(int iconId) = 0;
  // Takes the window out of the topmost band, without moving or sizing it.
  virtual void PlaceNotTopmost() = 0;
  virtual WindowHandle Window() const = 0;
  virtual void SetItemText(int id, const std::string& text) = 0;
  virtual std::string ItemText(int id) const = 0;
  virtual void EnableItem(int id, bool enabled) = 0;
  virtual bool IsItemEnabled(int id) const = 0;
  virtual void ShowItem(int id, bool shown) = 0;
  virtual void CheckItem(int id, bool checked) = 0;
  virtual bool IsItemChecked(int id) const = 0;
  // Edit fields: the most bytes the user can type.
  virtual void SetTextLimit(int id, int bytes) = 0;
  // Keyboard focus to a control; SelectAllText selects an edit's whole text.
  virtual void FocusItem(int id) = 0;
  virtual void SelectAllText(int id) = 0;
  // The colour an edit field or static control draws its text in (its
  // background stays as the system paints it); repaints the control.
  virtual void SetTextColour(int id, Colour colour) = 0;
  virtual void SetItemFont(int id, FontHandle font) = 0;
  // Drop-down lists and drop-down combo boxes (whose edit part the user may
  // type into; ItemText then reads what it shows).
  virtual void ClearChoices(int id) = 0;
  virtual void AddChoice(int id, const std::string& text) = 0;
  virtual void SelectChoice(int id, int index) = 0;  // -1: no selection
  virtual int SelectedChoice(int id) const = 0;      // -1 when none
  // A report list of the dialog; null when the id names no list.
  virtual ListControl* List(int id) = 0;
  // A message box owned by the dialog; returns the chosen button's id.
  virtual int ShowMessage(const std::string& text, const std::string& caption, Buttons buttons,
                          Icon icon) = 0;
  // Runs `child` modally, owned by this dialog; results as DialogRunner's.
  virtual int RunChild(Dialog& child) = 0;
  // Hands a help request (help data as the frame's) to the program.
  virtual void ShowHelp(unsigned long data) = 0;
  virtual void End(int result) = 0;
};

class Dialog {
 public:
  explicit Dialog(int templateId) : templateId_(templateId) {}
  virtual ~Dialog() = default;
  Dialog(const Dialog&) = delete;
  Dialog& operator=(const Dialog&) = delete;

  int TemplateId() const { return templateId_; }

  // --- events, called by the backend -------------------------------------
  virtual void OnInit() {}
  virtual void OnShown() {}
  virtual void OnCommand(int id, int code);
  virtual void OnListEvent(int /*listId*/, const ListEvent& /*event*/) {}
  virtual void OnOK() { End(kIdOk); }
  virtual void OnCancel() { End(kIdCancel); }
  // F1: the dialog's own topic.
  virtual void OnHelp() {
    if (surface_) surface_->ShowHelp(0x20000ul + static_cast<unsigned long>(templateId_));
  }
  virtual void OnDestroy() {}

  // The backend binds a running dialog to its surface (null unbinds).
  void Attach(DialogSurface* surface) { surface_ = surface; }

 protected:
  // --- controls -------------------------------------------------------------
  void SetTitle(const std::string& text) { if (surface_) surface_->SetTitle(text); }
  void SetIcon(int iconId) { if (surface_) surface_->SetIcon(iconId); }
  void PlaceNotTopmost() { if (surface_) surface_->PlaceNotTopmost(); }
  WindowHandle Window() const { return surface_ ? surface_->Window() : 0; }
  void SetItemText(int id, const std::string& text) { if (surface_) surface_->SetItemText(id, text); }
  std::string ItemText(int id) const { return surface_ ? surface_->ItemText(id) : std::string(); }
  void EnableItem(int id, bool on) { if (surface_) surface_->EnableItem(id, on); }
  bool IsItemEnabled(int id) const { return surface_ && surface_->IsItemEnabled(id); }
  void ShowItem(int id, bool on) { if (surface_) surface_->ShowItem(id, on); }
  void CheckItem(int id, bool on) { if (surface_) surface_->CheckItem(id, on); }
  bool IsItemChecked(int id) const { return surface_ && surface_->IsItemChecked(id); }
  void SetTextLimit(int id, int bytes) { if (surface_) surface_->SetTextLimit(id, bytes); }
  void FocusItem(int id) { if (surface_) surface_->FocusItem(id); }
  void SelectAllText(int id) { if (surface_) surface_->SelectAllText(id); }
  void SetTextColour(int id, Colour c) { if (surface_) surface_->SetTextColour(id, c); }
  void SetItemFont(int id, FontHandle f) { if (surface_) surface_->SetItemFont(id, f); }
  void ClearChoices(int id) { if (surface_) surface_->ClearChoices(id); }
  void AddChoice(int id, const std::string& t) { if (surface_) surface_->AddChoice(id, t); }
  void SelectChoice(int id, int index) { if (surface_) surface_->SelectChoice(id, index); }
  int SelectedChoice(int id) const { return surface_ ? surface_->SelectedChoice(id) : -1; }
  ListControl* List(int id) { return surface_ ? surface_->List(id) : nullptr; }
  int ShowMessage(const std::string& text, const std::string& caption, Buttons buttons,
                  Icon icon) {
    return surface_ ? surface_->ShowMessage(text, caption, buttons, icon) : kIdCancel;
  }
  void End(int result) { if (surface_) surface_->End(result); }
  // Opens another dialog owned by this one (see the top of this file).
  int RunNested(Dialog& child) { return surface_ ? surface_->RunChild(child) : -1; }

 private:
  int templateId_;
  DialogSurface* surface_ = nullptr;
};

inline void Dialog::OnCommand(int id, int code) {
  if (code != kClicked) return;
  if (id == kIdOk) OnOK();
  if (id == kIdCancel) OnCancel();
}

// Runs dialogs modally, owned by the program's main window.
class DialogRunner {
 public:
  using HelpHandler = std::function<void(unsigned long data)>;

  virtual ~DialogRunner() = default;
  // Creates the dialog from its template in the current resource source,
  // runs it until End and returns the result; -1 when the template cannot
  // be found or the window cannot be created (the dialog saw no event).
  virtual int RunModal(Dialog& dialog) = 0;

  // Where the help requests of every dialog it runs, nested ones too, go.
  void SetHelpHandler(HelpHandler handler) { help_ = std::move(handler); }
  void RequestHelp(unsigned long data) const {
    if (help_) help_(data);
  }

 private:
  HelpHandler help_;
};

}  // namespace ui
