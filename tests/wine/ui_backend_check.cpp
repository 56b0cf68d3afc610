// The Windows backends of platform/ui on real windows: a dialog from a
// template driven through ui::Dialog, and its report list. Needs a display,
// so tests/wine/faxbook_test.sh runs it on its Xvfb.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/ui/dialog.h"
#include "platform/win32/win32_dialog.h"
#include "platform/win32/win32_ui_services.h"

namespace {

constexpr int kEdit = 1001;
constexpr int kChoice = 1002;
constexpr int kList = 1003;
constexpr int kLabel = 1004;
constexpr int kButton = 1005;

// Does its work when shown and ends itself; records what the controls said.
class ProbeDialog : public ui::Dialog {
 public:
  ProbeDialog() : Dialog(900) {}

  void OnInit() override {
    SetTitle("Probe dialog");
    SetTextLimit(kEdit, 5);
    SetItemText(kEdit, "abc");
    for (const char* c : {"none", "one", "two"}) AddChoice(kChoice, c);
    SelectChoice(kChoice, 1);
    EnableItem(kButton, false);
    SetTextColour(kEdit, ui::Rgb(255, 0, 0));
    ui::ListControl* list = List(kList);
    listFound = list != nullptr;
    noList = List(kEdit) == nullptr;
    if (!list) return;
    list->SetFullRowSelect(true);
    list->AddColumn("Name", 80);
    list->AddColumn("Fax", 80);
    const char* names[] = {"delta", "alpha", "charlie", "bravo"};
    for (int i = 0; i < 4; ++i) {
      const int row = list->InsertItem(0, names[i], i % 2, 100 + i);
      list->SetItemText(row, 1, std::to_string(i));
    }
  }

  void OnShown() override {
    shown = true;
    text = ItemText(kEdit);
    choice = SelectedChoice(kChoice);
    buttonEnabled = IsItemEnabled(kButton);
    label = ItemText(kLabel);
    ui::ListControl* list = List(kList);
    if (list) {
      columns = list->ColumnCount();
      // Sorted by the item data's order of names.
      list->SortItems([list](ui::ItemData a, ui::ItemData b) {
        const char* names[] = {"delta", "alpha", "charlie", "bravo"};
        return std::string(names[a - 100]).compare(names[b - 100]);
      });
      for (int r = 0; r < list->ItemCount(); ++r) order.push_back(list->ItemText(r, 0));
      list->SetSelected(1, true);
      list->SetSelected(3, true);
      selected = list->SelectedCount();
      firstSelected = list->NextSelected(-1);
      secondSelected = list->NextSelected(firstSelected);
      image = list->ItemImage(0);
      data = list->GetItemData(0);
      list->SetSingleSelection(true);
      list->SetSelected(2, true);
      selectedAfterSingle = list->SelectedCount();
      list->DeleteItem(0);
      afterDelete = list->ItemCount();
    }
    FocusItem(kEdit);
    End(ui::kIdOk);
  }

  void OnCommand(int id, int code) override {
    if (id == kEdit && code == ui::kEditChanged) ++editChanges;
    Dialog::OnCommand(id, code);
  }

  bool listFound = false, noList = false, shown = false, buttonEnabled = true;
  std::string text, label;
  int choice = -1, columns = 0, selected = 0, firstSelected = -1, secondSelected = -1;
  int image = -1, selectedAfterSingle = 0, afterDelete = 0, editChanges = 0;
  ui::ItemData data = 0;
  std::vector<std::string> order;
};

TEST(UiBackend, ADialogFromItsTemplateRunsThroughTheDialogClass) {
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_LISTVIEW_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  ui::Win32Resources resources(GetModuleHandleA(nullptr));
  ui::Win32DialogRunner runner(&resources);
  ProbeDialog probe;
  EXPECT_EQ(runner.RunModal(probe), ui::kIdOk);
  EXPECT_TRUE(probe.shown);
  EXPECT_TRUE(probe.listFound);
  EXPECT_TRUE(probe.noList);
  EXPECT_EQ(probe.text, "abc");
  EXPECT_GE(probe.editChanges, 1);
  EXPECT_EQ(probe.choice, 1);
  EXPECT_FALSE(probe.buttonEnabled);
  EXPECT_EQ(probe.label, "Label");
  EXPECT_EQ(probe.columns, 2);
  EXPECT_EQ(probe.order, (std::vector<std::string>{"alpha", "bravo", "charlie", "delta"}));
  EXPECT_EQ(probe.selected, 2);
  EXPECT_EQ(probe.firstSelected, 1);
  EXPECT_EQ(probe.secondSelected, 3);
  EXPECT_EQ(probe.image, 1);
  EXPECT_EQ(probe.data, 101);
  EXPECT_EQ(probe.selectedAfterSingle, 1);
  EXPECT_EQ(probe.afterDelete, 3);
}

// Keeps 1000 rows for its list and counts how often the list asked to draw.
class RowsProbeDialog : public ui::Dialog, private ui::ListRows {
 public:
  RowsProbeDialog() : Dialog(902) {}

