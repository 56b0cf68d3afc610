// One change to a book, kept in its history: what it takes to take the
// change back and to do it again. Each change holds the state of what it
// touched on the other side of it, and swaps it with the book's.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace store {

class Book;
using EntryId = std::uint32_t;

class BookChange {
 public:
  virtual ~BookChange() = default;
  virtual void Undo(Book& book) = 0;
  virtual void Redo(Book& book) = 0;
  // The entries the change touched, for the view to select.
  virtual void Touched(std::vector<EntryId>* ids) const = 0;
  // Memory the change holds.
  virtual std::size_t Bytes() const = 0;
  // The step the change belongs to is over: spare capacity can go.
  virtual void Shrink() {}
};

}  // namespace store
