// The address list view: the form (template 101) whose list control 1000
// shows every entry of the book, one row per entry.
//
// The view owns the entry list (one record per row, found by the row id the
// row carries as item data), the modified flag, the sort state and the
// book's paths. It loads the book at its first update, keeps the rows
// sorted, writes the book with the save routine, and routes the editing
// commands to the command sets the application hands it. The command sets
// change the book only through the view services, and set the modified
// flag; only apply clears it.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "faxbook/shell/addr_config_doc.h"
#include "faxbook/editing/command_set.h"
#include "faxbook/editing/editor_services.h"
#include "faxbook/editing/view_services.h"
#include "faxbook/shell/entry_list.h"
#include "faxbook/shell/row_sort_keys.h"
#include "platform/ui/frame.h"
#include "store/address_record.h"
#include "store/book_file.h"

class CMainFrame;

// What start-up found out about the system, for the view's data location.
struct StartupInfo {
  int systemClass = 0;
  std::string specialFolder;
};

class CAddrConfigView : public ui::FormEvents, public ViewServices {
 public:
  CAddrConfigView(const EditorServices& services, store::StoreAlerts* alerts,
                  CAddrConfigDoc* document, CMainFrame* frame, const StartupInfo* startup);
  ~CAddrConfigView() override;

  // The form the view shows in; must be set before the first update.
  void Attach(ui::FormView* form);

  // The first update: fits the frame to the form, builds the columns and the
  // icons, resolves the paths (creating the data folders on classes 1 and
  // 2), loads the book and clears the modified flag.
  void OnInitialUpdate();

  // A set of commands the view offers what it does not handle itself; the
  // sets are asked in the order they were added.
  void AddCommandSet(CommandSet* commands) { commandSets_.push_back(commands); }

  // Commands the view or one of its command sets handles (true), or leaves
  // to the frame (false).
  bool OnCommand(int id);

  // --- ui::FormEvents -----------------------------------------------------
  void OnSize(int width, int height) override;
  void OnListEvent(int listId, const ui::ListEvent& event) override;

  // --- ViewServices ----------------------------------------------------------
  // Inserts a row at `position` (0 is the top) with the texts in column
  // order (the registration number is not shown), the group icon when the
  // marker is "G" and the address icon otherwise, and a new row id as item
  // data; refreshes the count pane and returns the row id. The caller adds
  // the record under that id with AddRecord.
  int InsertRow(int position, int regNo, const std::string& marker,
                const std::vector<std::string>& texts) override;
  // Rewrites the texts of a row (what it shows and what sorting compares).
  void SetRowTexts(int row, const std::vector<std::string>& texts) override;
  // The texts a record shows in this view's layout.
  std::vector<std::string> RowTextsFor(const store::AddressRecord& record, bool group) const override;
  store::AddressRecord* FindRecord(int rowId) override;
  bool RegNoInUse(int regNo) const override;
  void AddRecord(int rowId, const store::AddressRecord& record) override;
  bool RemoveRecord(int rowId) override;
  // The row id of the row at `row`; false when there is no such row.
  bool RowId(int row, int* rowId) const override;
  // Marks the row focused and selected and gives the list the focus.
  void SelectRow(int row) override;
  // Sets or clears the modified flag; the apply menu item follows it.
  void SetModified(bool modified) override;
  bool IsModified() const override { return modified_; }
  // Sorts again by the current column and direction; refreshes the count.
  void Resort() override;
  // Writes the number of rows into the status bar's last pane.
  void ShowCount() override;
  // Deletes every row and record and empties the group table.
  void Clear() override;
  void SetBookChosen() override;
  // Replaces the book in memory by the book at primaryPath (a new, empty
  // file is first seeded from oldPath on classes 1 and 2), sorted by the
  // reading. A book that cannot be read whole (held by another program,
  // denied, too large...) replaces nothing: the user is told which file it
  // was, and while no book has been read from a file, apply refuses to write
  // over the primary one. A book an interrupted save lost is first put back
  // from the save's leftover, and the user is told from which file.
  void Load(const std::string& primaryPath, const std::string& oldPath) override;
  // Keeps the last column fitting when the list gains or loses its vertical
  // scroll bar.
  void AdjustLastColumn() override;
  // The initial sort: the reading column, ascending.
  void ResetSort() override;

  // The save routine: writes every row to `path` in ascending reading order
  // and shows the rows in the order they had before. True when the book was
  // written; the modified flag is left as it is.
  bool SaveBook(const std::string& path) override;
  // Apply: saves to the primary path; on success clears the modified flag.
  // On failure says so (naming the file, and that it is read-only when that
  // is why) and keeps the flag set. Refused,
  // with a message, while the book could not be read (see Load).
  bool Apply();

  // A click on a column header: the same column again turns an ascending
  // sort descending; any other click sorts that column ascending.
  void OnColumnClick(int column);

  int SortColumn() const { return sortColumn_; }
  bool SortAscending() const { return ascending_; }
  const std::string& PrimaryPath() const override { return primaryPath_; }
  const std::string& OldPath() const { return oldPath_; }
  ui::ListControl* List() const override { return list_; }
  int LangId() const override;
  int CodePage() const override;
  ui::FontHandle ListFont() const override;
  store::GroupTable& Groups() override { return document_->Groups(); }
  store::BookContext BookContext() const override;
  CAddrConfigDoc* Document() { return document_; }

 private:
  void BuildColumns();
  // InsertRow for texts the view may keep as they are.
  int InsertRowTexts(int position, int image, std::vector<std::string> texts);
  void SortRows();
  void DispatchEdit();
  // Offers a command to the command sets; true when one ran it.
  bool RouteCommand(int id);

  EditorServices services_;
  store::StoreAlerts* alerts_;
  CAddrConfigDoc* document_;
  CMainFrame* frame_;
  const StartupInfo* startup_;
  ui::FormView* form_ = nullptr;
  ui::ListControl* list_ = nullptr;

  std::vector<CommandSet*> commandSets_;
  EntryList entries_;
  RowSortKeys sortKeys_;
  bool modified_ = false;
  int sortColumn_ = 0;
  bool ascending_ = true;
  bool hadScrollBar_ = false;
  std::string primaryPath_;
  std::string oldPath_;
  // A book has been read from a file since the start.
  bool bookRead_ = false;
  // Load is putting the rows in.
  bool loading_ = false;
  // The file that could not be read while no book had been: apply would
  // write over what it holds.
  std::string unreadBook_;
  // Why the last SaveBook failed.
  sys::FileError lastSaveError_ = sys::FileError::kNone;
};
