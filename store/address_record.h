// The records of the address book and their limits.
#pragma once

#include <array>
#include <cstddef>
#include <string>

namespace store {

constexpr int kMaxEntries = 3000;   // entries of one book
constexpr int kGroupSlots = 3000;   // slots of the group table
constexpr int kMaxMembers = 80;     // members of one group

// Entry kinds as the file stores them.
constexpr int kKindAddress = 1;
constexpr int kKindGroup = 3;
constexpr int kKindMember = 4;

// Honorific index shown after the recipient name: none, 様, 殿, 御中.
constexpr int kRespectNone = 0;
constexpr int kRespectMax = 3;

// The eight texts and the honorific shared by an entry and a group member.
// Texts are ANSI byte strings; the store never truncates them.
struct EntryTexts {
  std::string dispName;        // registration name
  std::string dispNameJP;      // reading: sort key and identity of a member
  std::string faxNumber;
  std::string subAddress;
  std::string password;        // sub-address password
  std::string companyName;
  std::string departmentName;
  std::string clientName;      // recipient name
  int respect = kRespectNone;
};

// One member of a group: a copy of an address's texts, matched by reading.
struct MemberEntry : EntryTexts {};

// One entry of the book: a single address (kind 1) or a group (kind 3).
struct AddressRecord : EntryTexts {
  int kind = kKindAddress;
  int regNo = 0;  // 1..65535, unique among the entries; 0 names no entry
};

inline MemberEntry MemberFrom(const EntryTexts& texts) {
  MemberEntry m;
  static_cast<EntryTexts&>(m) = texts;
  return m;
}

// The text fields in file order, with their names and byte limits.
constexpr std::size_t kTextFieldCount = 8;
struct TextField {
  std::string EntryTexts::*member;
  const char* name;
  std::size_t maxBytes;
};
extern const std::array<TextField, kTextFieldCount> kTextFields;

}  // namespace store
