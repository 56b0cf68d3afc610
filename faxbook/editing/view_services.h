// What the address list view offers the command sets (the entry commands,
// the imports and the bulk edits): its rows and the records behind them,
// the group table, the modified flag, loading and saving the book.
//
// Command sets change the book only through these services and the group
// table's operations; they never write a file themselves except through
// SaveBook, and they set the modified flag when they change the book.
#pragma once

#include <string>
#include <vector>

#include "platform/ui/font.h"
#include "platform/ui/list_control.h"
#include "store/address_record.h"
#include "store/book_file.h"
#include "store/group_table.h"

class ViewServices {
 public:
  virtual ~ViewServices() = default;

  // The list control 1000: one row per entry, the row id as item data, the
  // group icon (image 1) on group rows.
  virtual ui::ListControl* List() const = 0;
  // The interface language (1041 Japanese) and the system's code page.
  virtual int LangId() const = 0;
  virtual int CodePage() const = 0;
  // The substitute font of edit fields and lists (code page 1250), else 0.
  virtual ui::FontHandle ListFont() const = 0;
  // The member tables of the groups.
  virtual store::GroupTable& Groups() = 0;

  // Inserts a row at `position` (0 is the top) showing `texts` in column
  // order, the group icon when `marker` is "G", and a new row id as item
  // data; refreshes the count pane and returns the row id. The caller adds
  // the record under that id with AddRecord.
  virtual int InsertRow(int position, int regNo, const std::string& marker,
                        const std::vector<std::string>& texts) = 0;
  // Rewrites what a row shows (and what sorting compares).
  virtual void SetRowTexts(int row, const std::vector<std::string>& texts) = 0;
  // The texts a record shows in the view's layout.
  virtual std::vector<std::string> RowTextsFor(const store::AddressRecord& record,
                                               bool group) const = 0;
  virtual store::AddressRecord* FindRecord(int rowId) = 0;
  virtual bool RegNoInUse(int regNo) const = 0;
  virtual void AddRecord(int rowId, const store::AddressRecord& record) = 0;
  virtual bool RemoveRecord(int rowId) = 0;
  // The row id of the row at `row`; false when there is no such row.
  virtual bool RowId(int row, int* rowId) const = 0;
  // Marks the row focused and selected and gives the list the focus.
  virtual void SelectRow(int row) = 0;
  // Sets or clears the modified flag; the apply command follows it.
  virtual void SetModified(bool modified) = 0;
  virtual bool IsModified() const = 0;
  // Sorts again by the current column and direction; refreshes the count.
  virtual void Resort() = 0;
  // Sets the sort to its initial state (the reading, ascending) without
  // sorting.
  virtual void ResetSort() = 0;
  virtual void ShowCount() = 0;
  // Keeps the last column fitting when the vertical scroll bar comes or goes.
  virtual void AdjustLastColumn() = 0;
  // Deletes every row and record and empties the group table.
  virtual void Clear() = 0;
  // The rows are now a whole book the user chose in place of the one that
  // could not be read at the start (a device file's destinations): apply
  // may write them over it.
  virtual void SetBookChosen() = 0;
  // Replaces the book in memory by the book at `path` (an empty new file is
  // first seeded from `oldPath`, when given, on classes 1 and 2), sorted by
  // the reading.
  virtual void Load(const std::string& path, const std::string& oldPath) = 0;
  // Writes every row to `path` in ascending reading order and shows the rows
  // in the order they had. True when the book was written; the modified flag
  // is left as it is.
  virtual bool SaveBook(const std::string& path) = 0;
  // The book the editor works on (apply writes it).
  virtual const std::string& PrimaryPath() const = 0;
  // How the book's files are read and written (language, code page, system
  // class, file system).
  virtual store::BookContext BookContext() const = 0;
};
