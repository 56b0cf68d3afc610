// Whether a book file is whole: what a merge may take as the other side's
// book and a reload may show. A file cut short, emptied or written over by
// some other program would otherwise read as a book whose entries were all
// deleted, and a merge would delete them here too.
#pragma once

#include <string_view>

namespace store {

enum class BookDamage {
  kNone,
  kEmpty,       // no bytes at all
  kNoHeader,    // the first line is not the book's header
  kCutShort,    // the last line has no line end
  kBrokenLine,  // a line the load drops as broken (see below)
};

struct BookIntegrity {
  BookDamage damage = BookDamage::kNone;
  // The 1-based line of kBrokenLine (for kCutShort the last line).
  int line = 0;
  bool whole() const { return damage == BookDamage::kNone; }
};

// The book's header first, a line end last, and after the header only
// lines a book holds: empty lines, comments ("/..."), "[VERSION]",
// "[FAX_ADDR]" entries and "[FAX_ADDR_GM]" members of kind 4. A line of
// any other key, without "=", of another member kind, or holding a NUL
// byte is broken: no program of ours writes one.
BookIntegrity CheckBookIntegrity(std::string_view bytes);

// "line N is cut short" and the like, for diagnostics in English.
const char* DescribeDamage(BookDamage damage);

}  // namespace store
