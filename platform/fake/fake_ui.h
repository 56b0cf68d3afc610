// In-memory stand-ins for the user-interface services, for tests: message
// boxes a test answers, a resource source filled by the test, a wait cursor
// and a help engine that record what was asked of them.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/ui/help.h"
#include "platform/ui/message_box.h"
#include "platform/ui/resources.h"
#include "platform/ui/wait_cursor.h"

namespace ui {

struct ShownMessage {
  std::string text;
  std::string caption;
  Buttons buttons;
  Icon icon;
  // The template of the dialog that owns the box; 0 for the main window.
  int owner = 0;
  // The innermost dialog running when it was shown; 0 when none ran.
  int over = 0;
};

class FakeMessageBoxes : public MessageBoxes {
 public:
  // Answers the next message box with this button id; message boxes with no
  // answer queued get their first button (OK or Yes).
  void AnswerNext(int buttonId) { answers_.push_back(buttonId); }
  int Show(const std::string& text, const std::string& caption, Buttons buttons,
           Icon icon) override;
  // A box owned by the dialog of template `owner`.
  int ShowOwned(int owner, const std::string& text, const std::string& caption, Buttons buttons,
                Icon icon);

  const std::vector<ShownMessage>& Shown() const { return shown_; }
  const ShownMessage& Last() const { return shown_.back(); }
  std::size_t PendingAnswers() const { return answers_.size(); }
  void Clear() { shown_.clear(); }

  // A dialog runner tells which dialog runs innermost (0: none) and where
  // to report a box owned by another window than that one: on Windows such
  // a box leaves the running dialog usable under it.
  void WatchDialogs(std::function<int()> innermost, std::function<void(const std::string&)> report) {
    innermost_ = std::move(innermost);
    report_ = std::move(report);
  }

 private:
  std::deque<int> answers_;
  std::vector<ShownMessage> shown_;
  std::function<int()> innermost_;
  std::function<void(const std::string&)> report_;
};

class FakeResources : public Resources {
 public:
  // The library names that load; the strings of the program and of each
  // library.
  void AddLibrary(const std::string& name, std::map<int, std::string> strings) {
    libraries_[name] = std::move(strings);
  }
  void RemoveLibrary(const std::string& name) { libraries_.erase(name); }
  void SetProgramStrings(std::map<int, std::string> strings) { program_ = std::move(strings); }
  bool UseLanguageLibrary(const std::string& name) override;
  std::string String(int id) override;
  // The program's path, or the folder a loaded library was found in
  // followed by its name; knowsSourcePath false makes SourcePath fail.
  bool SourcePath(std::string* path) override;
  const std::string& LibraryInUse() const { return inUse_; }

  std::string programPath = "C:\\Program Files\\Faxbook\\faxpick.exe";
  std::string libraryFolder = "C:\\Program Files\\Faxbook";
  bool knowsSourcePath = true;

 private:
  std::map<int, std::string> program_;
  std::map<std::string, std::map<int, std::string>> libraries_;
  std::string inUse_;
};

class FakeWaitCursor : public WaitCursor {
 public:
  void Begin() override { ++depth_; ++shown_; }
  void End() override { --depth_; }
  int Depth() const { return depth_; }
  int TimesShown() const { return shown_; }

 private:
  int depth_ = 0;
  int shown_ = 0;
};

struct HelpCall {
  std::string path;
  bool finder = false;
  unsigned long topic = 0;
};

class FakeHelp : public HelpSystem {
 public:
  void ShowFinder(const std::string& path) override { calls.push_back({path, true, 0}); }
  void ShowTopic(const std::string& path, unsigned long topic) override {
    calls.push_back({path, false, topic});
  }
  void Quit(const std::string& path) override { quits.push_back(path); }
  std::vector<std::string> quits;
  std::vector<HelpCall> calls;
};

}  // namespace ui
