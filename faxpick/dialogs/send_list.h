// The send list of the destination dialog: the destinations of the fax
// job in the order they were added, each with a key of its own that its
// row in the list carries.
#pragma once

#include <vector>

#include "faxpick/book/book_entry.h"
#include "faxpick/dialogs/list_columns.h"
#include "platform/ui/list_control.h"

namespace picker {

struct SendListEntry {
  Destination destination;
  ui::ItemData key = 0;
};

class SendList {
 public:
  // Binds the list control and gives it its columns.
  void Attach(ui::ListControl* list, const ListColumns& columns);

  // Appends the destination and its row.
  void Add(const Destination& destination);
  // True when an entry has the same name and reading (bytes compared).
  bool Holds(const Destination& destination) const;
  // Removes the selected rows, from the top, with their entries.
  void RemoveSelected();
  void Clear();

  int Count() const { return static_cast<int>(entries_.size()); }
  const std::vector<SendListEntry>& Entries() const { return entries_; }
  std::vector<Destination> Destinations() const;

 private:
  ui::ListControl* list_ = nullptr;
  std::vector<SendListEntry> entries_;
  ui::ItemData nextKey_ = 0;
};

}  // namespace picker
