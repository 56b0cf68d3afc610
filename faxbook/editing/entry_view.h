// What the command sets see of the address list: which entries the user has
// selected, and the selection they leave behind.
#pragma once

#include <vector>

#include "store/book.h"

class EntryView {
 public:
  virtual ~EntryView() = default;
  // The selected entries, top to bottom as the list shows them.
  virtual std::vector<store::EntryId> Selected() const = 0;
  // Makes the entry the only selected one, the focused one, shown, and
  // gives the list the keyboard focus.
  virtual void SelectOnly(store::EntryId id) = 0;
  // The list's sort of a book just read: the reading, ascending.
  virtual void SortByReading() = 0;
};
