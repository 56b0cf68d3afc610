// The keys that start the lines of an address book file, before the "=".
#pragma once

namespace store {

inline constexpr char kEntryKey[] = "[FAX_ADDR]";
inline constexpr char kMemberKey[] = "[FAX_ADDR_GM]";
inline constexpr char kVersionKey[] = "[VERSION]";

}  // namespace store
