// ListControl over a list-view control in report mode.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "platform/ui/list_control.h"
#include "platform/win32/win32_ui_services.h"

namespace ui {

class Win32ListControl : public ListControl {
 public:
  // The icons of SetSmallIcons come from `resources`.
  Win32ListControl(HWND list, Win32Resources* resources);
  ~Win32ListControl() override;
  Win32ListControl(const Win32ListControl&) = delete;
  Win32ListControl& operator=(const Win32ListControl&) = delete;

  HWND Handle() const { return list_; }

  int ClientWidth() const override;
  void SetFullRowSelect(bool on) override;
  void SetSingleSelection(bool on) override;
  void SetSmallIcons(const std::vector<int>& iconIds) override;
  void SetSmallBitmaps(const std::vector<int>& bitmapIds) override;
  void SetFont(FontHandle font) override;
  bool HasVerticalScrollBar() const override;
  void SetRedraw(bool on) override;

  void AddColumn(const std::string& header, int width) override;
  int ColumnCount() const override;
  int ColumnWidth(int column) const override;
  void SetColumnWidth(int column, int width) override;

  // LVM_GETSTRINGWIDTHA.
  int TextWidth(const std::string& text) const override;
  // The margins are learnt from the system, once for each font and image
  // size: a hidden list of the same font and images sizes two columns to a
  // text (LVSCW_AUTOSIZE) and to a header (LVSCW_AUTOSIZE_USEHEADER), and
  // what it adds to the text's width is the margin. The header's sort
  // arrow takes 20 pixels more (at 96 dots an inch), as the header draws
  // it.
  int CellMargins(int column) const override;
  int HeaderWidth(int column) const override;

  int ItemCount() const override;
  int InsertItem(int index, const std::string& text, int image, ItemData data) override;
  void SetItemText(int row, int column, const std::string& text) override;
  std::string ItemText(int row, int column) const override;
  ItemData GetItemData(int row) const override;
  int ItemImage(int row) const override;
  bool DeleteItem(int row) override;
  void DeleteAllItems() override;

  int SelectedCount() const override;
  int NextSelected(int after) const override;
  bool IsSelected(int row) const override;
  void SetSelected(int row, bool selected) override;
  void SetFocusedRow(int row) override;
  int FocusedRow() const override;
  void TakeFocus() override;
  void EnsureVisible(int row) override;
  void SortItems(const Compare& compare) override;
  void SetSortIndicator(int column, bool ascending) override;

  void SetRowSource(const ListRows* rows) override { rows_ = rows; }
  void SetRowCount(int count) override;
  void RedrawRows() override;

  // Turns a list-view notification into a list event; false for the
  // notifications the owner does not hear about.
  static bool TranslateNotify(const NMHDR* header, ListEvent* event);

  // For a list of rows kept by the owner: answers LVN_GETDISPINFOA (true
  // when it did) and draws one row of an owner-drawn list (WM_DRAWITEM).
  bool AnswerDisplayInfo(NMLVDISPINFOA* info) const;
  // Typing in a list of rows the owner keeps: the row whose first column
  // starts with the typed text (ignoring case), looked for from the row the
  // list names on, around to the top when it asks so; -1 when none does.
  LRESULT FindRow(const NMLVFINDITEMA& find) const;
  // The same for the list that asks in UTF-16 (as Wine's lists of rows the
  // owner keeps ask), the text taken into the ANSI code page.
  LRESULT FindRow(const NMLVFINDITEMW& find) const;
  // Whether the owner's rows want typing to find a row.
  bool FindsTypedText() const { return rows_ && rows_->FindsTypedText(); }
  void DrawRow(const DRAWITEMSTRUCT& draw) const;

 private:
  HWND list_;
  Win32Resources* resources_;
  HIMAGELIST images_ = nullptr;
  HFONT templateFont_ = nullptr;

  void UseImages(HIMAGELIST images);
  void LearnMargins() const;
  LRESULT FindRow(UINT flags, const std::string& wanted, int from) const;
  const ListRows* rows_ = nullptr;
  // The system's margins, once learnt (for the images and font in use then).
  mutable bool marginsKnown_ = false;
  mutable int firstCellMargin_ = 0;
  mutable int cellMargin_ = 0;
  mutable int headerMargin_ = 0;
};

}  // namespace ui
