// The exchange file between the picker and the fax driver side: an INI
// file whose [BASE_INFO] holds ItemNum (destinations listed here) and
// ItemNumTotal (destinations of the whole job), and whose sections
// ITEM_000, ITEM_001, ... ("ITEM_%03d", four digits from 1000 on) hold one
// destination each in nine keys. Groups never reach it: they are expanded
// into their members when registered.
//
// The counts are not trusted: a negative ItemNum counts as 0, a total that
// is missing or below ItemNum counts as ItemNum, and no more item sections
// are read than the file holds up to its last listed one, so a huge count
// costs no more than the file's own size. A file that is there but cannot
// be read whole is never taken for an empty one: nothing is written over
// it.
#pragma once

#include <string>
#include <vector>

#include "faxpick/book/book_entry.h"
#include "faxpick/startup/book_choice.h"
#include "platform/sys/file_system.h"
#include "platform/sys/ini_files.h"

namespace picker {

// The name of item section i.
std::string ItemSectionName(int i);

// Values are written cut to this many bytes (whole characters of the code
// page), so that they read back whole into the reader's 255-byte buffer.
inline constexpr std::size_t kMaxValueBytes = 254;

// How a rewrite of the exchange file ended.
enum class WriteOutcome {
  kWritten,     // the file holds the send list, the settings are written
  kNotRead,     // the file is there but could not be read: nothing written
  kReadOnly,    // the file is marked read-only: nothing written
  kNotWritten,  // the file could not be written
};

class ExchangeFile {
 public:
  // codePage: the system's ANSI code page, in which values are cut.
  ExchangeFile(sys::IniFiles& ini, sys::FileSystem& files, int codePage)
      : ini_(ini), files_(files), codePage_(codePage) {}

  // Reads the starting send list from the file at `path` (nothing for an
  // empty path): the destinations of the sections ITEM_000 up to ItemNum,
  // up to the last of them the file holds. A missing section inside that
  // range gives an empty destination, as many of them as the file holds
  // listed sections at most (the rest of a longer run of missing sections
  // is closed up). False when ItemNum or ItemNumTotal is missing or empty
  // (the list is then empty when ItemNum is missing; a missing total reads
  // as ItemNum), and when the file could not be read (ReadFailed()).
  bool ReadBack(const std::string& path, std::vector<Destination>* sendList);

  // The file was there at ReadBack but could not be read whole (held open
  // by another program, denied, a read error): the list was not read, and
  // WriteResult never writes over it.
  bool ReadFailed() const { return readFailed_; }

  // ItemNum and ItemNumTotal as read (0 when nothing was read), and the
  // destinations of the job outside the listed ones, never below 0.
  int ItemNum() const { return itemNum_; }
  int ItemNumTotal() const { return itemNumTotal_; }
  int OtherDestinationCount() const;

  // Rewrites the file at `path` with the final send list: deletes
  // [BASE_INFO] and the item sections below the ItemNum read at start,
  // writes ItemNum, ItemNumTotal (the others plus the new count) and the
  // items in send-list order (values cut to kMaxValueBytes), flushes the
  // system's cache, then writes the book choice to `settingsPath`
  // (failures there are passed over). Other sections stay.
  //
  // The file is read whole first; when it is there but cannot be read (or
  // could not be read at start) nothing is written: kNotRead. A file marked
  // read-only is the user's protection and is left as it is: kReadOnly. The
  // system's INI writing then works on a copy beside the file
  // ("<path>.new"), which replaces the file as a whole, so that the driver
  // side never finds a half-written list. Where the copy cannot be made or
  // cannot replace the file for another reason (no right to create files in
  // the folder, the file held open), the file is written in place; when
  // that fails too: kNotWritten (the file stays as it was, unless the
  // failure came part way in place). An empty path writes nothing:
  // kNotWritten.
  WriteOutcome WriteResult(const std::string& path, const std::vector<Destination>& sendList,
                           const std::string& settingsPath, const BookChoice& choice);

 private:
  // The indexes of the file's item sections (names as ItemSectionName
  // writes them, letter case aside), each once, ascending.
  std::vector<int> ItemSections(const std::string& path);

  bool WriteItems(const std::string& file, const std::vector<Destination>& sendList);
  // The copy beside the file, written and swapped in; false (the file as it
  // was, no copy left) when any step fails. *swap: why the copy could not
  // take the file's place (kNone when it did, or when an earlier step
  // failed).
  bool WriteThroughCopy(const std::string& path, const std::string& bytes,
                        const std::vector<Destination>& sendList, sys::FileError* swap);

  sys::IniFiles& ini_;
  sys::FileSystem& files_;
  int codePage_;
  int itemNum_ = 0;
  int itemNumTotal_ = 0;
  bool readFailed_ = false;
};

}  // namespace picker
