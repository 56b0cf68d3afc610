// The exchange file between the picker and the fax driver side: an INI
// file whose [BASE_INFO] holds ItemNum (destinations listed here) and
// ItemNumTotal (destinations of the whole job), and whose sections
// ITEM_000, ITEM_001, ... ("ITEM_%03d", four digits from 1000 on) hold one
// destination each in nine keys. Groups never reach it: they are expanded
// into their members when registered.
//
// The counts are not trusted: a negative ItemNum counts as 0, a total that
// is missing or below ItemNum counts as ItemNum, and no more item sections
// are read than the file holds, so a huge count costs no more than the
// file's own size.
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

class ExchangeFile {
 public:
  ExchangeFile(sys::IniFiles& ini, sys::FileSystem& files) : ini_(ini), files_(files) {}

  // Reads the starting send list from the file at `path` (nothing for an
  // empty path): the destinations of the sections ITEM_000 up to ItemNum,
  // at most as many as the file holds item sections, a missing section
  // inside that range giving an empty destination. False when ItemNum or
  // ItemNumTotal is missing or empty (the list is then empty when ItemNum
  // is missing; a missing total reads as ItemNum).
  bool ReadBack(const std::string& path, std::vector<Destination>* sendList);

  // ItemNum and ItemNumTotal as read (0 when nothing was read), and the
  // destinations of the job outside the listed ones, never below 0.
  int ItemNum() const { return itemNum_; }
  int ItemNumTotal() const { return itemNumTotal_; }
  int OtherDestinationCount() const;

  // Rewrites the file at `path` with the final send list: deletes
  // [BASE_INFO] and the item sections below the ItemNum read at start,
  // writes ItemNum, ItemNumTotal (the others plus the new count) and the
  // items in send-list order, flushes the system's cache, then writes the
  // book choice to `settingsPath`. Other sections stay. The system's INI
  // writing does this on a copy beside the file ("<path>.new"), which then
  // replaces the file as a whole, so that the driver side never finds a
  // half-written list. False at the first failed write (the file is then
  // as it was and the settings are not written); an empty path writes
  // nothing and gives false.
  bool WriteResult(const std::string& path, const std::vector<Destination>& sendList,
                   const std::string& settingsPath, const BookChoice& choice);

 private:
  // The indexes of the file's item sections (names as ItemSectionName
  // writes them, letter case aside), each once, ascending.
  std::vector<int> ItemSections(const std::string& path);

  bool WriteItems(const std::string& work, const std::vector<Destination>& sendList);

  sys::IniFiles& ini_;
  sys::FileSystem& files_;
  int itemNum_ = 0;
  int itemNumTotal_ = 0;
};

}  // namespace picker
