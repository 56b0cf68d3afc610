// Hashes of what a book holds, made of parts that are added up, so that a
// change costs only the parts it touches: an entry, a slot of the group
// table, a member at its position.
#pragma once

#include <cstdint>

#include "store/address_record.h"
#include "store/group_table.h"
#include "store/packed_texts.h"

namespace store {

// The eight texts and the honorific.
std::uint64_t HashTexts(const TextsView& texts);
// An entry: its texts, kind and registration number.
std::uint64_t HashRecord(const AddressRecord& record);
// A member whose texts hash to textsHash at a slot's position.
std::uint64_t HashMemberAt(int slot, int pos, std::uint64_t textsHash);
// A used slot: its index, key and origin kind (its members count apart).
std::uint64_t HashSlotInfo(int slot, const GroupRecord& info);

}  // namespace store
