// The lines of an address book file.
//
// Line 1 is the header, which readers skip unseen. From line 2 on, an empty
// line or one starting with "/" is skipped; any other line is split at its
// first "=" into a key and a value. "[FAX_ADDR]" lines are entries,
// "[FAX_ADDR_GM]" lines group members, "[VERSION]" is accepted and ignored,
// every other key is ignored. book_lines.h says where lines end.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "store/address_record.h"
#include "store/group_table.h"

namespace store {

inline constexpr char kBookHeader[] =
    "// This is BrevantZelo Relay Fax AddressBook  Utility Data.";
inline constexpr char kLineEnd[] = "\r\n";
inline constexpr char kEntryKey[] = "[FAX_ADDR]";
inline constexpr char kMemberKey[] = "[FAX_ADDR_GM]";
inline constexpr char kVersionKey[] = "[VERSION]";

// How texts are read: the interface language (1041 keeps the registration
// name and the honorific, other languages clear them) and the code page.
struct ReadOptions {
  int langId = 1041;
  int codePage = 932;
};

enum class BookLineKind {
  kSkipped,    // empty, comment
  kVersion,    // "[VERSION]"
  kEntry,      // "[FAX_ADDR]": entry is set
  kMember,     // "[FAX_ADDR_GM]" of kind 4: memberKey and member are set
  kBadMember,  // "[FAX_ADDR_GM]" of another kind: dropped with a diagnostic
  kIgnored,    // any other key, or no "=" at all
};

struct BookLine {
  BookLineKind kind = BookLineKind::kSkipped;
  AddressRecord entry;
  int memberKey = 0;
  MemberEntry member;
};

// Parses one line after the header. A NUL byte ends the line's text, as it
// ends a C string. Missing fields read as empty texts and 0; extra fields
// are ignored; texts are normalised (ideographic spaces, trimmed blanks).
void ParseBookLine(std::string_view line, const ReadOptions& options, BookLine* out);

// True for a line after the header that is neither empty nor a comment and
// whose key is "[FAX_ADDR]".
bool IsEntryLine(std::string_view line);

// A number field: leading blanks skipped, optional sign, decimal digits up
// to the first other byte, clamped to the 32-bit range; no digits give 0.
long ParseDecimal(std::string_view field);

// The lines the editor writes for an entry (kind 3 writes the two names
// only) and for a member, without their line ends.
std::string FormatEntryLine(const AddressRecord& record);
std::string FormatMemberLine(int groupKey, const MemberEntry& member);

// The whole file: header, then each record in the given order; a group is
// preceded by an empty line and followed by its members in position order.
std::string FormatBook(const std::vector<AddressRecord>& records, const GroupTable& groups);

}  // namespace store
