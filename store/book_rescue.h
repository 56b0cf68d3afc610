// Finding the book again after a save was cut short.
//
// A save writes the new book to "NAME.~fbk*.tmp" beside it and renames that
// over the book. A program killed at the wrong moment (or an older version,
// whose save moved the book to a ".bak" name before it moved the new one
// in) can leave the name without a book, or with an empty or cut one, while
// a whole book waits in a leftover. Such a leftover is put back under the
// name before the book is loaded, so that the load never starts a new,
// empty book over it.
#pragma once

#include <string>
#include <string_view>

#include "store/book_file.h"

namespace store {

// A whole book by its form: the header line the editor writes first, and a
// line end last (no line cut short).
bool IsWholeBook(std::string_view bytes);

// Before the book at path is loaded. When it is missing, or holds no entry
// (an empty file, or the header alone), or is cut short and older than a
// leftover, the newest leftover that is a whole book with at least one
// entry is put in its place (PutInPlace: it takes the book's rights), and
// *restoredFrom names it. A whole book with its entries, or one that cannot
// be read (locked, denied...), is left as it is, and so is every other
// leftover: they go with the next save. A leftover with only the header is
// no better than the new book a load makes, and stays. An error (with the
// book's path) only when such a leftover exists but could not be put in
// place: the caller must then not take the book for empty.
BookStatus RescueBook(const BookContext& context, const std::string& path,
                      std::string* restoredFrom);

}  // namespace store
