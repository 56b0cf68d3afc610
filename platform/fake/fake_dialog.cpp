#include "platform/fake/fake_dialog.h"

#include <algorithm>

namespace ui {

const FakeDialog::Control* FakeDialog::Find(int id) const {
  auto it = controls_.find(id);
  return it == controls_.end() ? nullptr : &it->second;
}

std::string FakeDialog::ItemText(int id) const {
  const Control* c = Find(id);
  return c ? c->text : std::string();
}

bool FakeDialog::IsItemEnabled(int id) const {
  const Control* c = Find(id);
  return c ? c->enabled : true;
}

bool FakeDialog::IsItemChecked(int id) const {
  const Control* c = Find(id);
  return c && c->checked;
}

bool FakeDialog::IsShown(int id) const {
  const Control* c = Find(id);
  return c ? c->shown : true;
}

int FakeDialog::TextLimit(int id) const {
  const Control* c = Find(id);
  return c ? c->limit : 0;
}

Colour FakeDialog::TextColour(int id) const {
  const Control* c = Find(id);
  return c ? c->colour : 0;
}

FontHandle FakeDialog::Font(int id) const {
  const Control* c = Find(id);
  return c ? c->font : 0;
}

void FakeDialog::ClearChoices(int id) {
  Control& c = Item(id);
  c.choices.clear();
  c.choice = -1;
}

void FakeDialog::SelectChoice(int id, int index) {
  Control& c = Item(id);
  c.choice = index >= 0 && index < static_cast<int>(c.choices.size()) ? index : -1;
  // A combo box shows the chosen entry (nothing when none is chosen).
  c.text = c.choice >= 0 ? c.choices[static_cast<std::size_t>(c.choice)] : std::string();
}

int FakeDialog::SelectedChoice(int id) const {
  const Control* c = Find(id);
  return c ? c->choice : -1;
}

std::vector<std::string> FakeDialog::Choices(int id) const {
  const Control* c = Find(id);
  return c ? c->choices : std::vector<std::string>();
}

FakeListControl& FakeDialog::FakeList(int id) {
  Control& c = Item(id);
  if (!c.list) {
    c.list = std::make_unique<FakeListControl>();
    c.list->onEvent = [this, id](const ListEvent& e) {
      if (!ended_) dialog_->OnListEvent(id, e);
    };
  }
  return *c.list;
}

int FakeDialog::ShowMessage(const std::string& text, const std::string& caption,
                            Buttons buttons, Icon icon) {
  return boxes_->ShowOwned(dialog_->TemplateId(), text, caption, buttons, icon);
}

int FakeDialog::RunChild(Dialog& child) {
  return runner_ ? runner_->Run(child, dialog_->TemplateId()) : -1;
}

void FakeDialog::ShowHelp(unsigned long data) {
  if (runner_) runner_->RequestHelp(data);
}

void FakeDialog::End(int result) {
  if (ended_) return;
  ended_ = true;
  result_ = result;
}

void FakeDialog::Type(int id, const std::string& text) {
  if (ended_) return;
  Control& c = Item(id);
  c.text = c.limit > 0 && text.size() > static_cast<std::size_t>(c.limit)
               ? text.substr(0, static_cast<std::size_t>(c.limit))
               : text;
  focus_ = id;
  dialog_->OnCommand(id, kEditChanged);
}

void FakeDialog::EnableItem(int id, bool enabled) {
  Item(id).enabled = enabled;
  if (!enabled && focus_ == id) focus_ = 0;
}

void FakeDialog::ShowItem(int id, bool shown) {
  Item(id).shown = shown;
  if (!shown && focus_ == id) focus_ = 0;
}

void FakeDialog::Click(int id) {
  if (ended_ || !IsItemEnabled(id) || !IsShown(id)) return;
  focus_ = id;
  dialog_->OnCommand(id, kClicked);
}

void FakeDialog::ClickOption(int id, const std::vector<int>& group) {
  if (ended_ || !IsItemEnabled(id) || !IsShown(id)) return;
  for (int other : group) CheckItem(other, other == id);
  CheckItem(id, true);
  focus_ = id;
  dialog_->OnCommand(id, kClicked);
}

void FakeDialog::Choose(int id, int index) {
  if (ended_ || !IsItemEnabled(id)) return;
  SelectChoice(id, index);
  dialog_->OnCommand(id, kSelChanged);
}

void FakeDialog::TypeInCombo(int id, const std::string& text) {
  if (ended_ || !IsItemEnabled(id)) return;
  Control& c = Item(id);
  c.text = text;
  c.choice = -1;
  focus_ = id;
  dialog_->OnCommand(id, kComboEditChanged);
}

FakeDialogRunner::FakeDialogRunner(FakeMessageBoxes* boxes) : boxes_(boxes) {
  if (boxes_) {
    boxes_->WatchDialogs([this] { return Innermost(); },
                         [this](const std::string& problem) { problems_.push_back(problem); });
  }
}

int FakeDialogRunner::Run(Dialog& dialog, int owner) {
  const int templateId = dialog.TemplateId();
  if (std::find(missing_.begin(), missing_.end(), templateId) != missing_.end()) return -1;
  opened_.push_back(templateId);
  owners_.push_back(owner);
  Script script;
  if (scripts_.empty()) {
    problems_.push_back("dialog " + std::to_string(templateId) + " opened without a script");
  } else if (scripts_.front().templateId != templateId) {
    problems_.push_back("dialog " + std::to_string(templateId) + " opened, script for " +
                        std::to_string(scripts_.front().templateId) + " expected");
  } else {
    script = std::move(scripts_.front().script);
    scripts_.pop_front();
  }
  FakeDialog surface(&dialog, boxes_, this);
  for (const ListSize& size : listSizes_) {
    if (size.templateId == templateId) {
      surface.FakeList(size.listId).SetSize(size.width, size.visibleRows);
    }
  }
  running_.push_back(templateId);
  dialog.Attach(&surface);
  dialog.OnInit();
  if (!surface.Ended()) dialog.OnShown();
  if (script && !surface.Ended()) script(surface);
  if (!surface.Ended()) {
    if (script) problems_.push_back("dialog " + std::to_string(templateId) + " left open");
    surface.Close();
    surface.End(kIdCancel);
  }
  dialog.OnDestroy();
  dialog.Attach(nullptr);
  running_.pop_back();
  return surface.Result();
}

}  // namespace ui
