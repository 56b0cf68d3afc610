#include "store/book_history.h"

namespace store {

BookHistory::BookHistory(std::size_t maxSteps, std::size_t budgetBytes)
    : maxSteps_(maxSteps), budgetBytes_(budgetBytes) {}

void BookHistory::Begin() { ++depth_; }

void BookHistory::Add(std::unique_ptr<BookChange> change) {
  open_.changes.push_back(std::move(change));
}

void BookHistory::End() {
  if (depth_ == 0 || --depth_ > 0) return;
  if (open_.changes.empty()) return;
  open_.bytes = 0;
  for (const auto& change : open_.changes) {
    change->Shrink();
    open_.bytes += change->Bytes();
  }
  for (const Kept& step : undone_) bytes_ -= step.bytes;
  undone_.clear();
  bytes_ += open_.bytes;
  done_.push_back(std::move(open_));
  open_ = Kept();
  Trim();
}

void BookHistory::Trim() {
  // The oldest steps go first: past the number kept in any case while the
  // budget is exceeded, and below it too, down to the last step, while four
  // times the budget is (a hundred imports of the largest book would not fit
  // a 32-bit program).
  while (!done_.empty() && ((Steps() > maxSteps_ && bytes_ > budgetBytes_) ||
                            (done_.size() > 1 && bytes_ > 4 * budgetBytes_))) {
    bytes_ -= done_.front().bytes;
    done_.pop_front();
  }
}

BookHistory::Step* BookHistory::TakeUndo() {
  if (done_.empty()) return nullptr;
  undone_.push_back(std::move(done_.back()));
  done_.pop_back();
  return &undone_.back().changes;
}

BookHistory::Step* BookHistory::TakeRedo() {
  if (undone_.empty()) return nullptr;
  done_.push_back(std::move(undone_.back()));
  undone_.pop_back();
  return &done_.back().changes;
}

void BookHistory::Clear() {
  done_.clear();
  undone_.clear();
  open_ = Kept();
  bytes_ = 0;
}

}  // namespace store