  void OnInit() override {
    list = List(kList);
    if (!list) return;
    list->AddColumn("Mark", 40);
    list->AddColumn("Row", 120);
    list->SetRowSource(this);
    list->SetRowCount(1000);
    for (const char* c : {"first", "second"}) AddChoice(kChoice, c);
    SelectChoice(kChoice, 1);
  }

  void OnShown() override {
    HWND dialog = FindWindowA(nullptr, "Rows probe");
    HWND control = GetDlgItem(dialog, kList);
    count = list->ItemCount();
    text = list->ItemText(123, 1);
    // What other programs (and accessibility tools) read: the list asks the
    // dialog for the text.
    char buffer[64] = {};
    LVITEMA item = {};
    item.iSubItem = 1;
    item.pszText = buffer;
    item.cchTextMax = sizeof(buffer);
    SendMessageA(control, LVM_GETITEMTEXTA, 456, reinterpret_cast<LPARAM>(&item));
    askedText = buffer;
    list->SetSelected(7, true);
    list->SetSelected(5, true);
    selected = list->SelectedCount();
    firstSelected = list->NextSelected(-1);
    secondSelected = list->NextSelected(firstSelected);
    // Every row at once, as Ctrl+A or a shift-click selects them.
    selectionEvents = 0;
    LVITEMA all = {};
    all.stateMask = LVIS_SELECTED;
    all.state = LVIS_SELECTED;
    SendMessageA(control, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&all));
    allSelected = list->SelectedCount();
    list->SetRowCount(10);
    afterCount = list->ItemCount();
    selectedAfterCount = list->SelectedCount();
    InvalidateRect(control, nullptr, TRUE);
    UpdateWindow(control);
    // A key typed into the combo box's edit part.
    HWND edit = FindWindowExA(GetDlgItem(dialog, kChoice), nullptr, "Edit", nullptr);
    if (edit) SendMessageA(edit, WM_CHAR, 'x', 0);
    End(ui::kIdOk);
  }

  void OnCommand(int id, int code) override {
    if (id == kChoice && code == ui::kComboEditChanged) ++comboTyped;
    Dialog::OnCommand(id, code);
  }
  void OnListEvent(int, const ui::ListEvent& event) override {
    if (event.kind == ui::ListEventKind::kSelectionChanged) ++selectionEvents;
  }

  std::string CellText(int row, int column) const override {
    return column == 0 ? "!" : "row " + std::to_string(row);
  }
  bool CellColour(int, int column, bool, ui::Colour* colour) const override {
    ++colourAsked;
    if (column != 0) return false;
    *colour = ui::Rgb(255, 0, 0);
    return true;
  }

  ui::ListControl* list = nullptr;
  int count = 0, selected = 0, firstSelected = -1, secondSelected = -1, allSelected = 0;
  int afterCount = 0, selectedAfterCount = -1, selectionEvents = 0, comboTyped = 0;
  mutable int colourAsked = 0;
  std::string text, askedText;
};

TEST(UiBackend, AListOfRowsTheDialogKeepsShowsAndSelectsThem) {
  ui::Win32Resources resources(GetModuleHandleA(nullptr));
  ui::Win32DialogRunner runner(&resources);
  RowsProbeDialog probe;
  EXPECT_EQ(runner.RunModal(probe), ui::kIdOk);
  ASSERT_NE(probe.list, nullptr);
  EXPECT_EQ(probe.count, 1000);
  EXPECT_EQ(probe.text, "row 123");
  EXPECT_EQ(probe.askedText, "row 456");
  EXPECT_EQ(probe.selected, 2);
  EXPECT_EQ(probe.firstSelected, 5);
  EXPECT_EQ(probe.secondSelected, 7);
  EXPECT_EQ(probe.allSelected, 1000);
  EXPECT_GE(probe.selectionEvents, 1) << "the dialog hears of a selection of every row";
  EXPECT_EQ(probe.afterCount, 10);
  EXPECT_EQ(probe.selectedAfterCount, 0);
  EXPECT_GT(probe.colourAsked, 0) << "the owner-drawn rows were drawn by the backend";
  EXPECT_EQ(probe.comboTyped, 1);
}

