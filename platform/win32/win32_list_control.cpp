#include "platform/win32/win32_list_control.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

namespace ui {

Win32ListControl::Win32ListControl(HWND list, Win32Resources* resources)
    : list_(list), resources_(resources) {
  templateFont_ = reinterpret_cast<HFONT>(SendMessageA(list_, WM_GETFONT, 0, 0));
}

Win32ListControl::~Win32ListControl() {
  if (images_) {
    if (IsWindow(list_)) SendMessageA(list_, LVM_SETIMAGELIST, LVSIL_SMALL, 0);
    ImageList_Destroy(images_);
  }
}

int Win32ListControl::ClientWidth() const {
  RECT r = {};
  GetClientRect(list_, &r);
  return r.right - r.left;
}

void Win32ListControl::SetFullRowSelect(bool on) {
  SendMessageA(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT,
               on ? LVS_EX_FULLROWSELECT : 0);
}

void Win32ListControl::SetSingleSelection(bool on) {
  LONG_PTR style = GetWindowLongPtrA(list_, GWL_STYLE);
  style = on ? (style | LVS_SINGLESEL) : (style & ~static_cast<LONG_PTR>(LVS_SINGLESEL));
  SetWindowLongPtrA(list_, GWL_STYLE, style);
}

void Win32ListControl::SetSmallIcons(const std::vector<int>& iconIds) {
  HIMAGELIST images =
      ImageList_Create(16, 16, ILC_COLOR4 | ILC_MASK, static_cast<int>(iconIds.size()), 0);
  if (!images) return;
  for (int id : iconIds) {
    HINSTANCE module = resources_->Find(reinterpret_cast<LPCSTR>(RT_GROUP_ICON), id);
    HICON icon = static_cast<HICON>(
        LoadImageA(module, MAKEINTRESOURCEA(id), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR));
    ImageList_AddIcon(images, icon);
    if (icon) DestroyIcon(icon);
  }
  UseImages(images);
}

void Win32ListControl::SetSmallBitmaps(const std::vector<int>& bitmapIds) {
  HIMAGELIST images =
      ImageList_Create(16, 16, ILC_COLOR4 | ILC_MASK, static_cast<int>(bitmapIds.size()), 0);
  if (!images) return;
  for (int id : bitmapIds) {
    HINSTANCE module = resources_->Find(reinterpret_cast<LPCSTR>(RT_BITMAP), id);
    HBITMAP bitmap = static_cast<HBITMAP>(
        LoadImageA(module, MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
    ImageList_AddMasked(images, bitmap, RGB(0, 0, 0));
    if (bitmap) DeleteObject(bitmap);
  }
  UseImages(images);
}

void Win32ListControl::UseImages(HIMAGELIST images) {
  SendMessageA(list_, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images));
  if (images_) ImageList_Destroy(images_);
  images_ = images;
}

void Win32ListControl::SetFont(FontHandle font) {
  HFONT handle = font ? reinterpret_cast<HFONT>(font) : templateFont_;
  SendMessageA(list_, WM_SETFONT, reinterpret_cast<WPARAM>(handle), TRUE);
}

void Win32ListControl::SetRedraw(bool on) {
  SendMessageA(list_, WM_SETREDRAW, on ? TRUE : FALSE, 0);
  if (on) InvalidateRect(list_, nullptr, TRUE);
}

bool Win32ListControl::HasVerticalScrollBar() const {
  return (GetWindowLongPtrA(list_, GWL_STYLE) & WS_VSCROLL) != 0;
}

void Win32ListControl::AddColumn(const std::string& header, int width) {
  LVCOLUMNA column = {};
  column.mask = LVCF_FMT | LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
  column.fmt = LVCFMT_LEFT;
  column.cx = width;
  column.pszText = const_cast<char*>(header.c_str());
  column.iSubItem = ColumnCount();
  SendMessageA(list_, LVM_INSERTCOLUMNA, static_cast<WPARAM>(ColumnCount()),
               reinterpret_cast<LPARAM>(&column));
}

int Win32ListControl::ColumnCount() const {
  HWND header = reinterpret_cast<HWND>(SendMessageA(list_, LVM_GETHEADER, 0, 0));
  return header ? static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
}

int Win32ListControl::ColumnWidth(int column) const {
  return static_cast<int>(SendMessageA(list_, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0));
}

void Win32ListControl::SetColumnWidth(int column, int width) {
  SendMessageA(list_, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), MAKELPARAM(width, 0));
}

int Win32ListControl::TextWidth(const std::string& text) const {
  return static_cast<int>(
      SendMessageA(list_, LVM_GETSTRINGWIDTHA, 0, reinterpret_cast<LPARAM>(text.c_str())));
}

namespace {

// What the system's lists add to a text's width, for one font and image
// size: learnt once for each (a hidden list takes some milliseconds to
// make and size under Wine), kept for the life of the program.
struct Margins {
  HFONT font;
  int imageWidth;
  int firstCell;
  int cell;
  int header;
};

std::vector<Margins>& KnownMargins() {
  static std::vector<Margins> known;
  return known;
}

Margins Learn(HWND list, HFONT font, HIMAGELIST images, int imageWidth) {
  Margins m = {font, imageWidth, 12 + imageWidth, 12, 11};
  // A list beside this one that nobody sees, of the same font and images.
  HWND helper = CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | LVS_REPORT | LVS_SHAREIMAGELISTS, 0,
                                0, 400, 100, GetParent(list), nullptr, GetModuleHandleA(nullptr),
                                nullptr);
  if (!helper) return m;
  SendMessageA(helper, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  SendMessageA(helper, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images));
  char text[] = "W";
  for (int c = 0; c < 3; ++c) {
    LVCOLUMNA column = {};
    column.mask = LVCF_FMT | LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.fmt = LVCFMT_LEFT;
    column.cx = 50;
    column.pszText = text;
    column.iSubItem = c;
    SendMessageA(helper, LVM_INSERTCOLUMNA, static_cast<WPARAM>(c), reinterpret_cast<LPARAM>(&column));
  }
  const int width =
      static_cast<int>(SendMessageA(helper, LVM_GETSTRINGWIDTHA, 0, reinterpret_cast<LPARAM>(text)));
  // The header alone first (no rows), then one row of the same text.
  SendMessageA(helper, LVM_SETCOLUMNWIDTH, 0, LVSCW_AUTOSIZE_USEHEADER);
  m.header = static_cast<int>(SendMessageA(helper, LVM_GETCOLUMNWIDTH, 0, 0)) - width;
  LVITEMA item = {};
  item.mask = LVIF_TEXT | LVIF_IMAGE;
  item.pszText = text;
  SendMessageA(helper, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
  item.mask = LVIF_TEXT;
  item.iSubItem = 1;
  SendMessageA(helper, LVM_SETITEMTEXTA, 0, reinterpret_cast<LPARAM>(&item));
  for (int c = 0; c < 2; ++c) {
    SendMessageA(helper, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(c), LVSCW_AUTOSIZE);
  }
  m.firstCell = static_cast<int>(SendMessageA(helper, LVM_GETCOLUMNWIDTH, 0, 0)) - width;
  m.cell = static_cast<int>(SendMessageA(helper, LVM_GETCOLUMNWIDTH, 1, 0)) - width;
  DestroyWindow(helper);
  return m;
}

}  // namespace

void Win32ListControl::LearnMargins() const {
  marginsKnown_ = true;
  const auto font = reinterpret_cast<HFONT>(SendMessageA(list_, WM_GETFONT, 0, 0));
  const auto images = reinterpret_cast<HIMAGELIST>(SendMessageA(list_, LVM_GETIMAGELIST, LVSIL_SMALL, 0));
  int imageWidth = 0, imageHeight = 0;
  if (images) ImageList_GetIconSize(images, &imageWidth, &imageHeight);
  std::vector<Margins>& known = KnownMargins();
  auto it = std::find_if(known.begin(), known.end(), [&](const Margins& m) {
    return m.font == font && m.imageWidth == imageWidth;
  });
  if (it == known.end()) {
    known.push_back(Learn(list_, font, images, imageWidth));
    it = known.end() - 1;
  }
  firstCellMargin_ = it->firstCell;
  cellMargin_ = it->cell;
  headerMargin_ = it->header;
}

int Win32ListControl::CellMargins(int column) const {
  if (!marginsKnown_) LearnMargins();
  return column == 0 ? firstCellMargin_ : cellMargin_;
}

int Win32ListControl::HeaderWidth(int column) const {
  if (!marginsKnown_) LearnMargins();
  HWND header = reinterpret_cast<HWND>(SendMessageA(list_, LVM_GETHEADER, 0, 0));
  if (!header) return 0;
  char text[260] = {};
  HDITEMA item = {};
  item.mask = HDI_TEXT;
  item.pszText = text;
  item.cchTextMax = sizeof(text);
  if (!SendMessageA(header, HDM_GETITEMA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item))) {
    return 0;
  }
  HDC dc = GetDC(header);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(header, WM_GETFONT, 0, 0)));
  SIZE size = {};
  GetTextExtentPoint32A(dc, text, lstrlenA(text), &size);
  const int arrow = MulDiv(20, GetDeviceCaps(dc, LOGPIXELSX), 96);
  SelectObject(dc, old);
  ReleaseDC(header, dc);
  return static_cast<int>(size.cx) + headerMargin_ + arrow;
}

