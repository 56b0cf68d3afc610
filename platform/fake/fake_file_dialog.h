// The file dialogs in memory: a test queues what the user chooses and sees
// what each dialog was asked to show.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/ui/file_dialog.h"

namespace ui {

class FakeFileDialogs : public FileDialogs {
 public:
  // The user picks `path` in the next file dialog.
  void ChooseNext(const std::string& path) { answers_.push_back({FileChoice::kChosen, path}); }
  // The user picks a file whose path the code page cannot write; the
  // dialog gives `path`, "?" where a character was lost.
  void ChooseNextNotInCodePage(const std::string& path) {
    answers_.push_back({FileChoice::kNotInCodePage, path});
  }
  // The user cancels the next file dialog.
  void CancelNext() { answers_.push_back({FileChoice::kCancelled, std::string()}); }

  // Where the owner of each dialog comes from: the template of the dialog
  // running innermost, as on Windows (0: the main window).
  void WatchDialogs(std::function<int()> innermost) { innermost_ = std::move(innermost); }

  // Dialogs with nothing queued are cancelled.
  FileChoice ChooseFile(const FileDialogRequest& request, std::string* path) override {
    requests_.push_back(request);
    owners_.push_back(innermost_ ? innermost_() : 0);
    if (answers_.empty()) return FileChoice::kCancelled;
    const Answer answer = answers_.front();
    answers_.pop_front();
    if (answer.choice != FileChoice::kCancelled) *path = answer.path;
    return answer.choice;
  }

  const std::vector<FileDialogRequest>& Requests() const { return requests_; }
  // The owner of each dialog shown: a dialog's template, 0 for the main window.
  const std::vector<int>& Owners() const { return owners_; }
  std::size_t PendingAnswers() const { return answers_.size(); }

 private:
  struct Answer {
    FileChoice choice;
    std::string path;
  };
  std::deque<Answer> answers_;
  std::vector<FileDialogRequest> requests_;
  std::vector<int> owners_;
  std::function<int()> innermost_;
};

}  // namespace ui
