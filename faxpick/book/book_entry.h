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

// One "[FAX_ADDR]" line of the book with the destinations it stands for: a
// single address its own one, a group one per member line, ordered by
// their readings. The member texts are kept together in one buffer per
// entry; Member() makes a destination of them.
class BookEntry {
 public:
  int id = 0;  // the number of entry lines before this one; the lists' key
  int kind = kKindAddress;
  int regNo = 0;
  std::string dispName;
  std::string dispNameJP;

  bool IsGroup() const { return kind == kKindGroup; }
  int MemberCount() const { return static_cast<int>(members_.size()); }
  Destination Member(int i) const;
  std::string_view MemberText(int i, Field field) const;

  // Appends a member, its texts one after the other in field order.
  void BeginMember();
  void AppendText(std::string_view text);
  // Orders the members by reading with `before`, which must be a strict
  // order; members of equal readings keep the order they were added in,
  // reversed (the later first).
  template <typename Before>
  void OrderMembers(Before before);

 private:
  struct Span {
    std::size_t start = 0;
    std::array<std::uint32_t, kFieldCount> lengths{};
    std::size_t filled = 0;  // texts appended so far
  };
  std::string_view Text(const Span& span, Field field) const;

  std::string texts_;
  std::vector<Span> members_;
};

}  // namespace picker

#include "faxpick/book/book_entry_order.h"
