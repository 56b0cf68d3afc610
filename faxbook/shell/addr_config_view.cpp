#include "faxbook/shell/addr_config_view.h"

#include <utility>

#include "faxbook/res/resource.h"
#include "faxbook/shell/data_location.h"
#include "faxbook/shell/language.h"
#include "faxbook/shell/list_layout.h"
#include "faxbook/shell/main_frame.h"
#include "platform/text/codepage.h"
#include "platform/text/list_order.h"

namespace {

// Header texts are held in buffers of 128 bytes.
constexpr std::size_t kHeaderBytes = 127;
// The list keeps this far from the view's edges.
constexpr int kListMargin = 2;
// A vertical scroll bar takes this much of the list's width.
constexpr int kScrollBarWidth = 16;

constexpr int kImageAddress = 0;
constexpr int kImageGroup = 1;

}  // namespace

CAddrConfigView::CAddrConfigView(const EditorServices& services, store::StoreAlerts* alerts,
                                 CAddrConfigDoc* document, CMainFrame* frame,
                                 const StartupInfo* startup)
    : services_(services),
      alerts_(alerts),
      document_(document),
      frame_(frame),
      startup_(startup) {}

CAddrConfigView::~CAddrConfigView() = default;

void CAddrConfigView::Attach(ui::FormView* form) {
  form_ = form;
  list_ = form ? form->List(IDC_ADDRESS_LIST) : nullptr;
}

int CAddrConfigView::LangId() const { return frame_->LangId(); }

int CAddrConfigView::CodePage() const { return frame_->CodePage(); }

ui::FontHandle CAddrConfigView::ListFont() const { return frame_->ListFont(); }

store::BookContext CAddrConfigView::BookContext() const {
  store::BookContext context;
  context.files = services_.files;
  context.alerts = alerts_;
  context.read.langId = LangId();
  context.read.codePage = frame_->CodePage();
  context.systemClass = startup_->systemClass;
  if (context.systemClass == 1 || context.systemClass == 2) {
    context.defaultDataFile = DefaultDataFile(startup_->specialFolder);
  }
  return context;
}

void CAddrConfigView::OnInitialUpdate() {
  form_->ResizeParentToFit();
  BuildColumns();
  list_->SetSmallIcons(frame_->ListIcons());
  if (frame_->ListFont() != 0) list_->SetFont(frame_->ListFont());
  list_->SetFullRowSelect(true);
  list_->SetSingleSelection(false);

  const DataLocation location =
      ResolveDataLocation(startup_->systemClass, startup_->specialFolder, *services_.registry);
  if (startup_->systemClass == 1 || startup_->systemClass == 2) {
    PrepareDataFolders(startup_->specialFolder, *services_.folders);
  }
  primaryPath_ = location.primaryPath;
  oldPath_ = location.oldPath;
  Load(primaryPath_, oldPath_);
  SetModified(false);
}

