#include "store/reg_no.h"

#include "store/address_record.h"

namespace store {

bool NextRegNo(int rowCount, const std::function<bool(int)>& regNoInUse, int* regNo) {
  if (rowCount >= kMaxEntries) return false;
  if (rowCount < 0) rowCount = 0;
  for (int candidate = rowCount + 1; candidate <= rowCount + kMaxEntries; ++candidate) {
    if (!regNoInUse(candidate)) {
      *regNo = candidate;
      return true;
    }
  }
  return false;
}

}  // namespace store
