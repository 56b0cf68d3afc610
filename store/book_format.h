// The lines of an address book file.
//
// Line 1 is the header, which readers skip unseen. From line 2 on, an empty
// line or one starting with "/" is skipped; any other line is split at its
// first "=" into a key and a value. "[FAX_ADDR]" lines are entries,
// "[FAX_ADDR_GM]" lines group members, "[VERSION]" is accepted and ignored,
// every other key is ignored. book_lines.h says where lines end.
#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/sys/file_system.h"
#include "platform/text/decimal.h"
#include "store/address_record.h"
#include "store/book_bytes.h"
#include "store/book_keys.h"
#include "store/group_table.h"
#include "store/packed_texts.h"
#include "store/text_fields.h"

namespace store {

inline constexpr char kBookHeader[] =
    "// This is BrevantZelo Relay Fax AddressBook  Utility Data.";
inline constexpr char kLineEnd[] = "\r\n";

// How a book is read: the interface language (the list order a rewrite
// keeps) and the code page of its texts. Every text and the honorific are
// kept as the file holds them in every language: a language that shows no
// registration name or honorific still writes them back as read.
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

// One line after the header, its texts viewed where the parser keeps them.
struct ParsedLine {
  BookLineKind kind = BookLineKind::kSkipped;
  int entryKind = 0;  // entries: the kind as read
  int regNo = 0;      // entries: the low 16 bits of the number read
  int memberKey = 0;  // members: the group's number, all bits kept
  TextsView texts;    // entries and members
  // Members read lazily (see LineParser::ReadMembersLazily and
  // KeepMemberFields): the fields after the number as the line holds them;
  // of the texts only the reading is set, or none.
  std::string_view fields;
};

// Parses lines after the header. A NUL byte ends the line's text, as it
// ends a C string. Missing fields read as empty texts and 0; extra fields
// are ignored; texts are normalised (ideographic spaces, trimmed blanks).
// The texts of a parsed line stay valid until the next Parse.
class LineParser {
 public:
  void Parse(std::string_view line, const ReadOptions& options, ParsedLine* out);
  // Member lines come back with their fields as they are and only the
  // reading read, for a group table that reads the rest when it is asked.
  void ReadMembersLazily(bool lazy) { lazyMembers_ = lazy; }
  // Member lines come back with their fields as they are and no text read,
  // for a group table that reads them when their group is first used.
  void KeepMemberFields(bool keep) { keepMembers_ = keep; }

 private:
  FieldScratch scratch_;
  bool lazyMembers_ = false;
  bool keepMembers_ = false;
};

// A parsed line with texts of its own, for tools and tests.
struct BookLine {
  BookLineKind kind = BookLineKind::kSkipped;
  AddressRecord entry;
  int memberKey = 0;
  MemberEntry member;
};
void ParseBookLine(std::string_view line, const ReadOptions& options, BookLine* out);
void CopyLine(const ParsedLine& parsed, BookLine* out);

// True for a line after the header that is neither empty nor a comment and
// whose key is "[FAX_ADDR]".
bool IsEntryLine(std::string_view line);

// A number field: leading blanks skipped, optional sign, decimal digits up
// to the first other byte, clamped to the 32-bit range; no digits give 0.
using text::ParseDecimal;

// The lines the editor writes for an entry (kind 3 writes the two names
// only) and for a member, without their line ends.
std::string FormatEntryLine(const AddressRecord& record);
std::string FormatMemberLine(int groupKey, const MemberEntry& member);

// An entry as the writer sees it.
struct EntryToWrite {
  int kind = kKindAddress;
  int regNo = 0;
  TextsView texts;
};

// The whole file into sink: header, then each entry in the given order; a
// group (kind 3) is preceded by an empty line and followed by its members
// in position order. False once the sink refuses bytes. *keep, when given,
// gets what was written.
bool WriteBookTo(sys::ByteSink& sink, std::size_t count,
                 const std::function<EntryToWrite(std::size_t)>& entry, const GroupTable& groups,
                 BookBytes* keep = nullptr);
bool WriteBookTo(sys::ByteSink& sink, const std::vector<AddressRecord>& records,
                 const GroupTable& groups);

// The whole file in memory.
std::string FormatBook(const std::vector<AddressRecord>& records, const GroupTable& groups);

}  // namespace store
