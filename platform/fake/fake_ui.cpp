#include "platform/fake/fake_ui.h"

namespace ui {

int FakeMessageBoxes::Show(const std::string& text, const std::string& caption,
                           Buttons buttons, Icon icon) {
  return ShowOwned(0, text, caption, buttons, icon);
}

int FakeMessageBoxes::ShowOwned(int owner, const std::string& text, const std::string& caption,
                                Buttons buttons, Icon icon) {
  const int over = innermost_ ? innermost_() : 0;
  shown_.push_back({text, caption, buttons, icon, owner, over});
  if (over != owner && report_) {
    report_("message box \"" + text + "\" owned by " +
            (owner ? "dialog " + std::to_string(owner) : std::string("the main window")) +
            " while dialog " + std::to_string(over) + " runs");
  }
  if (!answers_.empty()) {
    const int answer = answers_.front();
    answers_.pop_front();
    return answer;
  }
  return buttons == Buttons::kYesNo || buttons == Buttons::kYesNoCancel ? kIdYes : kIdOk;
}

bool FakeResources::UseLanguageLibrary(const std::string& name) {
  if (libraries_.count(name) == 0) return false;
  inUse_ = name;
  return true;
}

bool FakeResources::SourcePath(std::string* path) {
  path->clear();
  if (!knowsSourcePath) return false;
  *path = inUse_.empty() ? programPath : libraryFolder + "\\" + inUse_;
  return true;
}

std::string FakeResources::String(int id) {
  const std::map<int, std::string>& table = inUse_.empty() ? program_ : libraries_[inUse_];
  auto it = table.find(id);
  return it == table.end() ? std::string() : it->second;
}

}  // namespace ui
