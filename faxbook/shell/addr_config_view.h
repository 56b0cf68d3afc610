// The address list view: the form (template 101) whose list control 1000
// shows every entry of the book, one row per entry.
//
// The view owns the entry list (one record per row, found by the row id the
// row carries as item data), the modified flag, the sort state and the
// book's paths. It loads the book at its first update, keeps the rows
// sorted, writes the book with the save routine, and routes the editing
// commands. The editing and import commands change the book only through
// the services below, and set the modified flag; only apply clears it.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "faxbook/shell/addr_config_doc.h"
#include "faxbook/shell/editor_services.h"
#include "faxbook/shell/entry_list.h"
#include "platform/ui/frame.h"
#include "store/address_record.h"
#include "store/book_file.h"

class CMainFrame;
class CEntryCommands;

// What start-up found out about the system, for the view's data location.
struct StartupInfo {
  int systemClass = 0;
  std::string specialFolder;
};

class CAddrConfigView : public ui::FormEvents {
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

  // Commands the view handles (true) or leaves to the frame (false).
  bool OnCommand(int id);

  // --- ui::FormEvents -----------------------------------------------------
  void OnSize(int width, int height) override;
  void OnListEvent(int listId, const ui::ListEvent& event) override;

  // --- services for the editing and import commands -----------------------
  // Inserts a row at `position` (0 is the top) with the texts in column
  // order (the registration number is not shown), the group icon when the
  // marker is "G" and the address icon otherwise, and a new row id as item
  // data; refreshes the count pane and returns the row id. The caller adds
  // the record under that id with AddRecord.
  int InsertRow(int position, int regNo, const std::string& marker,
                const std::vector<std::string>& texts);
  // Rewrites the texts of a row (what it shows and what sorting compares).
  void SetRowTexts(int row, const std::vector<std::string>& texts);
  // The texts a record shows in this view's layout.
  std::vector<std::string> RowTextsFor(const store::AddressRecord& record, bool group) const;
  store::AddressRecord* FindRecord(int rowId);
  bool RegNoInUse(int regNo) const;
  void AddRecord(int rowId, const store::AddressRecord& record);
  bool RemoveRecord(int rowId);
  // The row id of the row at `row`; false when there is no such row.
  bool RowId(int row, int* rowId) const;
  // Marks the row focused and selected and gives the list the focus.
  void SelectRow(int row);
  // Sets or clears the modified flag; the apply menu item follows it.
  void SetModified(bool modified);
  bool IsModified() const { return modified_; }
  // Sorts again by the current column and direction; refreshes the count.
  void Resort();
  // Writes the number of rows into the status bar's last pane.
  void ShowCount();
  // Deletes every row and record and empties the group table.
  void Clear();
  // Replaces the book in memory by the book at primaryPath (a new, empty
  // file is first seeded from oldPath on classes 1 and 2), sorted by the
  // reading. A book that cannot be read loads as empty.
  void Load(const std::string& primaryPath, const std::string& oldPath);
  // Keeps the last column fitting when the list gains or loses its vertical
  // scroll bar.
  void AdjustLastColumn();

  // The save routine: writes every row to `path` in ascending reading order
  // and shows the rows in the order they had before. True when the book was
  // written; the modified flag is left as it is.
  bool SaveBook(const std::string& path);
  // Apply: saves to the primary path; on success clears the modified flag.
  // On failure says so (naming the file) and keeps the flag set.
  bool Apply();

  // A click on a column header: the same column again turns an ascending
  // sort descending; any other click sorts that column ascending.
  void OnColumnClick(int column);

  int SortColumn() const { return sortColumn_; }
  bool SortAscending() const { return ascending_; }
  const std::string& PrimaryPath() const { return primaryPath_; }
  const std::string& OldPath() const { return oldPath_; }
  ui::ListControl* List() const { return list_; }
  int LangId() const;
  store::BookContext BookContext() const;
  CAddrConfigDoc* Document() { return document_; }

 private:
  void BuildColumns();
  void SortRows();
  void DispatchEdit();
  // Built with the multi-address edit; until then it does nothing.
  void EditSeveral() {}

  EditorServices services_;
  store::StoreAlerts* alerts_;
  CAddrConfigDoc* document_;
  CMainFrame* frame_;
  const StartupInfo* startup_;
  ui::FormView* form_ = nullptr;
  ui::ListControl* list_ = nullptr;

  // New, edit, delete, copy and paste of single entries (with the copy buffer).
  std::unique_ptr<CEntryCommands> commands_;
  EntryList entries_;
  bool modified_ = false;
  int sortColumn_ = 0;
  bool ascending_ = true;
  bool hadScrollBar_ = false;
  std::string primaryPath_;
  std::string oldPath_;
};
