// The picker's reader of address book files and the book it reads.
//
// Lines end at CR LF, LF or a lone CR; a NUL byte ends a line's text.
// Empty lines and lines starting with "/" (the header among them) are
// skipped; the tag before the first "=" decides, exactly as written:
// "[FAX_ADDR]" is an entry, "[FAX_ADDR_GM]" a member of a group, anything
// else is ignored. Fields are split as NextCsvField splits them and used as
// split, without trimming; numbers are read as decimal integers (blanks, a
// sign, digits up to the first other byte; no digits give 0).
//
// Entries are kept ascending by reading, compared as the runtime's
// _mbscmp compares, as if each new entry went before the first one whose
// reading is not less than its own: of equal readings the later line
// stands first. A member line joins the first group in that order whose
// registration number it names, among the groups read before it, as if
// inserted before the first member whose reading is not less than its own;
// a member line naming no such group is skipped. Reading takes n log n
// time however the lines come.
//
// The book keeps the file's bytes as its one buffer of texts: fields are
// unquoted where they stand, and every text of an entry and its members is
// a view into that buffer (an honorific into the book's own texts). A
// book is therefore neither copied nor moved; it keeps the buffer's room
// from book to book. A member line's fields after its names are read the
// first time its destination is asked for: groups are looked into and
// registered far less often than they are listed.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "faxpick/book/book_entry.h"
#include "platform/sys/file_system.h"

namespace picker {

// How honorific codes become text: in Japanese 1 to 3 give the three texts
// and every other code a single blank; in other languages every code gives
// an empty text.
struct Honorifics {
  bool japanese = true;
  std::array<std::string, 3> texts;

  std::string_view TextOf(int code) const;
};

// The most bytes of a book file the picker reads.
constexpr std::size_t kMaxBookFileBytes = 256u << 20;

class PickerBook {
 public:
  explicit PickerBook(int codePage) : codePage_(codePage) {}
  PickerBook(const PickerBook&) = delete;
  PickerBook& operator=(const PickerBook&) = delete;

  // Reads the file: false (and an empty book) when it cannot be opened.
  bool Load(sys::FileSystem& files, const std::string& path, const Honorifics& honorifics);
  // Reads a file's bytes into an empty book, which keeps a copy of them.
  void Read(std::string_view bytes, const Honorifics& honorifics);
  void Clear();

  // The entries in reading order.
  const std::vector<const BookEntry*>& Entries() const { return sorted_; }
  // The entry with this id; null when there is none.
  const BookEntry* Find(int id) const;
  int Size() const { return static_cast<int>(sorted_.size()); }

  // The texts of member number `member` (as its entry holds it), its
  // fields read now when they were not yet.
  const MemberTexts& TextsOf(std::uint32_t member) const;

 private:
  // Reads the lines of bytes_.
  void Parse(const Honorifics& honorifics);
  void ReadEntry(char* at, char* end);
  void ReadMember(char* at, char* end);
  // Appends a destination of these names for the entry at index owner,
  // whose other fields are the bytes [at, end) of its line.
  void AddMember(std::string_view name, std::string_view reading, char* at, char* end, int owner);

  std::string_view RespectOf(int code) const;
  // True when reading a orders before reading b.
  bool Before(std::string_view a, std::string_view b) const;
  void Order();
  void OrderMembers();

  int codePage_;
  // Written where member fields are read when first asked for.
  mutable std::string bytes_;
  // The honorific texts the members view, in Japanese: codes 1 to 3, then
  // any other.
  bool japanese_ = true;
  std::array<std::string, 4> respects_;
  std::vector<BookEntry> entries_;  // by id
  std::vector<const BookEntry*> sorted_;
  // The destinations in the order their lines came: the entry each belongs
  // to, its names, the start of its reading as one number, and the fields
  // after the names, still to be read or read into `texts_`.
  static constexpr std::uint32_t kUnread = UINT32_MAX;
  struct Member {
    std::string_view name;
    std::string_view reading;
    char* rest = nullptr;
    std::uint32_t restBytes = 0;
    int owner = 0;
    std::uint64_t prefix = 0;
    mutable std::uint32_t texts = kUnread;
  };
  std::vector<Member> members_;
  // The texts of the members read so far, room kept for every member so
  // that the texts stay where they are as more are read.
  mutable std::vector<MemberTexts> texts_;
  // Entry by entry in id order, the numbers of each entry's members in
  // their order.
  std::vector<std::uint32_t> ordered_;
  // The first group in reading order for each registration number.
  std::unordered_map<int, int> firstGroup_;
};

}  // namespace picker
