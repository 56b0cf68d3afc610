// The document: owns the group table (the member tables of all groups).
#pragma once

#include "store/group_table.h"

class CAddrConfigDoc {
 public:
  CAddrConfigDoc(int codePage, store::StoreAlerts* alerts) : groups_(codePage, alerts) {}

  store::GroupTable& Groups() { return groups_; }
  const store::GroupTable& Groups() const { return groups_; }
  void ClearGroups() { groups_.ClearGroups(); }

 private:
  store::GroupTable groups_;
};
