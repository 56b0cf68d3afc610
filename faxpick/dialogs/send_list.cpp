#include "faxpick/dialogs/send_list.h"

#include <algorithm>

namespace picker {

void SendList::Attach(ui::ListControl* list, const ListColumns& columns) {
  list_ = list;
  if (!list_) return;
  columns.AddSendColumns(*list_);
  list_->SetFullRowSelect(true);
}

void SendList::Add(const Destination& destination) {
  const ui::ItemData key = nextKey_++;
  entries_.push_back({destination, key});
  if (list_) ListColumns::AppendRow(*list_, ListColumns::SendRow(destination), 0, key);
}

bool SendList::Holds(const Destination& d) const {
  return std::any_of(entries_.begin(), entries_.end(), [&](const SendListEntry& e) {
    return e.destination.dispNameJP == d.dispNameJP && e.destination.dispName == d.dispName;
  });
}

void SendList::RemoveSelected() {
  if (!list_) return;
  for (int row = list_->NextSelected(-1); row >= 0; row = list_->NextSelected(-1)) {
    const ui::ItemData key = list_->GetItemData(row);
    if (!list_->DeleteItem(row)) break;
    auto it = std::find_if(entries_.begin(), entries_.end(),
                           [key](const SendListEntry& e) { return e.key == key; });
    if (it != entries_.end()) entries_.erase(it);
  }
}

void SendList::Clear() {
  if (list_) list_->DeleteAllItems();
  entries_.clear();
}

std::vector<Destination> SendList::Destinations() const {
  std::vector<Destination> out;
  out.reserve(entries_.size());
  for (const SendListEntry& e : entries_) out.push_back(e.destination);
  return out;
}

}  // namespace picker
