#include "faxbook/shell/addr_config_view.h"

#include <utility>

#include "faxbook/res/resource.h"
#include "faxbook/shell/list_layout.h"
#include "platform/text/codepage.h"
#include "store/book_order.h"

namespace {

// Header texts are held in buffers of 128 bytes.
constexpr std::size_t kHeaderBytes = 127;
// The list keeps this far from the view's edges.
constexpr int kListMargin = 2;
// A vertical scroll bar takes this much of the list's width.
constexpr int kScrollBarWidth = 16;

}  // namespace

CAddrConfigView::CAddrConfigView(const EditorServices& services, CAddrConfigDoc* document,
                                 const EditorSettings* settings)
    : services_(services), document_(document), settings_(settings) {
  document_->Book().SetObserver(this);
}

CAddrConfigView::~CAddrConfigView() {
  document_->Book().SetObserver(nullptr);
  if (list_) list_->SetRowSource(nullptr);
}

void CAddrConfigView::Attach(ui::FormView* form, ui::FrameWindow* window) {
  form_ = form;
  window_ = window;
  list_ = form ? form->List(IDC_ADDRESS_LIST) : nullptr;
}

void CAddrConfigView::OnInitialUpdate() {
  form_->ResizeParentToFit();
  for (int respect = 0; respect < 4; ++respect) {
    suffixes_[static_cast<std::size_t>(respect)] = RespectSuffix(respect, *services_.resources);
  }
  BuildColumns();
  list_->SetSmallIcons(ListIconIds());
  if (settings_->listFont != 0) list_->SetFont(settings_->listFont);
  list_->SetFullRowSelect(true);
  list_->SetSingleSelection(false);
  list_->SetRowSource(this);
  SortByReading();
  document_->Open();
  OnBookChanged();
}

void CAddrConfigView::BuildColumns() {
  const std::vector<int> headers = ColumnHeaderIds(settings_->langId);
  const int width = ColumnWidthFor(list_->ClientWidth(), static_cast<int>(headers.size()));
  for (int id : headers) {
    const std::string header = services_.resources->String(id);
    list_->AddColumn(std::string(text::CutToBytes(settings_->codePage, header, kHeaderBytes)),
                     width);
  }
  hadScrollBar_ = list_->HasVerticalScrollBar();
}

bool CAddrConfigView::OnCommand(int id) {
  switch (id) {
    case ID_FILE_APPLY:
      Apply();
      return true;
    case IDC_WRITE_BUTTON:
      document_->SaveBook(document_->PrimaryPath());
      return true;
    case IDC_EDIT_BUTTON:
      DispatchEdit();
      return true;
    case ID_EDIT_UNDO:
      Undo();
      return true;
    case ID_EDIT_REDO:
      Redo();
      return true;
    default:
      return list_ && RouteCommand(id);
  }
}

bool CAddrConfigView::QueryCommand(int id, ui::CommandState* state) const {
  switch (id) {
    case ID_EDIT_UNDO:
      state->enabled = Book().CanUndo();
      // Back at the changes that came in from elsewhere: the user hears
      // why nothing before them can be undone.
      if (!state->enabled && document_->HistoryEndsAtMerge()) {
        state->prompt = services_.resources->String(IDS_UNDO_ENDS_AT_MERGE);
      }
      return true;
    case ID_EDIT_REDO:
      state->enabled = Book().CanRedo();
      return true;
    default:
      return false;
  }
}

CAddrConfigView::KeptSelection CAddrConfigView::KeepSelection() const {
  KeptSelection kept;
  for (store::EntryId id : Selected()) kept.selected.push_back(Book().Find(id)->regNo);
  const int row = list_ ? list_->FocusedRow() : -1;
  if (row >= 0 && row < static_cast<int>(shown_.size())) {
    const store::AddressRecord* record = Book().Find(shown_[static_cast<std::size_t>(row)]);
    if (record) kept.focused = record->regNo;
  }
  return kept;
}

void CAddrConfigView::RestoreSelection(const KeptSelection& kept) {
  if (!list_) return;
  for (int row = list_->NextSelected(-1); row >= 0; row = list_->NextSelected(row)) {
    list_->SetSelected(row, false);
  }
  for (int regNo : kept.selected) {
    const int row = Book().IndexOf(Book().WithRegNo(regNo));
    if (row >= 0) list_->SetSelected(row, true);
  }
  const int row = kept.focused == 0 ? -1 : Book().IndexOf(Book().WithRegNo(kept.focused));
  if (row >= 0) list_->SetFocusedRow(row);
}

