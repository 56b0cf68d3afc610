#include "platform/fake/fake_frame.h"

namespace ui {

FakeFrameHost::FakeFrameHost() = default;

FrameWindow* FakeFrameHost::CreateFrame(int resourceId, FrameEvents* events) {
  resourceId_ = resourceId;
  events_ = events;
  creationFailed_ = !events->OnCreate(*this);
  return creationFailed_ ? nullptr : this;
}

FormView* FakeFrameHost::CreateFormView(int templateId, FormEvents* events) {
  formTemplate_ = templateId;
  formEvents_ = events;
  return this;
}

bool FakeFrameHost::CreateToolBar(int resourceId) {
  if (failToolBar_) return false;
  toolBarId_ = resourceId;
  return true;
}

bool FakeFrameHost::CreateStatusBar(const std::vector<int>& paneIds) {
  if (failStatusBar_) return false;
  paneIds_ = paneIds;
  panes_.assign(paneIds.size(), std::string());
  return true;
}

void FakeFrameHost::SetStatusPaneText(int pane, const std::string& text) {
  if (pane >= 0 && pane < StatusPaneCount()) panes_[static_cast<std::size_t>(pane)] = text;
}

bool FakeFrameHost::IsMenuItemEnabled(int id) const {
  auto it = menuEnabled_.find(id);
  return it == menuEnabled_.end() ? true : it->second;
}

FontHandle FakeFrameHost::MakeFont(const FontSpec& font) {
  fonts_.push_back(font);
  return static_cast<FontHandle>(fonts_.size());
}

void FakeFrameHost::RequestClose() {
  if (destroyed_ || !events_) return;
  if (events_->OnCloseRequest()) Destroy();
}

ListControl* FakeFrameHost::List(int id) { return &FakeList(id); }

FakeListControl& FakeFrameHost::FakeList(int id) {
  std::unique_ptr<FakeListControl>& list = lists_[id];
  if (!list) {
    list = std::make_unique<FakeListControl>();
    list->onEvent = [this, id](const ListEvent& e) {
      if (formEvents_) formEvents_->OnListEvent(id, e);
    };
  }
  return *list;
}

void FakeFrameHost::MoveItem(int id, int x, int y, int width, int height) {
  rects_[id] = {x, y, width, height};
  if (lists_.count(id)) lists_[id]->SetSize(width, (height - 20) / 17);
}

FakeFrameHost::Rect FakeFrameHost::ItemRect(int id) const {
  auto it = rects_.find(id);
  return it == rects_.end() ? Rect{0, 0, 0, 0} : it->second;
}

CommandState FakeFrameHost::State(int id) const {
  return events_ ? events_->QueryCommand(id) : CommandState{false, false, std::string()};
}

bool FakeFrameHost::Choose(int id) {
  if (!events_ || destroyed_ || !events_->QueryCommand(id).enabled) return false;
  events_->OnCommand(id);
  return true;
}

void FakeFrameHost::HelpOnCommand(int id) {
  if (events_) events_->OnHelp(0x10000ul + static_cast<unsigned long>(id));
}

void FakeFrameHost::HelpOnFrame() {
  if (events_) events_->OnHelp(0x20000ul + static_cast<unsigned long>(resourceId_));
}

void FakeFrameHost::ContextHelpOnButton(int id) {
  if (!contextHelpMode_) return;
  contextHelpMode_ = false;
  HelpOnCommand(id);
}

void FakeFrameHost::ResizeView(int width, int height) {
  if (formEvents_) formEvents_->OnSize(width, height);
}

}  // namespace ui
