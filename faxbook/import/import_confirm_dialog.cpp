#include "faxbook/import/import_confirm_dialog.h"

#include "booklib/csv/row_reasons.h"

#include <new>

#include "faxbook/editing/address_dialog.h"
#include "faxbook/editing/field_controls.h"
#include "booklib/rules/name_fitting.h"
#include "booklib/csv/import_adder.h"
#include "booklib/csv/book_target.h"
#include "faxbook/res/resource.h"

namespace {

// Column widths in pixels: the mark, the name columns, the others; the last
// column takes what is left of the list, less this margin.
constexpr int kMarkWidth = 20;
constexpr int kNameWidth = 120;
constexpr int kOtherWidth = 100;
constexpr int kLastColumnMargin = 4;

// The header of each field's column.
constexpr int kFieldHeaders[rules::kFieldCount] = {
    IDS_COLUMN_NAME,        IDS_COLUMN_READING, IDS_COLUMN_FAX,        IDS_COLUMN_SUB_ADDRESS,
    IDS_COLUMN_PASSWORD,    IDS_COLUMN_COMPANY, IDS_COLUMN_DEPARTMENT, IDS_COLUMN_RECIPIENT,
};

}  // namespace

CImportConfirmDialog::CImportConfirmDialog(const CommandContext& context,
                                           std::string path,
                                           const csv::ColumnMapping& mapping,
                                           csv::Charset charset)
    : Dialog(IDD_IMPORT_CONFIRM),
      context_(context),
      path_(std::move(path)),
      mapping_(mapping),
      charset_(charset),
      rows_(context.settings.langId, *context.services.collation) {}

void CImportConfirmDialog::OnInit() {
  list_ = List(IDC_CONFIRM_LIST);
  if (!list_) return;
  const bool inJapanese = context_.Rules().Japanese();
  for (int field = 0; field < rules::kFieldCount; ++field) {
    const int header = field == 1 && !inJapanese ? IDS_COLUMN_NAME : kFieldHeaders[field];
    reasons_.fieldNames[static_cast<std::size_t>(field)] = context_.String(header);
  }
  reasons_.refused = context_.String(IDS_REASON_REFUSED);
  reasons_.tooLong = context_.String(IDS_REASON_TOO_LONG);
  reasons_.lacking = context_.String(IDS_REASON_LACKING);
  reasons_.notUtf8 = context_.String(IDS_REASON_NOT_UTF8);
  reasons_.notUtf8Advice = context_.String(IDS_REASON_CHOOSE_CODE_PAGE);
  reasons_.notUtf16 = context_.String(IDS_REASON_NOT_UTF16);
  reasons_.emptyReading = context_.String(IDS_REASON_NO_READING);
  reasons_.noFax = context_.String(IDS_REASON_NO_FAX);
  reasons_.cutAtNul = context_.String(IDS_REASON_NUL);
  reasons_.separator = " / ";
  reasons_.listSeparator = ", ";
  const ui::FontHandle font = context_.settings.listFont;
  if (font != 0) list_->SetFont(font);
  list_->SetFullRowSelect(true);
  list_->SetRowSource(this);
  const bool japanese = context_.Rules().Japanese();
  sortColumn_ = japanese ? 1 : 0;
  ascending_ = true;
  SetItemText(IDC_CONFIRM_SELECTED, "0");
  SetItemText(IDC_CONFIRM_ADDED, "0");
  Load();
}

void CImportConfirmDialog::AddColumns() {
  const int count = rows_.ColumnCount();
  int used = 0;
  for (int column = 0; column < count; ++column) {
    const int field = rows_.FieldOfColumn(column);
    // In other languages the reading stands under the name's header.
    const bool name = field == 0 || field == 1;
    const int header = field < 0    ? 0
                       : field == 1 && !context_.Rules().Japanese() ? IDS_COLUMN_NAME
                                                                    : kFieldHeaders[field];
    int width = field < 0 ? kMarkWidth : name ? kNameWidth : kOtherWidth;
    if (column == count - 1) {
      width = list_->ClientWidth() - used - kLastColumnMargin;
      if (width <= 0) width = kOtherWidth;
    }
    used += width;
    list_->AddColumn(header ? context_.String(header) : std::string(), width);
  }
}

