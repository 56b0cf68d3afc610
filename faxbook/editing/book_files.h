// The book's files as the command sets use them: the file apply writes,
// writing the book elsewhere, and reading the book to put in place of the
// one in memory.
#pragma once

#include <string>
#include <vector>

#include "store/book_file.h"

class BookFiles {
 public:
  virtual ~BookFiles() = default;
  // The book the editor works on (apply writes it).
  virtual const std::string& PrimaryPath() const = 0;
  // How the book's files are read and written (language, code page, system
  // class, file system).
  virtual store::BookContext BookContext() const = 0;
  // Writes the book to `path` in the order apply writes it; true when it
  // was written. The modified state is left as it is.
  virtual bool SaveBook(const std::string& path) = 0;
  // Reads the book at `path` as a load does, into the records in list order
  // and their groups. False, with the user told which file it was, when it
  // cannot be read whole.
  virtual bool ReadBook(const std::string& path, std::vector<store::AddressRecord>* records,
                        store::GroupTable* groups) = 0;
  // The book in memory is now one the user chose in place of the one that
  // could not be read at the start: apply may write it over that one.
  virtual void SetBookChosen() = 0;
};
