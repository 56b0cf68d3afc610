#include "store/book_bytes.h"

#include <utility>

namespace store {

BookBytes::BookBytes(SharedBytes read) {
  if (!read || read->Empty()) return;
  size_ = read->Size();
  pieces_.push_back({std::move(read), 0, size_});
}

void BookBytes::AppendOwn(std::string_view bytes) {
  if (bytes.empty()) return;
  if (!pieces_.empty() && !pieces_.back().from) {
    pieces_.back().size += bytes.size();
  } else {
    pieces_.push_back({nullptr, own_.Size(), bytes.size()});
  }
  own_.Append(bytes);
  size_ += bytes.size();
  joined_.Clear();
}

void BookBytes::AppendShared(const SharedBytes& from, std::string_view run) {
  if (run.empty()) return;
  if (!from || !from->Holds(run)) {
    AppendOwn(run);
    return;
  }
  const std::size_t at = static_cast<std::size_t>(run.data() - from->View().data());
  if (!pieces_.empty() && pieces_.back().from == from &&
      pieces_.back().at + pieces_.back().size == at) {
    pieces_.back().size += run.size();
  } else {
    pieces_.push_back({from, at, run.size()});
  }
  size_ += run.size();
  joined_.Clear();
}

std::string_view BookBytes::View() const {
  if (pieces_.empty()) return std::string_view();
  if (pieces_.size() == 1) {
    const Piece& only = pieces_.front();
    return (only.from ? only.from->View() : own_.View()).substr(only.at, only.size);
  }
  if (joined_.Size() != size_) {
    joined_.Clear();
    joined_.Room(size_);
    for (const Piece& p : pieces_) {
      joined_.Append((p.from ? p.from->View() : own_.View()).substr(p.at, p.size));
    }
  }
  return joined_.View();
}

}  // namespace store