int Win32ListControl::ItemCount() const {
  return static_cast<int>(SendMessageA(list_, LVM_GETITEMCOUNT, 0, 0));
}

int Win32ListControl::InsertItem(int index, const std::string& text, int image, ItemData data) {
  LVITEMA item = {};
  item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM | LVIF_STATE;
  item.iItem = index;
  item.pszText = const_cast<char*>(text.c_str());
  item.iImage = image;
  item.lParam = static_cast<LPARAM>(data);
  item.state = INDEXTOSTATEIMAGEMASK(1);
  item.stateMask = LVIS_STATEIMAGEMASK;
  return static_cast<int>(SendMessageA(list_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

void Win32ListControl::SetItemText(int row, int column, const std::string& text) {
  LVITEMA item = {};
  item.iSubItem = column;
  item.pszText = const_cast<char*>(text.c_str());
  SendMessageA(list_, LVM_SETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

std::string Win32ListControl::ItemText(int row, int column) const {
  if (rows_) return row >= 0 && row < ItemCount() ? rows_->CellText(row, column) : std::string();
  std::vector<char> buffer(1024, '\0');
  LVITEMA item = {};
  item.iSubItem = column;
  item.pszText = buffer.data();
  item.cchTextMax = static_cast<int>(buffer.size());
  const LRESULT n = SendMessageA(list_, LVM_GETITEMTEXTA, static_cast<WPARAM>(row),
                                 reinterpret_cast<LPARAM>(&item));
  return std::string(buffer.data(), static_cast<std::size_t>(n > 0 ? n : 0));
}

ItemData Win32ListControl::GetItemData(int row) const {
  LVITEMA item = {};
  item.mask = LVIF_PARAM;
  item.iItem = row;
  if (!SendMessageA(list_, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) return 0;
  return static_cast<ItemData>(item.lParam);
}

int Win32ListControl::ItemImage(int row) const {
  if (rows_) return row >= 0 && row < ItemCount() ? rows_->RowImage(row) : -1;
  LVITEMA item = {};
  item.mask = LVIF_IMAGE;
  item.iItem = row;
  if (!SendMessageA(list_, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) return -1;
  return item.iImage;
}

bool Win32ListControl::DeleteItem(int row) {
  return SendMessageA(list_, LVM_DELETEITEM, static_cast<WPARAM>(row), 0) != FALSE;
}

void Win32ListControl::DeleteAllItems() { SendMessageA(list_, LVM_DELETEALLITEMS, 0, 0); }

int Win32ListControl::SelectedCount() const {
  return static_cast<int>(SendMessageA(list_, LVM_GETSELECTEDCOUNT, 0, 0));
}

int Win32ListControl::NextSelected(int after) const {
  return static_cast<int>(
      SendMessageA(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(after), MAKELPARAM(LVNI_SELECTED, 0)));
}

bool Win32ListControl::IsSelected(int row) const {
  return (SendMessageA(list_, LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_SELECTED) &
          LVIS_SELECTED) != 0;
}

void Win32ListControl::SetSelected(int row, bool selected) {
  LVITEMA item = {};
  item.stateMask = LVIS_SELECTED;
  item.state = selected ? LVIS_SELECTED : 0;
  SendMessageA(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

void Win32ListControl::SetFocusedRow(int row) {
  LVITEMA item = {};
  item.stateMask = LVIS_FOCUSED;
  item.state = LVIS_FOCUSED;
  SendMessageA(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

int Win32ListControl::FocusedRow() const {
  return static_cast<int>(
      SendMessageA(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), MAKELPARAM(LVNI_FOCUSED, 0)));
}

void Win32ListControl::TakeFocus() { SetFocus(list_); }

void Win32ListControl::EnsureVisible(int row) {
  SendMessageA(list_, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
}

namespace {
int CALLBACK CompareRows(LPARAM a, LPARAM b, LPARAM sort) {
  const auto* compare = reinterpret_cast<const ListControl::Compare*>(sort);
  return (*compare)(static_cast<ItemData>(a), static_cast<ItemData>(b));
}
}  // namespace

void Win32ListControl::SortItems(const Compare& compare) {
  SendMessageA(list_, LVM_SORTITEMS, reinterpret_cast<WPARAM>(&compare),
               reinterpret_cast<LPARAM>(&CompareRows));
}

void Win32ListControl::SetSortIndicator(int column, bool ascending) {
  HWND header = reinterpret_cast<HWND>(SendMessageA(list_, LVM_GETHEADER, 0, 0));
  if (!header) return;
  const int count = static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    HDITEMA item = {};
    item.mask = HDI_FORMAT;
    if (!SendMessageA(header, HDM_GETITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item))) {
      continue;
    }
    const int wanted = i != column ? 0 : ascending ? HDF_SORTUP : HDF_SORTDOWN;
    const int format = (item.fmt & ~(HDF_SORTUP | HDF_SORTDOWN)) | wanted;
    if (format == item.fmt) continue;
    item.fmt = format;
    SendMessageA(header, HDM_SETITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
  }
}

void Win32ListControl::SetRowCount(int count) {
  LVITEMA item = {};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageA(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
  SendMessageA(list_, LVM_SETITEMCOUNT, static_cast<WPARAM>(count > 0 ? count : 0), 0);
  InvalidateRect(list_, nullptr, TRUE);
}

void Win32ListControl::RedrawRows() { InvalidateRect(list_, nullptr, TRUE); }

bool Win32ListControl::AnswerDisplayInfo(NMLVDISPINFOA* info) const {
  if (!rows_) return false;
  LVITEMA& item = info->item;
  if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0) {
    const std::string text = rows_->CellText(item.iItem, item.iSubItem);
    const std::size_t n = text.size() < static_cast<std::size_t>(item.cchTextMax - 1)
                              ? text.size()
                              : static_cast<std::size_t>(item.cchTextMax - 1);
    text.copy(item.pszText, n);
    item.pszText[n] = '\0';
  }
  if (item.mask & LVIF_IMAGE) item.iImage = rows_->RowImage(item.iItem);
  return true;
}

LRESULT Win32ListControl::FindRow(const NMLVFINDITEMA& find) const {
  const LVFINDINFOA& info = find.lvfi;
  if (!info.psz) return -1;
  return FindRow(info.flags, info.psz, find.iStart);
}

LRESULT Win32ListControl::FindRow(const NMLVFINDITEMW& find) const {
  const LVFINDINFOW& info = find.lvfi;
  if (!info.psz) return -1;
  const int n = WideCharToMultiByte(CP_ACP, 0, info.psz, -1, nullptr, 0, nullptr, nullptr);
  if (n <= 0) return -1;
  std::string wanted(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_ACP, 0, info.psz, -1, &wanted[0], n, nullptr, nullptr);
  wanted.resize(static_cast<std::size_t>(n - 1));
  return FindRow(info.flags, wanted, find.iStart);
}

LRESULT Win32ListControl::FindRow(UINT flags, const std::string& wanted, int from) const {
  const int count = ItemCount();
  if (!rows_ || count == 0 || !(flags & (LVFI_STRING | LVFI_PARTIAL))) return -1;
  const int start = from >= 0 && from < count ? from : 0;
  const int tries = (flags & LVFI_WRAP) ? count : count - start;
  for (int i = 0; i < tries; ++i) {
    const int row = (start + i) % count;
    const std::string text = rows_->CellText(row, 0);
    const bool partial = (flags & LVFI_PARTIAL) != 0;
    if (partial ? text.size() < wanted.size() : text.size() != wanted.size()) continue;
    if (CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, text.c_str(),
                       static_cast<int>(wanted.size()), wanted.c_str(),
                       static_cast<int>(wanted.size())) == CSTR_EQUAL) {
      return row;
    }
  }
  return -1;
}

namespace {
// What one cell draws at most: a column is never wide enough for more, and
// DrawText stays quick with texts of any length.
constexpr std::size_t kDrawnBytes = 512;
}  // namespace

void Win32ListControl::DrawRow(const DRAWITEMSTRUCT& draw) const {
  if (!rows_) return;
  const int row = static_cast<int>(draw.itemID);
  HDC dc = draw.hDC;
  const bool highlighted = (draw.itemState & ODS_SELECTED) != 0;
  FillRect(dc, &draw.rcItem, GetSysColorBrush(highlighted ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  HFONT font = reinterpret_cast<HFONT>(SendMessageA(list_, WM_GETFONT, 0, 0));
  HGDIOBJ oldFont = font ? SelectObject(dc, font) : nullptr;
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  const COLORREF normal = GetSysColor(highlighted ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
  int left = draw.rcItem.left;
  const int columns = ColumnCount();
  for (int column = 0; column < columns; ++column) {
    const int width = ColumnWidth(column);
    RECT cell = {left + 4, draw.rcItem.top, left + width - 2, draw.rcItem.bottom};
    left += width;
    if (cell.right <= cell.left) continue;
    Colour colour = 0;
    SetTextColor(dc, rows_->CellColour(row, column, highlighted, &colour)
                         ? static_cast<COLORREF>(colour)
                         : normal);
    std::string text = rows_->CellText(row, column);
    if (text.size() > kDrawnBytes) text.resize(kDrawnBytes);
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &cell,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
  }
  SetBkMode(dc, oldMode);
  if (oldFont) SelectObject(dc, oldFont);
  if ((draw.itemState & ODS_FOCUS) && GetFocus() == list_) DrawFocusRect(dc, &draw.rcItem);
}

bool Win32ListControl::TranslateNotify(const NMHDR* header, ListEvent* event) {
  switch (header->code) {
    case NM_CLICK:
      event->kind = ListEventKind::kClick;
      event->row = reinterpret_cast<const NMITEMACTIVATE*>(header)->iItem;
      return true;
    case NM_DBLCLK:
      event->kind = ListEventKind::kDoubleClick;
      event->row = reinterpret_cast<const NMITEMACTIVATE*>(header)->iItem;
      return true;
    case NM_SETFOCUS:
      event->kind = ListEventKind::kFocus;
      return true;
    case LVN_ITEMCHANGED: {
      const auto* change = reinterpret_cast<const NMLISTVIEW*>(header);
      if (!(change->uChanged & LVIF_STATE)) return false;
      if (((change->uOldState ^ change->uNewState) & LVIS_SELECTED) == 0) return false;
      event->kind = ListEventKind::kSelectionChanged;
      event->row = change->iItem;
      return true;
    }
    case LVN_ODSTATECHANGED: {
      // A range of rows kept by the owner changed state (shift-click).
      const auto* change = reinterpret_cast<const NMLVODSTATECHANGE*>(header);
      if (((change->uOldState ^ change->uNewState) & LVIS_SELECTED) == 0) return false;
      event->kind = ListEventKind::kSelectionChanged;
      event->row = change->iFrom;
      return true;
    }
    case LVN_COLUMNCLICK:
      event->kind = ListEventKind::kColumnClick;
      event->column = reinterpret_cast<const NMLISTVIEW*>(header)->iSubItem;
      return true;
    default:
      return false;
  }
}

}  // namespace ui