bool CAddrConfigView::Apply() {
  const KeptSelection kept = KeepSelection();
  const std::uint64_t revision = Book().Revision();
  const bool applied = document_->Apply();
  // A merge replaced the book: its entries have new ids.
  if (Book().Revision() != revision) RestoreSelection(kept);
  return applied;
}

void CAddrConfigView::OnAppActivated() {
  if (!list_ || !document_->FileChangedElsewhere()) return;
  if (document_->IsModified()) {
    if (window_ && window_->StatusPaneCount() > 0) {
      window_->SetStatusPaneText(0, services_.resources->String(IDS_BOOK_CHANGED_ELSEWHERE));
    }
    return;
  }
  const KeptSelection kept = KeepSelection();
  const CAddrConfigDoc::Reloaded reloaded = document_->ReloadChangedFile();
  if (reloaded == CAddrConfigDoc::Reloaded::kDamaged && window_ && window_->StatusPaneCount() > 0) {
    window_->SetStatusPaneText(0, services_.resources->String(IDS_BOOK_DAMAGED_ELSEWHERE));
  }
  if (reloaded != CAddrConfigDoc::Reloaded::kLoaded) return;
  OnBookChanged();
  RestoreSelection(kept);
}

void CAddrConfigView::Reload() {
  SortByReading();
  document_->Reload();
  OnBookChanged();
}

bool CAddrConfigView::RouteCommand(int id) {
  for (CommandSet* commands : commandSets_) {
    if (commands->OnCommand(id)) return true;
  }
  return false;
}

void CAddrConfigView::DispatchEdit() {
  const std::vector<store::EntryId> selected = Selected();
  if (selected.empty()) {
    services_.messages->Show(services_.resources->String(IDS_NO_SELECTION),
                             services_.resources->String(IDS_CAPTION), ui::Buttons::kOk,
                             ui::Icon::kExclamation);
  } else if (selected.size() > 1) {
    RouteCommand(kCmdEditSeveral);
  } else {
    RouteCommand(Book().IsGroup(selected.front()) ? kCmdEditSelectedGroup
                                                  : kCmdEditSelectedAddress);
  }
}

void CAddrConfigView::OnSize(int width, int height) {
  if (!form_) return;
  const int w = width - 2 * kListMargin;
  const int h = height - 2 * kListMargin;
  form_->MoveItem(IDC_ADDRESS_LIST, kListMargin, kListMargin, w > 0 ? w : 0, h > 0 ? h : 0);
}

void CAddrConfigView::OnListEvent(int listId, const ui::ListEvent& event) {
  if (listId != IDC_ADDRESS_LIST) return;
  if (event.kind == ui::ListEventKind::kColumnClick) OnColumnClick(event.column);
  if (event.kind == ui::ListEventKind::kDoubleClick) DispatchEdit();
}

// --- rows ----------------------------------------------------------------------

std::string CAddrConfigView::CellText(int row, int column) const {
  if (row < 0 || row >= static_cast<int>(shown_.size())) return std::string();
  const store::AddressRecord* record = Book().Find(shown_[static_cast<std::size_t>(row)]);
  if (!record) return std::string();
  return ::CellText(*record, record->kind == store::kKindGroup, settings_->langId, column,
                    suffixes_);
}

int CAddrConfigView::RowImage(int row) const {
  if (row < 0 || row >= static_cast<int>(shown_.size())) return -1;
  return Book().IsGroup(shown_[static_cast<std::size_t>(row)]) ? kImageGroup : kImageAddress;
}

std::vector<store::EntryId> CAddrConfigView::Selected() const {
  std::vector<store::EntryId> ids;
  if (!list_) return ids;
  for (int row = list_->NextSelected(-1); row >= 0; row = list_->NextSelected(row)) {
    if (row >= static_cast<int>(shown_.size())) break;
    const store::EntryId id = shown_[static_cast<std::size_t>(row)];
    if (Book().Contains(id)) ids.push_back(id);
  }
  return ids;
}

