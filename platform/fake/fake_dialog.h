// Dialogs in memory: a test scripts what the user does in each dialog that
// opens, and inspects what the dialog showed.
//
//   ui::FakeMessageBoxes boxes;
//   ui::FakeDialogRunner runner(&boxes);
//   runner.OnNextDialog(130, [](ui::FakeDialog& d) {
//     d.Type(1005, "ﾀﾅｶ");
//     d.Click(ui::kIdOk);
//   });
//   view.OnCommand(32789);
//
// Controls come into being when the dialog or the test first names them;
// they start enabled, shown and empty.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/fake/fake_list_control.h"
#include "platform/fake/fake_ui.h"
#include "platform/ui/dialog.h"

namespace ui {

class FakeDialogRunner;

class FakeDialog : public DialogSurface {
 public:
  FakeDialog(Dialog* dialog, FakeMessageBoxes* boxes, FakeDialogRunner* runner)
      : dialog_(dialog), boxes_(boxes), runner_(runner) {}

  // --- DialogSurface --------------------------------------------------------
  void SetTitle(const std::string& text) override { title_ = text; }
  void SetIcon(int iconId) override { icon_ = iconId; }
  void PlaceNotTopmost() override { notTopmost_ = true; }
  // A number of its own per dialog template.
  WindowHandle Window() const override { return 0x10000 + dialog_->TemplateId(); }
  void SetItemText(int id, const std::string& text) override { Item(id).text = text; }
  std::string ItemText(int id) const override;
  // Disabling or hiding the control with the keyboard focus leaves the
  // dialog without one, as the system does (Focus() is then 0).
  void EnableItem(int id, bool enabled) override;
  bool IsItemEnabled(int id) const override;
  void ShowItem(int id, bool shown) override;
  void CheckItem(int id, bool checked) override { Item(id).checked = checked; }
  bool IsItemChecked(int id) const override;
  void SetTextLimit(int id, int bytes) override { Item(id).limit = bytes; }
  void FocusItem(int id) override { focus_ = id; }
  void SelectAllText(int id) override { selectedAll_ = id; }
  void SetTextColour(int id, Colour colour) override { Item(id).colour = colour; }
  void SetItemFont(int id, FontHandle font) override { Item(id).font = font; }
  void ClearChoices(int id) override;
  void AddChoice(int id, const std::string& text) override { Item(id).choices.push_back(text); }
  void SelectChoice(int id, int index) override;
  int SelectedChoice(int id) const override;
  ListControl* List(int id) override { return &FakeList(id); }
  int ShowMessage(const std::string& text, const std::string& caption, Buttons buttons,
                  Icon icon) override;
  int RunChild(Dialog& child) override;
  void ShowHelp(unsigned long data) override;
  void End(int result) override;

  // --- the user -------------------------------------------------------------
  // Replaces an edit field's text (cut to its typing limit) and tells the
  // dialog the field changed.
  void Type(int id, const std::string& text);
  // Clicks a button, which takes the keyboard focus as it does under the
  // mouse; a disabled or hidden button does nothing.
  void Click(int id);
  // Chooses an entry of a drop-down list or combo box.
  void Choose(int id, int index);
  // Types into the edit part of a drop-down combo box: it shows the text
  // and no entry is selected any more.
  void TypeInCombo(int id, const std::string& text);
  // The close box: what a click on Cancel does.
  void Close() { Click(kIdCancel); }
  // F1 anywhere in the dialog.
  void PressF1() {
    if (!ended_) dialog_->OnHelp();
  }
  // Escape: the dialog hears of Cancel even when the button is hidden or
  // disabled, as the system's dialog manager sends it.
  void PressEscape() {
    if (!ended_) dialog_->OnCommand(kIdCancel, kClicked);
  }
  // Clicks an option button of a group of automatic option buttons: it is
  // turned on and the others of the group off before the dialog hears of
  // the click, as the system does.
  void ClickOption(int id, const std::vector<int>& group);

  // --- inspection -------------------------------------------------------------
  const std::string& Title() const { return title_; }
  int IconId() const { return icon_; }
  bool NotTopmost() const { return notTopmost_; }
  int Focus() const { return focus_; }
  int SelectedAllText() const { return selectedAll_; }
  int TextLimit(int id) const;
  Colour TextColour(int id) const;
  FontHandle Font(int id) const;
  bool IsShown(int id) const;
  std::vector<std::string> Choices(int id) const;
  FakeListControl& FakeList(int id);
  bool Ended() const { return ended_; }
  int Result() const { return result_; }

 private:
  struct Control {
    std::string text;
    bool enabled = true;
    bool shown = true;
    bool checked = false;
    int limit = 0;
    Colour colour = 0;
    FontHandle font = 0;
    std::vector<std::string> choices;
    int choice = -1;
    std::unique_ptr<FakeListControl> list;
  };
  Control& Item(int id) { return controls_[id]; }
  const Control* Find(int id) const;

  Dialog* dialog_;
  FakeMessageBoxes* boxes_;
  FakeDialogRunner* runner_;
  std::map<int, Control> controls_;
  std::string title_;
  int icon_ = 0;
  bool notTopmost_ = false;
  int focus_ = 0;
  int selectedAll_ = 0;
  bool ended_ = false;
  int result_ = 0;
};

class FakeDialogRunner : public DialogRunner {
 public:
  using Script = std::function<void(FakeDialog&)>;
  // Message boxes of the dialogs go to `boxes`, which reports to Problems()
  // a box shown while a dialog runs that is not owned by that dialog.
  explicit FakeDialogRunner(FakeMessageBoxes* boxes);

  // What the user does in the next dialog that opens; it must come from
  // template `templateId`. A dialog the script leaves open is cancelled.
  void OnNextDialog(int templateId, Script script) {
    scripts_.push_back({templateId, std::move(script)});
  }
  // Templates that RunModal cannot load (RunModal gives -1).
  void MakeMissing(int templateId) { missing_.push_back(templateId); }
  // The size a list of every dialog of the template has when it opens (see
  // FakeListControl::SetSize).
  void SetListSize(int templateId, int listId, int width, int visibleRows) {
    listSizes_.push_back({templateId, listId, width, visibleRows});
  }

  // A dialog owned by the main window.
  int RunModal(Dialog& dialog) override { return Run(dialog, 0); }
  // A dialog owned by the running dialog of template `owner` (0: the main
  // window).
  int Run(Dialog& dialog, int owner);

  // The templates of the dialogs run, in order, and the owner of each (the
  // template of the dialog that opened it; 0 for the main window).
  const std::vector<int>& Opened() const { return opened_; }
  const std::vector<int>& Owners() const { return owners_; }
  // The template of the innermost dialog running now; 0 when none runs.
  int Innermost() const { return running_.empty() ? 0 : running_.back(); }
  // Problems with the scripts: a dialog without a script, a script for
  // another template, a dialog left open. Empty when all went as scripted.
  const std::vector<std::string>& Problems() const { return problems_; }
  std::size_t PendingScripts() const { return scripts_.size(); }

 private:
  struct Pending {
    int templateId;
    Script script;
  };
  FakeMessageBoxes* boxes_;
  std::deque<Pending> scripts_;
  std::vector<int> missing_;
  struct ListSize {
    int templateId, listId, width, visibleRows;
  };
  std::vector<ListSize> listSizes_;
  std::vector<int> opened_;
  std::vector<int> owners_;
  std::vector<int> running_;
  std::vector<std::string> problems_;
};

}  // namespace ui
