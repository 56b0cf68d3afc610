// The steps of a book's history: each step the changes one command made, to
// be taken back or done again in order. The history keeps the number of
// steps it was made for, and more while they fit a memory budget; only
// steps of whole books (imports) can make it keep fewer, at four times the
// budget.
#pragma once

#include <cstddef>
#include <deque>
#include <memory>
#include <vector>

#include "store/book_change.h"

namespace store {

class BookHistory {
 public:
  using Step = std::vector<std::unique_ptr<BookChange>>;

  // Keeps maxSteps steps, more while they take less than budgetBytes.
  BookHistory(std::size_t maxSteps, std::size_t budgetBytes);

  // Steps nest: the outermost Begin and End make one step.
  void Begin();
  // Ends a step; a step without changes is not kept. A new step forgets
  // whatever was undone before it.
  void End();
  bool Open() const { return depth_ > 0; }
  void Add(std::unique_ptr<BookChange> change);
  // The last change of the open step; null when it has none yet. It may
  // still grow: a step's size is counted when it ends.
  BookChange* LastOfOpenStep() { return open_.changes.empty() ? nullptr : open_.changes.back().get(); }

  bool CanUndo() const { return !done_.empty(); }
  bool CanRedo() const { return !undone_.empty(); }
  // The last step done, moved to the undone ones (and back).
  Step* TakeUndo();
  Step* TakeRedo();
  void Clear();
  std::size_t Bytes() const { return bytes_; }
  std::size_t Steps() const { return done_.size() + undone_.size(); }

 private:
  struct Kept {
    Step changes;
    std::size_t bytes = 0;
  };
  void Trim();

  std::size_t maxSteps_;
  std::size_t budgetBytes_;
  int depth_ = 0;
  Kept open_;
  std::deque<Kept> done_;
  std::vector<Kept> undone_;
  std::size_t bytes_ = 0;
};

}  // namespace store