void CAddrConfigView::SelectEntries(const std::vector<store::EntryId>& ids) {
  for (int row = list_->NextSelected(-1); row >= 0; row = list_->NextSelected(row)) {
    list_->SetSelected(row, false);
  }
  bool first = true;
  for (store::EntryId id : ids) {
    const int row = Book().IndexOf(id);
    if (row < 0) continue;
    list_->SetSelected(row, true);
    if (first) {
      list_->SetFocusedRow(row);
      list_->EnsureVisible(row);
      first = false;
    }
  }
  list_->TakeFocus();
}

void CAddrConfigView::SelectOnly(store::EntryId id) { SelectEntries({id}); }

void CAddrConfigView::SortByReading() {
  sortColumn_ = ReadingColumn(settings_->langId);
  ascending_ = true;
}

// --- the book's changes ---------------------------------------------------------

void CAddrConfigView::SortRows() {
  store::Book& book = document_->Book();
  const int count = book.Size();
  std::vector<std::string> cells;
  cells.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    const store::AddressRecord& record = book.RecordAt(i);
    cells.push_back(::CellText(record, record.kind == store::kKindGroup, settings_->langId,
                               sortColumn_, suffixes_));
  }
  const std::vector<std::uint32_t> order = store::OrderByText(
      *services_.collation, settings_->langId, cells.size(),
      [&cells](std::size_t i) -> std::string_view { return cells[i]; }, !ascending_);
  std::vector<store::EntryId> ids;
  ids.reserve(order.size());
  for (std::uint32_t i : order) ids.push_back(book.IdAt(static_cast<int>(i)));
  book.Arrange(std::move(ids));
  list_->SetSortIndicator(sortColumn_, ascending_);
}

void CAddrConfigView::OnBookChanged() {
  if (!list_) return;
  const std::vector<store::EntryId> selected = Selected();
  const int focusedRow = list_->FocusedRow();
  const store::EntryId focused = focusedRow >= 0 && focusedRow < static_cast<int>(shown_.size())
                                     ? shown_[static_cast<std::size_t>(focusedRow)]
                                     : store::kNoEntry;
  SortRows();
  const store::Book& book = Book();
  shown_.assign(static_cast<std::size_t>(book.Size()), store::kNoEntry);
  for (int i = 0; i < book.Size(); ++i) shown_[static_cast<std::size_t>(i)] = book.IdAt(i);
  list_->SetRowCount(book.Size());
  for (store::EntryId id : selected) {
    const int row = book.IndexOf(id);
    if (row >= 0) list_->SetSelected(row, true);
  }
  const int row = focused == store::kNoEntry ? -1 : book.IndexOf(focused);
  if (row >= 0) list_->SetFocusedRow(row);
  ShowCount();
  AdjustLastColumn();
  if (window_) window_->SetMenuItemEnabled(ID_FILE_APPLY, book.Modified());
}

void CAddrConfigView::OnColumnClick(int column) {
  if (column == sortColumn_ && ascending_) {
    ascending_ = false;
  } else {
    sortColumn_ = column;
    ascending_ = true;
  }
  OnBookChanged();
  const int first = list_->NextSelected(-1);
  if (first >= 0) list_->EnsureVisible(first);
}

void CAddrConfigView::Undo() {
  std::vector<store::EntryId> touched;
  if (document_->Book().Undo(&touched)) SelectEntries(touched);
}

void CAddrConfigView::Redo() {
  std::vector<store::EntryId> touched;
  if (document_->Book().Redo(&touched)) SelectEntries(touched);
}

void CAddrConfigView::ShowCount() {
  if (!window_ || window_->StatusPaneCount() == 0) return;
  window_->SetStatusPaneText(window_->StatusPaneCount() - 1, std::to_string(Book().Size()));
}

void CAddrConfigView::AdjustLastColumn() {
  const bool hasScrollBar = list_->HasVerticalScrollBar();
  if (hasScrollBar == hadScrollBar_) return;
  hadScrollBar_ = hasScrollBar;
  const int last = list_->ColumnCount() - 1;
  if (last < 0) return;
  const int width = list_->ColumnWidth(last);
  list_->SetColumnWidth(last, hasScrollBar ? width - kScrollBarWidth : width + kScrollBarWidth);
}
