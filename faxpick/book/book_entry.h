// The picker's view of an address book: its entries and the destinations
// they stand for.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
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

// The texts of a destination in this order.
enum class Field { kDispName, kDispNameJP, kFax, kSubAddress, kPassword, kCompany, kDepartment,
                   kClient, kRespect };
constexpr std::size_t kFieldCount = 9;

// The nine texts of one destination of a book, in field order: views into
// the book that holds it, valid while the book stays as read.
using MemberTexts = std::array<std::string_view, kFieldCount>;

class PickerBook;

// One "[FAX_ADDR]" line of the book with the destinations it stands for: a
// single address its own one, a group one per member line, ordered by
// their readings. The texts are views into the book that made the entry,
// valid while it stays as read.
class BookEntry {
 public:
  int id = 0;  // the number of entry lines before this one; the lists' key
  int kind = kKindAddress;
  int regNo = 0;
  std::string_view dispName;
  std::string_view dispNameJP;

  bool IsGroup() const { return kind == kKindGroup; }
  int MemberCount() const { return memberCount_; }
  Destination Member(int i) const;
  std::string_view MemberText(int i, Field field) const;

 private:
  friend class PickerBook;
  const PickerBook* book_ = nullptr;
  // The book's numbers of the entry's members, in their order.
  const std::uint32_t* members_ = nullptr;
  int memberCount_ = 0;
  std::uint64_t readingPrefix_ = 0;  // the reading's first characters, to sort by
};

}  // namespace picker
