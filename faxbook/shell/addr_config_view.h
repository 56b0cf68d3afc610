// The address list view: the form (template 101) whose list control 1000
// shows the document's book, one row per entry in the book's order.
//
// The list keeps no texts of its own: it asks the view for each cell, and
// the view finds the entry at the row in the book. The view sorts the book's
// order by the column the user clicked, keeps the selection by entry when
// the book changes, and routes the editing commands to the command sets the
// application hands it. It draws the book again whenever the book tells it
// of a change.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "faxbook/editing/command_set.h"
#include "faxbook/editing/editor_services.h"
#include "faxbook/editing/editor_settings.h"
#include "faxbook/editing/entry_view.h"
#include "faxbook/shell/addr_config_doc.h"
#include "faxbook/shell/frame_client.h"
#include "platform/ui/frame.h"
#include "platform/ui/list_control.h"

class CAddrConfigView : public ui::FormEvents,
                        public ui::ListRows,
                        public EntryView,
                        public store::BookObserver,
                        public FrameClient {
 public:
  CAddrConfigView(const EditorServices& services, CAddrConfigDoc* document,
                  const EditorSettings* settings);
  ~CAddrConfigView() override;

  // The form the view shows in and the frame around it; both must be set
  // before the first update.
  void Attach(ui::FormView* form, ui::FrameWindow* window);

  // The first update: fits the frame to the form, builds the columns and the
  // icons, and has the document open the book, sorted by the reading.
  void OnInitialUpdate();

  // A set of commands the view offers what it does not handle itself; the
  // sets are asked in the order they were added.
  void AddCommandSet(CommandSet* commands) { commandSets_.push_back(commands); }

  // --- FrameClient ----------------------------------------------------------
  // Commands the view or one of its command sets handles (true), or leaves
  // to the frame (false).
  bool OnCommand(int id) override;
  bool QueryCommand(int id, ui::CommandState* state) const override;
  bool IsModified() const override { return document_->IsModified(); }
  // The document's apply; a merge gives the entries new ids, so the
  // selection and the focus are kept by registration number.
  bool Apply() override;
  void Reload() override;
  // The file changed elsewhere: an unmodified book is read again (the sort
  // and the selection kept); a modified one says in the message pane that
  // the file will be merged at apply.
  void OnAppActivated() override;

  // --- ui::FormEvents -------------------------------------------------------
  void OnSize(int width, int height) override;
  void OnListEvent(int listId, const ui::ListEvent& event) override;

  // --- ui::ListRows ---------------------------------------------------------
  std::string CellText(int row, int column) const override;
  int RowImage(int row) const override;

  // --- EntryView ------------------------------------------------------------
  std::vector<store::EntryId> Selected() const override;
  void SelectOnly(store::EntryId id) override;
  void SortByReading() override;

  // --- store::BookObserver --------------------------------------------------
  // Sorts again by the current column and direction, keeps the selected and
  // the focused entries, draws the rows and the count, and lets the apply
  // item follow the modified state.
  void OnBookChanged() override;

  // A click on a column header: the same column again turns an ascending
  // sort descending; any other click sorts that column ascending.
  void OnColumnClick(int column);
  // Takes back the last change (does it again) and selects the entries it
  // touched.
  void Undo();
  void Redo();

  int SortColumn() const { return sortColumn_; }
  bool SortAscending() const { return ascending_; }
  ui::ListControl* List() const { return list_; }

 private:
  // The selected and the focused entries by registration number, to be
  // found again in a book read or merged anew.
  struct KeptSelection {
    std::vector<int> selected;
    int focused = 0;
  };
  KeptSelection KeepSelection() const;
  void RestoreSelection(const KeptSelection& kept);
  void BuildColumns();
  // Sorts the book's order by the current column and direction.
  void SortRows();
  void DispatchEdit();
  // Offers a command to the command sets; true when one ran it.
  bool RouteCommand(int id);
  // Selects these entries (the first focused and shown).
  void SelectEntries(const std::vector<store::EntryId>& ids);
  void ShowCount();
  // Keeps the last column fitting when the list gains or loses its vertical
  // scroll bar.
  void AdjustLastColumn();
  const store::Book& Book() const { return document_->Book(); }

  EditorServices services_;
  CAddrConfigDoc* document_;
  const EditorSettings* settings_;
  ui::FormView* form_ = nullptr;
  ui::FrameWindow* window_ = nullptr;
  ui::ListControl* list_ = nullptr;
  std::vector<CommandSet*> commandSets_;
  // The entry each row showed when the rows were last drawn: what the
  // list's selection means until they are drawn again.
  std::vector<store::EntryId> shown_;
  // The honorifics shown after the recipient, for 0-3.
  std::array<std::string, 4> suffixes_;
  int sortColumn_ = 0;
  bool ascending_ = true;
  bool hadScrollBar_ = false;
};