void CImportConfirmDialog::Load() {
  ui::WaitCursorScope wait(*context_.services.waitCursor);
  csv::ImportRows rows;
  backAllowed =
      csv::LoadCsvRows(*context_.services.files, path_, mapping_, context_.Rules(), &rows, charset_);
  try {
    rows_.Assign(std::move(rows));
  } catch (const std::bad_alloc&) {
    // Rows too many for memory: as a file that cannot be read.
    rows_.Assign({});
    backAllowed = false;
  }
  list_->SetRowCount(rows_.Size());
  // The columns come once the rows are in: the last one then fits beside
  // the vertical scroll bar when the rows need one.
  AddColumns();
  rows_.Sort(sortColumn_, ascending_);
  list_->RedrawRows();
}

void CImportConfirmDialog::OnCommand(int id, int code) {
  if (code == ui::kClicked) {
    switch (id) {
      case IDC_CONFIRM_ADD:
        Add();
        return;
      case IDC_CONFIRM_EDIT:
        Edit();
        return;
      case IDC_CONFIRM_BACK:
        End(ui::kIdCancel);
        return;
      default:
        break;
    }
  }
  Dialog::OnCommand(id, code);
}

void CImportConfirmDialog::OnListEvent(int listId, const ui::ListEvent& event) {
  if (listId != IDC_CONFIRM_LIST || !list_) return;
  switch (event.kind) {
    case ui::ListEventKind::kClick:
    case ui::ListEventKind::kSelectionChanged:
      if (!restoringSelection_) ShowSelectedCount();
      ShowReason();
      break;
    case ui::ListEventKind::kDoubleClick:
      if (event.row >= 0) Edit();
      break;
    case ui::ListEventKind::kColumnClick:
      OnColumnClick(event.column);
      break;
    default:
      break;
  }
}

void CImportConfirmDialog::ShowReason() {
  // The focused row when it is selected, else the first selected one.
  int row = list_->FocusedRow();
  if (row < 0 || row >= rows_.Size() || !list_->IsSelected(row)) row = list_->NextSelected(-1);
  std::string text;
  if (row >= 0 && row < rows_.Size()) text = csv::DescribeRow(rows_.At(row), reasons_);
  SetItemText(IDC_CONFIRM_REASON, text);
}

void CImportConfirmDialog::OnOK() {
  // Rows still selected have not been added (added rows leave the list);
  // refused ones never can be, and are not asked about.
  const std::vector<int> selected = list_ ? SelectedPositions() : std::vector<int>();
  if (static_cast<std::size_t>(RefusedAmong(selected)) < selected.size()) {
    const int answer = ShowMessage(context_.String(IDS_ADD_SELECTED_FIRST),
                                   context_.String(IDS_CAPTION), ui::Buttons::kYesNoCancel,
                                   ui::Icon::kQuestion);
    if (answer == ui::kIdCancel) return;
    if (answer == ui::kIdYes) Add();
  }
  End(ui::kIdOk);
}

void CImportConfirmDialog::ShowSelectedCount() {
  SetItemText(IDC_CONFIRM_SELECTED, std::to_string(list_->SelectedCount()));
}

int CImportConfirmDialog::RefusedAmong(const std::vector<int>& positions) const {
  int refused = 0;
  for (int position : positions) {
    if (rows_.At(position).score >= csv::kRefusedScore) ++refused;
  }
  return refused;
}

std::vector<int> CImportConfirmDialog::SelectedPositions() const {
  std::vector<int> positions;
  for (int row = list_->NextSelected(-1); row >= 0; row = list_->NextSelected(row)) {
    positions.push_back(row);
  }
  return positions;
}

void CImportConfirmDialog::SortRows(int column, bool ascending) {
  std::vector<int> selected;
  for (int position : SelectedPositions()) selected.push_back(rows_.IdAt(position));
  const int focused = list_->FocusedRow();
  const int focusedId = focused >= 0 && focused < rows_.Size() ? rows_.IdAt(focused) : -1;
  sortColumn_ = column;
  ascending_ = ascending;
  rows_.Sort(column, ascending);
  list_->SetRowCount(rows_.Size());
  int first = -1;
  // The count is shown once, not for each row selected again.
  restoringSelection_ = true;
  for (int id : selected) {
    const int position = rows_.PositionOf(id);
    list_->SetSelected(position, true);
    if (first < 0 || position < first) first = position;
  }
  restoringSelection_ = false;
  if (focusedId >= 0) list_->SetFocusedRow(rows_.PositionOf(focusedId));
  if (first >= 0) list_->EnsureVisible(first);
  ShowSelectedCount();
  ShowReason();
}

void CImportConfirmDialog::OnColumnClick(int column) {
  if (column == sortColumn_ && ascending_) {
    SortRows(column, false);
  } else {
    SortRows(column, true);
  }
}

