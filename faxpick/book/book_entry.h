// The picker's view of an address book: its entries and the destinations
// they stand for.
#pragma once

#include <string>
#include <vector>

namespace picker {

// Entry kinds as the book file stores them; every kind but a group is
// taken as a single address.
constexpr int kKindAddress = 1;
constexpr int kKindGroup = 3;

// One destination of a fax job, with the honorific as text ("様", a single
// blank, or empty).
struct Destination {
  std::string dispName;
  std::string dispNameJP;
  std::string faxNumber;
  std::string subAddress;
  std::string password;
  std::string companyName;
  std::string departmentName;
  std::string clientName;
  std::string respect;
};

// One "[FAX_ADDR]" line of the book with the destinations it stands for: a
// single address its own one, a group one per member line, ordered by
// their readings.
struct BookEntry {
  int id = 0;  // the number of entry lines before this one; the lists' key
  int kind = kKindAddress;
  int regNo = 0;
  std::string dispName;
  std::string dispNameJP;
  std::vector<Destination> members;

  bool IsGroup() const { return kind == kKindGroup; }
  int MemberCount() const { return static_cast<int>(members.size()); }
};

}  // namespace picker