void CAddrConfigView::BuildColumns() {
  const std::vector<int> headers = ColumnHeaderIds(LangId());
  const int width = ColumnWidthFor(list_->ClientWidth(), static_cast<int>(headers.size()));
  for (int id : headers) {
    const std::string header = services_.resources->String(id);
    list_->AddColumn(std::string(text::CutToBytes(frame_->CodePage(), header, kHeaderBytes)),
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
      SaveBook(primaryPath_);
      return true;
    case IDC_EDIT_BUTTON:
      DispatchEdit();
      return true;
    default:
      return list_ && RouteCommand(id);
  }
}

bool CAddrConfigView::RouteCommand(int id) {
  for (CommandSet* commands : commandSets_) {
    if (commands->OnCommand(id)) return true;
  }
  return false;
}

void CAddrConfigView::DispatchEdit() {
  const int selected = list_->SelectedCount();
  if (selected == 0) {
    services_.messages->Show(services_.resources->String(IDS_NO_SELECTION),
                             services_.resources->String(IDS_CAPTION), ui::Buttons::kOk,
                             ui::Icon::kExclamation);
  } else if (selected > 1) {
    RouteCommand(kCmdEditSeveral);
  } else {
    const int row = list_->NextSelected(-1);
    RouteCommand(list_->ItemImage(row) == kImageGroup ? kCmdEditSelectedGroup
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

int CAddrConfigView::InsertRow(int position, int /*regNo*/, const std::string& marker,
                               const std::vector<std::string>& texts) {
  return InsertRowTexts(position, marker == "G" ? kImageGroup : kImageAddress, texts);
}

int CAddrConfigView::InsertRowTexts(int position, int image, std::vector<std::string> texts) {
  const int rowId = entries_.NextRowId();
  const int row = list_->InsertItem(position, texts.empty() ? std::string() : texts[0], image,
                                    static_cast<ui::ItemData>(rowId));
  for (std::size_t column = 1; column < texts.size(); ++column) {
    list_->SetItemText(row, static_cast<int>(column), texts[column]);
  }
  entries_.SetCells(rowId, std::move(texts));
  if (!loading_) ShowCount();
  return rowId;
}

void CAddrConfigView::SetRowTexts(int row, const std::vector<std::string>& texts) {
  int rowId = 0;
  if (!RowId(row, &rowId)) return;
  for (std::size_t column = 0; column < texts.size(); ++column) {
    list_->SetItemText(row, static_cast<int>(column), texts[column]);
  }
  entries_.SetCells(rowId, texts);
}

std::vector<std::string> CAddrConfigView::RowTextsFor(const store::AddressRecord& record,
                                                      bool group) const {
  return RowTexts(record, group, LangId(), *services_.resources);
}

store::AddressRecord* CAddrConfigView::FindRecord(int rowId) { return entries_.FindRecord(rowId); }

bool CAddrConfigView::RegNoInUse(int regNo) const { return entries_.RegNoInUse(regNo); }

void CAddrConfigView::AddRecord(int rowId, const store::AddressRecord& record) {
  entries_.Add(rowId, record);
}

bool CAddrConfigView::RemoveRecord(int rowId) { return entries_.Remove(rowId); }

bool CAddrConfigView::RowId(int row, int* rowId) const {
  if (row < 0 || row >= list_->ItemCount()) return false;
  *rowId = static_cast<int>(list_->GetItemData(row));
  return true;
}

void CAddrConfigView::SelectRow(int row) {
  list_->SetSelected(row, true);
  list_->SetFocusedRow(row);
  list_->TakeFocus();
}

void CAddrConfigView::SetModified(bool modified) {
  modified_ = modified;
  if (frame_->Window()) frame_->Window()->SetMenuItemEnabled(ID_FILE_APPLY, modified);
}

void CAddrConfigView::SortRows() {
  const int column = sortColumn_;
  const int sign = ascending_ ? 1 : -1;
  const int langId = LangId();
  const text::Collation& collation = *services_.collation;
  static const std::string kEmpty;
  const auto cell = [column](const EntryList::Entry* e) -> const std::string& {
    return static_cast<std::size_t>(column) < e->cells.size()
               ? e->cells[static_cast<std::size_t>(column)]
               : kEmpty;
  };
  // Each row's key once, where the collation has keys.
  sortKeys_.Clear();
  const text::ListSortKeys keys(collation, langId);
  const bool keyed = keys.Available();
  for (int row = 0, rows = keyed ? list_->ItemCount() : 0; row < rows; ++row) {
    const int rowId = static_cast<int>(list_->GetItemData(row));
    const EntryList::Entry* entry = entries_.Find(rowId);
    if (entry) sortKeys_.Add(keys, rowId, cell(entry));
  }
  list_->SortItems([&](ui::ItemData a, ui::ItemData b) {
    // Every row with an entry has its key, and a row without one none, which
    // compares as equal, as a row without an entry does.
    if (keyed) return sign * sortKeys_.Compare(static_cast<int>(a), static_cast<int>(b));
    const EntryList::Entry* first = entries_.Find(static_cast<int>(a));
    const EntryList::Entry* second = entries_.Find(static_cast<int>(b));
    if (!first || !second) return 0;
    return sign * text::CompareListTexts(collation, langId, cell(first), cell(second));
  });
  list_->SetSortIndicator(column, ascending_);
}

void CAddrConfigView::Resort() {
  SortRows();
  ShowCount();
}

void CAddrConfigView::OnColumnClick(int column) {
  if (column == sortColumn_ && ascending_) {
    ascending_ = false;
  } else {
    sortColumn_ = column;
    ascending_ = true;
  }
  SortRows();
  const int first = list_->NextSelected(-1);
  if (first >= 0) list_->EnsureVisible(first);
}

void CAddrConfigView::ShowCount() {
  ui::FrameWindow* window = frame_->Window();
  if (!window || window->StatusPaneCount() == 0) return;
  window->SetStatusPaneText(window->StatusPaneCount() - 1, std::to_string(list_->ItemCount()));
}

void CAddrConfigView::Clear() {
  list_->DeleteAllItems();
  entries_.Clear();
  document_->ClearGroups();
  AdjustLastColumn();
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

void CAddrConfigView::Load(const std::string& primaryPath, const std::string& oldPath) {
  ui::WaitCursorScope wait(*services_.waitCursor);
  // The book is read aside first: one that cannot be read whole replaces
  // nothing.
  const store::BookContext context = BookContext();
  std::vector<store::AddressRecord> records;
  store::GroupTable groups(CodePage(), alerts_);
  const store::BookStatus status =
      store::LoadBook(context, primaryPath, oldPath, &records, &groups);
  if (!status.ok()) {
    // Without a book read from a file, the rows must not go over this one.
    if (!bookRead_) unreadBook_ = status.path;
    services_.messages->Show(
        ui::FormatText(services_.resources->String(IDS_BOOK_UNREADABLE), status.path),
        services_.resources->String(IDS_CAPTION), ui::Buttons::kOk, ui::Icon::kStop);
    ShowCount();
    return;
  }
  // The list neither draws nor lays itself out while the rows go in, and
  // the count pane is written once at the end.
  list_->SetRedraw(false);
  loading_ = true;
  Clear();
  entries_.ResetRowIds();
  document_->Groups() = std::move(groups);
  // The rows first, then the records moved in under their row ids.
  std::vector<int> rowIds(records.size(), -1);
  for (std::size_t i = 0; i < records.size(); ++i) {
    const store::AddressRecord& record = records[i];
    // A reading repeated by the very next line is the same entry twice.
    if (i > 0 && record.dispNameJP == records[i - 1].dispNameJP) continue;
    const bool group = record.kind == store::kKindGroup;
    rowIds[i] = InsertRowTexts(0, group ? kImageGroup : kImageAddress, RowTextsFor(record, group));
  }
  for (std::size_t i = 0; i < records.size(); ++i) {
    if (rowIds[i] != -1) entries_.Add(rowIds[i], std::move(records[i]));
  }
  loading_ = false;
  SetBookChosen();
  ResetSort();
  Resort();
  list_->SetRedraw(true);
  AdjustLastColumn();
  if (!status.restoredFrom.empty()) {
    services_.messages->Show(
        ui::FormatText(services_.resources->String(IDS_BOOK_RESTORED),
                       std::vector<std::string>{primaryPath, status.restoredFrom}),
        services_.resources->String(IDS_CAPTION), ui::Buttons::kOk, ui::Icon::kInformation);
  }
}

void CAddrConfigView::SetBookChosen() {
  bookRead_ = true;
  unreadBook_.clear();
}

void CAddrConfigView::ResetSort() {
  sortColumn_ = ReadingColumn(LangId());
  ascending_ = true;
}

bool CAddrConfigView::SaveBook(const std::string& path) {
  ui::WaitCursorScope wait(*services_.waitCursor);
  const int column = sortColumn_;
  const bool ascending = ascending_;
  sortColumn_ = ReadingColumn(LangId());
  ascending_ = true;
  Resort();

  std::vector<store::AddressRecord> records;
  const int rows = list_->ItemCount();
  records.reserve(static_cast<std::size_t>(rows));
  for (int row = 0; row < rows; ++row) {
    int rowId = 0;
    const store::AddressRecord* record = RowId(row, &rowId) ? FindRecord(rowId) : nullptr;
    if (!record) continue;
    records.push_back(*record);
    records.back().kind =
        list_->ItemImage(row) == kImageGroup ? store::kKindGroup : store::kKindAddress;
  }
  lastSaveError_ = store::WriteBook(BookContext(), path, records, document_->Groups());
  const bool written = lastSaveError_ == sys::FileError::kNone;

  sortColumn_ = column;
  ascending_ = ascending;
  Resort();
  return written;
}

bool CAddrConfigView::Apply() {
  if (!unreadBook_.empty()) {
    services_.messages->Show(
        ui::FormatText(services_.resources->String(IDS_BOOK_PROTECTED), unreadBook_),
        services_.resources->String(IDS_CAPTION), ui::Buttons::kOk, ui::Icon::kStop);
    return false;
  }
  if (SaveBook(primaryPath_)) {
    SetModified(false);
    return true;
  }
  // A read-only book is the user's own protection: say so.
  const int message =
      lastSaveError_ == sys::FileError::kReadOnly ? IDS_BOOK_READ_ONLY : IDS_APPLY_FAILED;
  services_.messages->Show(
      ui::FormatText(services_.resources->String(message), primaryPath_),
      services_.resources->String(IDS_CAPTION), ui::Buttons::kOk, ui::Icon::kStop);
  return false;
}