void CImportConfirmDialog::Tell(int messageId, const std::string& value) {
  std::string text = context_.String(messageId);
  if (!value.empty()) text = ui::FormatText(text, value);
  ShowMessage(text, context_.String(IDS_CAPTION), ui::Buttons::kOk, ui::Icon::kExclamation);
}

void CImportConfirmDialog::Add() {
  SetItemText(IDC_CONFIRM_ADDED, "0");
  store::Book& book = context_.book;
  const int selected = list_->SelectedCount();
  if (csv::WouldOverfillBook(selected, book.Size())) {
    Tell(IDS_BOOK_FULL, std::to_string(store::kMaxEntries));
    return;
  }
  if (selected == 0) {
    Tell(IDS_NO_SELECTION);
    return;
  }
  const std::vector<int> positions = SelectedPositions();
  for (int position : positions) {
    if (rows_.At(position).score > 0) {
      // The warning, and how many of the rows will be passed over.
      std::string text = context_.String(IDS_IMPORT_WARNING);
      const int refused = RefusedAmong(positions);
      if (refused > 0) {
        text += "\n\n" + ui::FormatText(context_.String(IDS_IMPORT_SKIPPED), std::to_string(refused));
      }
      ShowMessage(text, context_.String(IDS_CAPTION), ui::Buttons::kOk, ui::Icon::kExclamation);
      break;
    }
  }
  csv::AddOutcome outcome;
  {
    ui::WaitCursorScope wait(*context_.services.waitCursor);
    store::BookStep step(book);
    csv::BookTarget target(book);
    outcome = csv::AddRows(rows_, positions, target, context_.Rules(), [this](int added) {
      SetItemText(IDC_CONFIRM_ADDED, std::to_string(added));
    });
    // The added rows leave the list; every row is deselected, the refused
    // ones too.
    rows_.Remove(outcome.added);
    list_->SetRowCount(rows_.Size());
    ShowSelectedCount();
    ShowReason();
    if (!outcome.added.empty()) {
      EnableItem(IDC_CONFIRM_BACK, false);
      backAllowed = false;
    }
  }
  if (outcome.ranOut) Tell(IDS_BOOK_FULL, std::to_string(store::kMaxEntries));
}

void CImportConfirmDialog::Edit() {
  const int selected = list_->SelectedCount();
  if (selected == 0) {
    Tell(IDS_NO_SELECTION);
    return;
  }
  if (selected > 1) {
    Tell(IDS_EDIT_SEVERAL);
    return;
  }
  const int position = list_->NextSelected(-1);
  const int id = rows_.IdAt(position);
  const rules::TextRules rules = context_.Rules();
  csv::BookNameLookup names(context_.book);
  CAddressDialog dialog(*context_.services.resources, rules, names, context_.settings.listFont);
  dialog.mode = CAddressDialog::Mode::kEdit;
  dialog.honorificLock = true;
  const csv::ImportRow& row = rows_.At(position);
  for (int i = 0; i < rules::kFieldCount; ++i) {
    const auto field = static_cast<rules::Field>(i);
    if (field == rules::Field::kDispName && !rules.Japanese()) continue;
    rules::TextOf(dialog.texts, i) =
        rules::FitToField(row[field], rules::RuleOf(field).maxBytes, rules);
  }
  dialog.texts.respect = store::kRespectNone;
  RunNested(dialog);
  if (!dialog.changed) return;
  const int now = rows_.PositionOf(id);
  if (now < 0) return;
  csv::ImportRow& edited = rows_.At(now);
  for (int i = 0; i < rules::kFieldCount; ++i) {
    edited.values[static_cast<std::size_t>(i)] = rules::TextOf(dialog.texts, i);
  }
  // The row is now as the address dialog accepts it: no mark.
  edited.score = 0;
  edited.refused = edited.tooLong = 0;
  edited.lackingChars.clear();
  edited.noFax = false;
  edited.cutAtNul = false;
  SortRows(sortColumn_, true);
}

std::string CImportConfirmDialog::CellText(int row, int column) const {
  return std::string(rows_.Cell(row, column));
}

bool CImportConfirmDialog::CellColour(int row, int column, bool highlighted,
                                      ui::Colour* colour) const {
  if (column != 0) return false;
  const std::string_view mark = rows_.Cell(row, 0);
  if (mark == "!") {
    *colour = ui::Rgb(255, 0, 0);
    return true;
  }
  // On a highlighted row a "?" takes the highlight's own text colour: no
  // blue stands out on every system's highlight.
  if (mark == "?" && !highlighted) {
    *colour = ui::Rgb(0, 0, 255);
    return true;
  }
  return false;
}
