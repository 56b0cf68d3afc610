// How the editor turns the records of a file into list rows and back.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

#include "platform/text/collation.h"
#include "store/address_record.h"

namespace store {

// Loading keeps a record unless its reading equals, byte for byte, the
// reading of the record just before it in the file.
std::vector<AddressRecord> DropRepeatedReadings(std::vector<AddressRecord> records);

// The positions 0..count-1 in ascending order of their readings with the
// list's comparison for the interface language; positions of equal readings
// keep their order. Each reading's sort key is made once.
std::vector<std::uint32_t> OrderByReading(const text::Collation& collation, int langId,
                                          std::size_t count,
                                          const std::function<std::string_view(std::size_t)>& readingAt);

// Sorts records ascending by reading with the list's comparison for the
// interface language; records of equal readings keep their order.
void SortByReading(const text::Collation& collation, int langId,
                   std::vector<AddressRecord>* records);

// Saving writes a group row as kind 3 and every other row as kind 1.
inline int KindForSave(int kind) { return kind == kKindGroup ? kKindGroup : kKindAddress; }

}  // namespace store