// Measures texts as the list measures them, and compares the room a column
// needs by the backend's measure with what the list itself makes of the
// same rows when asked to size the column to them.
class MeasureProbeDialog : public ui::Dialog {
 public:
  MeasureProbeDialog() : Dialog(900) {}

  void OnShown() override {
    ui::ListControl* list = List(kList);
    HWND control = GetDlgItem(FindWindowA(nullptr, "Probe"), kList);
    if (!list || !control) return End(ui::kIdOk);
    list->AddColumn("FAX", 40);
    list->AddColumn("\x83\x74\x83\x8A\x83\x4B\x83\x69", 40);  // a Japanese header
    list->SetSmallBitmaps({});
    const std::vector<std::string> texts = {"048-641-2222", "\x96\xBC\x8E\x8F \xB1\xB2",
                                            "00000000000000000000000000000000", "W"};
    for (const std::string& t : texts) {
      int sum = 0;
      for (std::size_t i = 0; i < t.size();) {
        const std::size_t n = IsDBCSLeadByte(static_cast<BYTE>(t[i])) && i + 1 < t.size() ? 2 : 1;
        sum += list->TextWidth(t.substr(i, n));
        i += n;
      }
      sumsMatch = sumsMatch && sum == list->TextWidth(t);
      const int row = list->InsertItem(list->ItemCount(), t, 0, 0);
      list->SetItemText(row, 1, t);
    }
    for (int c = 0; c < 2; ++c) {
      int widest = 0;
      for (const std::string& t : texts) widest = std::max(widest, list->TextWidth(t));
      needed[c] = widest + list->CellMargins(c);
      SendMessageA(control, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(c), LVSCW_AUTOSIZE);
      sized[c] = static_cast<int>(SendMessageA(control, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(c), 0));
      header[c] = list->HeaderWidth(c);
    }
    list->DeleteAllItems();
    SendMessageA(control, LVM_SETCOLUMNWIDTH, 1, LVSCW_AUTOSIZE_USEHEADER);
    headerSized = static_cast<int>(SendMessageA(control, LVM_GETCOLUMNWIDTH, 1, 0));
    End(ui::kIdOk);
  }

  bool sumsMatch = true;
  int needed[2] = {}, sized[2] = {}, header[2] = {};
  int headerSized = 0;
};

TEST(UiBackend, ListsMeasureTextsAsTheSystemSizesColumns) {
  ui::Win32Resources resources(GetModuleHandleA(nullptr));
  ui::Win32DialogRunner runner(&resources);
  MeasureProbeDialog probe;
  EXPECT_EQ(runner.RunModal(probe), ui::kIdOk);
  EXPECT_TRUE(probe.sumsMatch) << "a text is as wide as its characters";
  for (int c = 0; c < 2; ++c) {
    EXPECT_GT(probe.sized[c], 0) << c;
    EXPECT_EQ(probe.needed[c], probe.sized[c]) << c;
  }
  // The last column sized to its header takes what is left of the list:
  // at least what the header needs without the sort arrow.
  EXPECT_GE(probe.headerSized, probe.header[1] - 20);
  EXPECT_GT(probe.header[1], probe.header[0]);
}

TEST(UiBackend, AMissingTemplateRunsNothing) {
  ui::Win32Resources resources(GetModuleHandleA(nullptr));
  ui::Win32DialogRunner runner(&resources);
  ui::Dialog missing(901);
  EXPECT_EQ(runner.RunModal(missing), -1);
}

TEST(UiBackend, StringsComeFromTheResourceSourceAndMissingOnesAreEmpty) {
  ui::Win32Resources resources(GetModuleHandleA(nullptr));
  EXPECT_EQ(resources.String(12345), "");
  EXPECT_FALSE(resources.UseLanguageLibrary("no-such-library.dll"));
  EXPECT_TRUE(resources.UseLanguageLibrary("comctl32.dll"));
  EXPECT_EQ(resources.String(12345), "");
}

}  // namespace
