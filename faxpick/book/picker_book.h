// The picker's reader of address book files and the book it reads.
//
// Lines end at CR LF, LF or a lone CR; a NUL byte ends a line's text.
// Empty lines and lines starting with "/" (the header among them) are
// skipped; the tag before the first "=" decides, exactly as written:
// "[FAX_ADDR]" is an entry, "[FAX_ADDR_GM]" a member of a group, anything
// else is ignored. Fields are split with NextCsvField and used as split,
// without trimming; numbers are read as decimal integers (blanks, a sign,
// digits up to the first other byte; no digits give 0).
//
// Entries are kept ascending by reading, compared as the runtime's
// _mbscmp compares, as if each new entry went before the first one whose
// reading is not less than its own: of equal readings the later line
// stands first. A member line joins the first group in that order whose
// registration number it names, among the groups read before it, as if
// inserted before the first member whose reading is not less than its own;
// a member line naming no such group is skipped. Reading takes n log n
// time however the lines come.
#pragma once

#include <array>
#include <memory>
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

  // Reads the file: false (and an empty book) when it cannot be opened.
  bool Load(sys::FileSystem& files, const std::string& path, const Honorifics& honorifics);
  // Reads a file's bytes into an empty book.
  void Read(std::string_view bytes, const Honorifics& honorifics);
  void Clear();

  // The entries in reading order.
  const std::vector<const BookEntry*>& Entries() const { return sorted_; }
  // The entry with this id; null when there is none.
  const BookEntry* Find(int id) const;
  int Size() const { return static_cast<int>(sorted_.size()); }

 private:
  void ReadEntry(std::string_view rest, const Honorifics& honorifics);
  void ReadMember(std::string_view rest, const Honorifics& honorifics);
  bool Before(const std::string& a, const std::string& b) const;
  void Order();

  int codePage_;
  std::vector<std::unique_ptr<BookEntry>> byId_;
  std::vector<const BookEntry*> sorted_;
  // The first group in reading order for each registration number.
  std::unordered_map<int, BookEntry*> firstGroup_;
};

}  // namespace picker
