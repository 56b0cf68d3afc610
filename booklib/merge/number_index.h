// A book's entries by registration number for the merge, and its groups'
// members by hashes, so that the merge compares groups and decides member
// by member without copying members into records.
#pragma once

#include <cstdint>
#include <vector>

#include "store/address_record.h"
#include "store/book.h"

namespace merge {

// A used position of a group's member table: where it is, and hashes of its
// reading (exact bytes) and of its texts and honorific.
struct MemberKey {
  int slot = 0;
  int pos = 0;
  std::uint64_t reading = 0;
  std::uint64_t texts = 0;
};

class NumberIndex {
 public:
  // Reads every member of the book once; the book must outlive the index.
  explicit NumberIndex(const store::Book& book);

  const store::Book& Book() const { return book_; }
  // The first entry in list order of this number; null when none has it.
  const store::AddressRecord* Find(int regNo) const;
  // The members of the group of this number as one hash, in position
  // order; 0 for none.
  std::uint64_t MembersHash(int regNo) const;
  // Those members in position order; empty for none.
  const std::vector<MemberKey>& Members(int regNo) const;

 private:
  struct Group {
    std::uint64_t hash = 0;
    std::vector<MemberKey> members;
  };
  // Registration numbers are 16 bits: flat tables up to the highest one
  // in use, 0 for none, else the place + 1.
  static constexpr std::size_t kNumbers = 1u << 16;
  static bool InRange(int regNo) { return regNo >= 0 && regNo < static_cast<int>(kNumbers); }
  bool Known(int regNo) const {
    return regNo >= 0 && static_cast<std::size_t>(regNo) < entry_.size();
  }

  const store::Book& book_;
  std::vector<int> entry_;
  std::vector<int> groupOf_;
  std::vector<Group> groups_;
};

}  // namespace merge
