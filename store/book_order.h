// How the editor turns the records of a file into list rows and back.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

#include "platform/sys/file_system.h"
#include "platform/text/collation.h"
#include "store/address_record.h"
#include "store/book.h"
#include "store/book_format.h"

namespace store {

// The list order of a book just read: of the entries in file order, those
// whose reading is not the one just before them (byte for byte), each put at
// the top of the list in turn, so the last comes first. The list then sorts
// them (ArrangeByReading). LoadRows gives the positions, LoadOrder the
// records.
std::vector<std::uint32_t> LoadRows(std::size_t count,
                                    const std::function<std::string_view(std::size_t)>& readingAt);
std::vector<AddressRecord> LoadOrder(std::vector<AddressRecord> fileRecords);

// Arranges the book's entries in ascending order of their readings as the
// list sorts them; equal readings keep the order they had.
void ArrangeByReading(const text::Collation& collation, int langId, Book* book);

// What apply writes: the entries in ascending order of their readings, equal
// readings in list order, group entries as kind 3 and every other kind as
// kind 1. The records point into the book.
std::vector<const AddressRecord*> ApplyOrder(const text::Collation& collation, int langId,
                                             const Book& book);

// The entries given in apply order (see ApplyOrder) written as apply writes
// them: group entries as kind 3 and every other kind as kind 1.
bool WriteInApplyOrder(sys::ByteSink& sink, std::size_t count,
                       const std::function<EntryToWrite(std::size_t)>& entry,
                       const GroupTable& groups, BookBytes* keep = nullptr);

// The file apply writes for the book, into sink (false once the sink
// refuses bytes; *keep, when given, gets what was written) or into memory.
bool WriteAppliedBook(sys::ByteSink& sink, const text::Collation& collation, int langId,
                      const Book& book, BookBytes* keep = nullptr);
std::string FormatAppliedBook(const text::Collation& collation, int langId, const Book& book);

// The positions 0..count-1 in ascending (or descending) order of their
// texts with the list's comparison for the interface language; positions of
// equal texts keep their order either way. Each text's sort key is made
// once.
std::vector<std::uint32_t> OrderByText(const text::Collation& collation, int langId,
                                       std::size_t count,
                                       const std::function<std::string_view(std::size_t)>& textAt,
                                       bool descending = false);

// Sorts records ascending by reading with the list's comparison for the
// interface language; records of equal readings keep their order.
void SortByReading(const text::Collation& collation, int langId,
                   std::vector<AddressRecord>* records);

// Saving writes a group row as kind 3 and every other row as kind 1.
inline int KindForSave(int kind) { return kind == kKindGroup ? kKindGroup : kKindAddress; }

}  // namespace store
