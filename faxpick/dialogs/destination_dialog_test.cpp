// The destination dialog on the in-memory backends: a user's steps from
// start to OK or Cancel, and what reaches the exchange file.
#include "faxpick/dialogs/destination_dialog.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "faxpick/dialogs/column_fit.h"
#include "faxpick/exchange/exchange_file.h"
#include "tests/support/picker_harness.h"
#include "faxpick/res/resource.h"

namespace picker {
namespace {

using Texts = std::vector<std::string>;

// Readings: ABE < abe < ｷﾀ < ｾﾞﾝﾃﾝ < ﾐﾅﾐ (bytes 41, 61, B7, BE, D0).
const char kKita[] = "\xB7\xC0";
const char kZenten[] = "\xBE\xDE\xDD\xC3\xDD";
const char kMinami[] = "\xD0\xC5\xD0";
const char kHigashi[] = "\xCB\xB6\xDE\xBC";

std::vector<std::string> StandardBook() {
  return {std::string("[FAX_ADDR]=1,1,Kita,") + kKita + ",03-111,,,Kita Co,Sales,Taro,1",
          std::string("[FAX_ADDR]=1,2,Minami,") + kMinami + ",06-333,,,minami co,,Hanako,2",
          std::string("[FAX_ADDR]=3,3,Zenten,") + kZenten + ",",
          std::string("[FAX_ADDR_GM]=4,3,Kita,") + kKita + ",03-111,,,Kita Co,Sales,Taro,1",
          std::string("[FAX_ADDR_GM]=4,3,Higashi,") + kHigashi + ",07-111,,,East,,Ken,0",
          "[FAX_ADDR]=1,4,abe,abe,011,,,Abe Ltd,,,0",
          "[FAX_ADDR]=1,5,Abe,ABE,012,,,abe ltd,,,3"};
}

// The exchange file listing these (fax, name) destinations.
std::string Exchange(int itemNum, int total, const std::vector<std::pair<std::string, std::string>>& items) {
  Texts lines = {"[BASE_INFO]", "ItemNum=" + std::to_string(itemNum),
                 "ItemNumTotal=" + std::to_string(total)};
  for (std::size_t i = 0; i < items.size(); ++i) {
    for (const std::string& line :
         Texts{"[" + ItemSectionName(static_cast<int>(i)) + "]", "FaxNumber=" + items[i].first,
               "SubAddress=", "Password=", "CompanyName=", "DepartmentName=", "ClientName=",
               "Respect=", "DispName=" + items[i].second, "DispNameJP=" + items[i].second}) {
      lines.push_back(line);
    }
  }
  return Lines(lines);
}

class DestinationDialogTest : public ::testing::Test {
 protected:
  void SetUp() override { h.SetPersonalBook(StandardBook()); }
  ui::FakeListControl& L(ui::FakeDialog& d, int id) { return d.FakeList(id); }
  // Selects the full list's rows whose first column reads so.
  void Select(ui::FakeDialog& d, int list, const Texts& names) {
    std::vector<int> rows;
    const Texts column = L(d, list).ColumnTexts(0);
    for (const std::string& n : names) {
      for (std::size_t r = 0; r < column.size(); ++r) {
        if (column[r] == n) rows.push_back(static_cast<int>(r));
      }
    }
    L(d, list).SelectOnly(rows);
  }
  std::string Read(const std::string& section, const std::string& key) {
    return h.ini.ReadString(h.ExchangePath(), section, key, "-", 255);
  }
  PickerHarness h;
};

TEST_F(DestinationDialogTest, StartsWithTheBookTheReadBackListAndTheControlsSet) {
  h.files.SetFile(h.ExchangePath(), Exchange(1, 3, {{"099", "Old"}}));
  h.Run([&](ui::FakeDialog& d) {
    EXPECT_EQ(d.IconId(), IDI_PICKER);
    EXPECT_TRUE(d.NotTopmost());
    EXPECT_TRUE(d.IsItemChecked(IDC_BY_NAME));
    EXPECT_TRUE(d.IsItemChecked(IDC_PERSONAL));
    EXPECT_FALSE(d.IsItemChecked(IDC_SHARED));
    EXPECT_TRUE(d.IsShown(IDC_FULL_LIST));
    EXPECT_FALSE(d.IsShown(IDC_RESULT_LIST_A));
    EXPECT_FALSE(d.IsShown(IDC_RESULT_LIST_B));
    EXPECT_FALSE(d.IsShown(IDC_DETAILS));
    EXPECT_FALSE(d.IsItemEnabled(IDC_REGISTER));
    EXPECT_FALSE(d.IsItemEnabled(IDC_SHOW_ALL));
    EXPECT_FALSE(d.IsItemEnabled(IDC_DELETE));
    EXPECT_TRUE(d.IsItemEnabled(IDC_DELETE_ALL));
    EXPECT_EQ(d.TextLimit(IDC_SEARCH_TEXT), 64);
    EXPECT_EQ(d.ItemText(IDC_COUNTER), "1 registered, 77 free");
    ui::FakeListControl& full = L(d, IDC_FULL_LIST);
    EXPECT_EQ(full.ColumnTexts(0), (Texts{"Abe", "abe", "Kita", "Zenten", "Minami"}));
    EXPECT_EQ(full.Row(2), (Texts{"Kita", kKita, "03-111", "Kita Co", "Sales", "Taro SAMA"}));
    EXPECT_EQ(full.Row(3), (Texts{"Zenten", kZenten, "", "", "", ""}));
    EXPECT_EQ(full.Row(1).back(), "  ");  // code 0: the recipient, a blank, a blank honorific
    EXPECT_EQ(full.ItemImage(3), 1);
    EXPECT_EQ(full.ItemImage(2), 0);
    EXPECT_EQ(full.SmallBitmaps(), (std::vector<int>{IDB_ADDRESS, IDB_GROUP}));
    EXPECT_TRUE(full.FullRowSelect());
    EXPECT_EQ(L(d, IDC_SEND_LIST).Row(0), (Texts{"099", "", "", " "}));
    d.Click(ui::kIdCancel);
  });
}

TEST_F(DestinationDialogTest, ColumnsFollowTheInterfaceLanguage) {
  struct Case {
    const char* locale;
    Texts headers;
    std::vector<int> widths;
    std::vector<int> sendWidths;
    Texts kitaRow;
  };
  // The Part's widths where the content fits them; the reading's header
  // needs more than its 50 (the headers here are five bytes, 61 pixels
  // with the arrow's room).
  const Case cases[] = {
      {"0411",
       {"[106]", "[116]", "[107]", "[108]", "[109]", "[110]"},
       {90, 61, 80, 80, 80, 80},
       {90, 90, 90, 90},
       {"Kita", kKita, "03-111", "Kita Co", "Sales", "Taro SAMA"}},
      {"040c",
       {"E[106]", "E[107]", "E[108]", "E[109]", "E[110]"},
       {120, 120, 120, 120, 120},
       {120, 120, 120, 120},
       {kKita, "03-111", "Kita Co", "Sales", "Taro "}},
  };
  for (const Case& c : cases) {
    PickerHarness h2;
    h2.locale.language = c.locale;
    h2.SetPersonalBook(StandardBook());
    h2.Run([&](ui::FakeDialog& d) {
      for (int id : {IDC_FULL_LIST, IDC_RESULT_LIST_A, IDC_RESULT_LIST_B}) {
        ui::FakeListControl& list = d.FakeList(id);
        ASSERT_EQ(list.ColumnCount(), static_cast<int>(c.headers.size())) << c.locale;
        for (int col = 0; col < list.ColumnCount(); ++col) {
          EXPECT_EQ(list.Header(col), c.headers[static_cast<std::size_t>(col)]) << c.locale;
          EXPECT_EQ(list.ColumnWidth(col), c.widths[static_cast<std::size_t>(col)]) << c.locale;
        }
      }
      ui::FakeListControl& send = d.FakeList(IDC_SEND_LIST);
      for (int col = 0; col < send.ColumnCount(); ++col) {
        EXPECT_EQ(send.ColumnWidth(col), c.sendWidths[static_cast<std::size_t>(col)]) << c.locale;
      }
      EXPECT_EQ(d.FakeList(IDC_FULL_LIST).Row(2), c.kitaRow) << c.locale;
      d.Click(ui::kIdCancel);
    });
  }
}

// Widths the columns need: their widest cell (six pixels a byte on the
// fake, with its margins) or their header, whichever is wider.
std::vector<ColumnNeed> NeedsOf(const ui::FakeListControl& list, const std::vector<int>& initial,
                                const std::vector<int>& ranks) {
  std::vector<ColumnNeed> needs;
  for (int c = 0; c < list.ColumnCount(); ++c) {
    ColumnNeed n;
    n.initial = initial[static_cast<std::size_t>(c)];
    n.rank = ranks[static_cast<std::size_t>(c)];
    n.header = n.content = list.HeaderWidth(c);
    for (int r = 0; r < list.ItemCount(); ++r) {
      n.content = std::max(n.content, list.TextWidth(list.ItemText(r, c)) + list.CellMargins(c));
    }
    needs.push_back(n);
  }
  return needs;
}

std::vector<int> WidthsOf(const ui::FakeListControl& list) {
  std::vector<int> widths;
  for (int c = 0; c < list.ColumnCount(); ++c) widths.push_back(list.ColumnWidth(c));
  return widths;
}

const std::vector<int> kJapaneseWidths = {90, 50, 80, 80, 80, 80};
const std::vector<int> kJapaneseRanks = {1, 2, 0, 3, 3, 2};

// The columns fit their content within the list: a fax number longer than
// its column widens it where there is room; where there is not, the fax
// number is shown whole first, then the name, and no header is cut. The
// result lists take the full list's widths, and the send list fits its
// own rows as they come and go.
TEST_F(DestinationDialogTest, ColumnsFitTheirContentWithinTheList) {
  const std::string longCompany(60, 'c');
  struct Case {
    const char* what;
    int width;  // of the lists
    std::vector<std::string> book;
  };
  const Case cases[] = {
      {"room enough", 600,
       {std::string("[FAX_ADDR]=1,1,Kita,") + kKita + ",048-641-2222,,,Kita Co,Sales,Taro,1",
        "[FAX_ADDR]=1,2,Abe,ABE,03,,,Abe,,,0"}},
      {"a narrow list and long texts", 500,
       {std::string("[FAX_ADDR]=1,1,Kita,") + kKita + ",048-641-2222-0000,,," + longCompany + "," +
            longCompany + ",Taro,1",
        "[FAX_ADDR]=1,2,Abe,ABE,03,,,Abe,,,0"}},
  };
  for (const Case& c : cases) {
    PickerHarness run;
    run.SetPersonalBook(c.book);
    for (int id : {IDC_FULL_LIST, IDC_RESULT_LIST_A, IDC_RESULT_LIST_B, IDC_SEND_LIST}) {
      run.dialogs.SetListSize(IDD_DESTINATION, id, c.width, 20);
    }
    run.Run([&](ui::FakeDialog& d) {
      ui::FakeListControl& full = d.FakeList(IDC_FULL_LIST);
      const std::vector<ColumnNeed> needs = NeedsOf(full, kJapaneseWidths, kJapaneseRanks);
      const std::vector<int> widths = WidthsOf(full);
      EXPECT_EQ(widths, FitColumns(needs, c.width)) << c.what;
      EXPECT_GE(widths[2], needs[2].content) << c.what << ": the fax number whole";
      EXPECT_GE(widths[0], needs[0].content) << c.what << ": the name whole";
      int sum = 0;
      for (std::size_t col = 0; col < widths.size(); ++col) {
        EXPECT_GE(widths[col], needs[col].header) << c.what << " " << col;
        sum += widths[col];
      }
      EXPECT_LE(sum, c.width) << c.what;
      d.Type(IDC_SEARCH_TEXT, "K");
      EXPECT_EQ(WidthsOf(L(d, IDC_RESULT_LIST_A)), widths) << c.what;

      ui::FakeListControl& send = d.FakeList(IDC_SEND_LIST);
      EXPECT_EQ(WidthsOf(send), (std::vector<int>{90, 90, 90, 90})) << c.what;
      L(d, IDC_RESULT_LIST_A).SelectOnly({0});
      d.Click(IDC_REGISTER);
      const std::vector<ColumnNeed> sendNeeds = NeedsOf(send, {90, 90, 90, 90}, {0, 3, 3, 2});
      const std::vector<int> fitted = WidthsOf(send);
      EXPECT_EQ(fitted, FitColumns(sendNeeds, c.width)) << c.what;
      EXPECT_GE(fitted[0], sendNeeds[0].content) << c.what << ": the fax number whole";
      d.Click(IDC_DELETE_ALL);
      EXPECT_EQ(WidthsOf(send), (std::vector<int>{90, 90, 90, 90})) << c.what;
      d.Click(ui::kIdCancel);
    });
  }
}

// However many rows the book has and however long their texts, the widths
// are those its whole content asks for, though the measuring stops in a
// column once it needs all the room it can have.
TEST_F(DestinationDialogTest, ColumnsFitTheWholeBookThoughMeasuringStopsEarly) {
  std::vector<std::string> lines;
  unsigned seed = 7;
  auto next = [&seed](unsigned n) {
    seed = seed * 1103515245u + 12345u;
    return (seed >> 16) % n;
  };
  for (int i = 0; i < 300; ++i) {
    const std::string n = std::to_string(i);
    lines.push_back("[FAX_ADDR]=1," + n + ",N" + n + std::string(next(12), 'n') + ",R" + n + "," +
                    std::string(1 + next(30), '0') + ",,," + std::string(next(64), 'c') + "," +
                    std::string(next(64), 'd') + ",C" + std::string(next(18), 'x') + "," +
                    std::to_string(next(4)));
  }
  for (int width : {300, 500, 900, 2000}) {
    PickerHarness run;
    run.SetPersonalBook(lines);
    run.dialogs.SetListSize(IDD_DESTINATION, IDC_FULL_LIST, width, 20);
    run.Run([&](ui::FakeDialog& d) {
      ui::FakeListControl& full = d.FakeList(IDC_FULL_LIST);
      const int measured = full.Measured();
      EXPECT_EQ(WidthsOf(full),
                FitColumns(NeedsOf(full, kJapaneseWidths, kJapaneseRanks), full.ClientWidth()))
          << width;
      EXPECT_LT(measured, 300) << width << ": each character once";
      d.Click(ui::kIdCancel);
    });
  }
}

TEST_F(DestinationDialogTest, SearchesByNameOrCompanyIntoAlternatingResultLists) {
  h.Run([&](ui::FakeDialog& d) {
    d.Type(IDC_SEARCH_TEXT, "A");
    EXPECT_TRUE(d.IsShown(IDC_RESULT_LIST_A));
    EXPECT_FALSE(d.IsShown(IDC_FULL_LIST));
    EXPECT_TRUE(d.IsItemEnabled(IDC_SHOW_ALL));
    EXPECT_EQ(L(d, IDC_RESULT_LIST_A).ColumnTexts(0), (Texts{"Abe"}));  // not "abe"
    EXPECT_EQ(L(d, IDC_RESULT_LIST_A).Row(0), L(d, IDC_FULL_LIST).Row(0));

    d.Type(IDC_SEARCH_TEXT, "a");
    EXPECT_TRUE(d.IsShown(IDC_RESULT_LIST_B));
    EXPECT_FALSE(d.IsShown(IDC_RESULT_LIST_A));
    EXPECT_EQ(L(d, IDC_RESULT_LIST_B).ColumnTexts(0), (Texts{"abe"}));

    d.Type(IDC_SEARCH_TEXT, "\xB7");  // half-width katakana ki
    EXPECT_TRUE(d.IsShown(IDC_RESULT_LIST_A));
    EXPECT_TRUE(L(d, IDC_RESULT_LIST_A).ColumnTexts(0).empty());  // names, not readings

    d.ClickOption(IDC_BY_COMPANY, {IDC_BY_NAME, IDC_BY_COMPANY});
    EXPECT_TRUE(L(d, IDC_RESULT_LIST_B).ColumnTexts(0).empty());
    d.Type(IDC_SEARCH_TEXT, "Kita Co and more");
    EXPECT_TRUE(L(d, IDC_RESULT_LIST_A).ColumnTexts(0).empty());
    d.Type(IDC_SEARCH_TEXT, "abe");
    EXPECT_EQ(L(d, IDC_RESULT_LIST_B).ColumnTexts(0), (Texts{"Abe"}));  // company "abe ltd"
    EXPECT_EQ(L(d, IDC_RESULT_LIST_B).ItemImage(0), 0);

    d.Click(IDC_SHOW_ALL);
    EXPECT_EQ(d.ItemText(IDC_SEARCH_TEXT), "");
    EXPECT_TRUE(d.IsShown(IDC_FULL_LIST));
    EXPECT_FALSE(d.IsShown(IDC_RESULT_LIST_A));
    EXPECT_FALSE(d.IsShown(IDC_RESULT_LIST_B));
    EXPECT_FALSE(d.IsItemEnabled(IDC_SHOW_ALL));
    d.Click(ui::kIdCancel);
  });
}

TEST_F(DestinationDialogTest, SearchesTheCompanyColumnOfOtherLanguagesAndKeepsTheFullListsOrder) {
  h.locale.language = "0409";
  h.Run([&](ui::FakeDialog& d) {
    L(d, IDC_FULL_LIST).ClickHeader(2);  // company, ascending without case
    EXPECT_EQ(L(d, IDC_FULL_LIST).ColumnTexts(0), (Texts{kZenten, "ABE", "abe", kKita, kMinami}));
    d.ClickOption(IDC_BY_COMPANY, {IDC_BY_NAME, IDC_BY_COMPANY});
    d.Type(IDC_SEARCH_TEXT, "abe");
    EXPECT_EQ(L(d, IDC_RESULT_LIST_A).ColumnTexts(0), (Texts{"ABE"}));
    d.Type(IDC_SEARCH_TEXT, "");
    EXPECT_TRUE(d.IsShown(IDC_FULL_LIST));
    d.Click(ui::kIdCancel);
  });
}

TEST_F(DestinationDialogTest, SortClicksShareOneStateAcrossTheLists) {
  std::vector<std::string> book = StandardBook();
  book.push_back("[FAX_ADDR]=1,6,Kuma,\xB8\xCF,05,,,Kuma Co,,,0");
  h.SetPersonalBook(book);
  h.Run([&](ui::FakeDialog& d) {
    ui::FakeListControl& full = L(d, IDC_FULL_LIST);
    full.ClickHeader(0);  // the start counts as ascending on column 0
    EXPECT_EQ(full.ColumnTexts(0), (Texts{"Zenten", "Minami", "Kuma", "Kita", "Abe", "abe"}));
    full.ClickHeader(3);
    EXPECT_EQ(full.ColumnTexts(3), (Texts{"", "abe ltd", "Abe Ltd", "Kita Co", "Kuma Co", "minami co"}));
    full.ClickHeader(3);
    EXPECT_EQ(full.ColumnTexts(3), (Texts{"minami co", "Kuma Co", "Kita Co", "abe ltd", "Abe Ltd", ""}));
    // A search lists in the full list's order.
    d.Type(IDC_SEARCH_TEXT, "K");
    EXPECT_EQ(L(d, IDC_RESULT_LIST_A).ColumnTexts(0), (Texts{"Kuma", "Kita"}));
    d.Type(IDC_SEARCH_TEXT, "");
    full.ClickHeader(3);  // after descending: ascending again
    EXPECT_EQ(full.ColumnTexts(3).front(), "");
    d.Type(IDC_SEARCH_TEXT, "K");
    ui::FakeListControl& result = L(d, IDC_RESULT_LIST_A);
    EXPECT_EQ(result.ColumnTexts(0), (Texts{"Kita", "Kuma"}));
    // The result list's header continues the full list's state.
    result.ClickHeader(3);
    EXPECT_EQ(result.ColumnTexts(0), (Texts{"Kuma", "Kita"}));
    result.ClickHeader(1);
    EXPECT_EQ(result.ColumnTexts(0), (Texts{"Kita", "Kuma"}));
    d.Click(ui::kIdCancel);
  });
  EXPECT_GT(h.cursor.TimesShown(), 0);
  EXPECT_EQ(h.cursor.Depth(), 0);
}

// A sort moves the selected rows and the focused one with their entries:
// registering afterwards takes the entries that were selected, from the
// top in the new order, and the selection stays the one the user made.
TEST_F(DestinationDialogTest, TheSelectionFollowsItsRowsThroughASort) {
  h.Run([&](ui::FakeDialog& d) {
    ui::FakeListControl& full = L(d, IDC_FULL_LIST);
    Select(d, IDC_FULL_LIST, {"Abe", "Kita"});
    full.ClickHeader(3);  // company: "", abe ltd, Abe Ltd, Kita Co, minami co
    full.ClickHeader(3);  // descending
    EXPECT_EQ(full.ColumnTexts(0), (Texts{"Minami", "Kita", "Abe", "abe", "Zenten"}));
    EXPECT_EQ(full.SelectedCount(), 2);
    EXPECT_TRUE(full.IsSelected(1));
    EXPECT_TRUE(full.IsSelected(2));
    EXPECT_EQ(full.ItemText(full.FocusedRow(), 0), "Kita");
    EXPECT_TRUE(d.IsItemEnabled(IDC_REGISTER));
    d.Click(IDC_REGISTER);
    EXPECT_EQ(L(d, IDC_SEND_LIST).ColumnTexts(0), (Texts{"03-111", "012"}));
    d.Click(ui::kIdCancel);
  });
}

// The headers show the order the rows are in: the book's (by reading) at
// first and after a book switch, then what the clicks gave each list; a
// result list starts in the full list's order. The clicks keep their
// shared rule, so the first click on column 0 sorts descending even where
// the book is in the order of another column.
TEST_F(DestinationDialogTest, HeadersShowTheOrderOfTheirRows) {
  struct Case {
    const char* locale;
    Texts start;       // the book's order
    Texts firstClick;  // column 0
    Texts company;     // then the company column, ascending
    Texts companyDown;
  };
  const Case cases[] = {
      {"0411", {"-", "up", "-", "-", "-", "-"}, {"down", "-", "-", "-", "-", "-"},
       {"-", "-", "-", "up", "-", "-"}, {"-", "-", "-", "down", "-", "-"}},
      {"0409", {"up", "-", "-", "-", "-"}, {"down", "-", "-", "-", "-"},
       {"-", "-", "up", "-", "-"}, {"-", "-", "down", "-", "-"}},
  };
  for (const Case& c : cases) {
    PickerHarness run;
    run.SetPersonalBook(StandardBook());
    run.locale.language = c.locale;
    const int company = std::string(c.locale) == "0411" ? 3 : 2;
    run.Run([&](ui::FakeDialog& d) {
      ui::FakeListControl& full = L(d, IDC_FULL_LIST);
      EXPECT_EQ(full.SortArrows(), c.start) << c.locale;
      full.ClickHeader(0);
      EXPECT_EQ(full.SortArrows(), c.firstClick) << c.locale;
      full.ClickHeader(company);
      EXPECT_EQ(full.SortArrows(), c.company) << c.locale;
      d.Type(IDC_SEARCH_TEXT, "K");
      ui::FakeListControl& resultA = L(d, IDC_RESULT_LIST_A);
      EXPECT_EQ(resultA.SortArrows(), c.company) << c.locale;
      resultA.ClickHeader(company);
      EXPECT_EQ(resultA.SortArrows(), c.companyDown) << c.locale;
      // The next search fills the other result list in the full list's
      // order, which is still ascending.
      d.Type(IDC_SEARCH_TEXT, "Ki");
      EXPECT_EQ(L(d, IDC_RESULT_LIST_B).SortArrows(), c.company) << c.locale;
      d.Type(IDC_SEARCH_TEXT, "");
      EXPECT_EQ(full.SortArrows(), c.company) << c.locale;
      d.ClickOption(IDC_PERSONAL, {IDC_PERSONAL, IDC_SHARED});
      EXPECT_EQ(full.SortArrows(), c.start) << c.locale;
      EXPECT_EQ(L(d, IDC_SEND_LIST).SortArrows(), Texts(4, "-")) << c.locale;
      d.Click(ui::kIdCancel);
    });
  }
}

TEST_F(DestinationDialogTest, SelectionDecidesRegisterAndDetails) {
  h.Run([&](ui::FakeDialog& d) {
    Select(d, IDC_FULL_LIST, {"Kita"});
    EXPECT_TRUE(d.IsItemEnabled(IDC_REGISTER));
    EXPECT_FALSE(d.IsShown(IDC_DETAILS));
    Select(d, IDC_FULL_LIST, {"Kita", "Zenten"});
    EXPECT_TRUE(d.IsShown(IDC_DETAILS));
    Select(d, IDC_FULL_LIST, {});
    EXPECT_FALSE(d.IsItemEnabled(IDC_REGISTER));
    EXPECT_FALSE(d.IsShown(IDC_DETAILS));
    d.Click(ui::kIdCancel);
  });
}

TEST_F(DestinationDialogTest, RegistersGroupsAsMembersAndSkipsDuplicates) {
  h.Run([&](ui::FakeDialog& d) {
    Select(d, IDC_FULL_LIST, {"Kita"});
    d.Click(IDC_REGISTER);
    EXPECT_EQ(d.ItemText(IDC_COUNTER), "1 registered, 79 free");
    L(d, IDC_FULL_LIST).DoubleClick(3);  // the group: Higashi, and Kita once more
    ui::FakeListControl& send = L(d, IDC_SEND_LIST);
    EXPECT_EQ(send.ColumnTexts(0), (Texts{"03-111", "07-111"}));
    EXPECT_EQ(d.ItemText(IDC_COUNTER), "2 registered, 78 free");
    EXPECT_EQ(send.NextSelected(-1), 1);
    EXPECT_EQ(send.SelectedCount(), 1);
    EXPECT_EQ(send.FocusedRow(), 1);
    EXPECT_EQ(send.LastMadeVisible(), 1);
    EXPECT_TRUE(L(d, IDC_FULL_LIST).IsSelected(3));  // the address list keeps its selection
    EXPECT_TRUE(d.IsItemEnabled(IDC_DELETE));
    EXPECT_TRUE(d.IsItemEnabled(IDC_DELETE_ALL));
    d.Click(ui::kIdOk);
  });
  EXPECT_EQ(Read("BASE_INFO", "ItemNum"), "2");
  EXPECT_EQ(Read("ITEM_001", "DispName"), "Higashi");
  EXPECT_EQ(Read("ITEM_001", "Respect"), "");  // a single blank, as the system reads it
}

TEST_F(DestinationDialogTest, RefusesWhatWouldPassEightyWithTheJobsOtherDestinations) {
  std::vector<std::string> book = StandardBook();
  book.push_back("[FAX_ADDR]=3,7,Trio,T,");
  for (const char* line : {"Kita,\xB7\xC0,03-111,,,Kita Co,Sales,Taro,1", "Minami,\xD0\xC5\xD0,06-333,,,,,,2",
                           "Higashi,\xCB\xB6\xDE\xBC,07-111,,,East,,Ken,0"}) {
    book.push_back(std::string("[FAX_ADDR_GM]=4,7,") + line);
  }
  h.SetPersonalBook(book);
  std::vector<std::pair<std::string, std::string>> items;
  for (int i = 0; i < 75; ++i) items.push_back({std::to_string(i), "n" + std::to_string(i)});
  items[0] = {"03-111", "Kita"};
  h.files.SetFile(h.ExchangePath(), Exchange(75, 78, items));
  h.ini.WriteString(h.ExchangePath(), "ITEM_000", "DispNameJP", kKita);
  h.ini.WriteString(h.ExchangePath(), "ITEM_001", "DispName", "Minami");
  h.ini.WriteString(h.ExchangePath(), "ITEM_001", "DispNameJP", kMinami);
  h.Run([&](ui::FakeDialog& d) {
    EXPECT_EQ(d.ItemText(IDC_COUNTER), "75 registered, 2 free");
    Select(d, IDC_FULL_LIST, {"Trio"});  // three members, two of them in the list already
    d.Click(IDC_REGISTER);
    EXPECT_EQ(L(d, IDC_SEND_LIST).ItemCount(), 75);
    ASSERT_EQ(h.boxes.Shown().size(), 1u);
    EXPECT_EQ(h.boxes.Last().text, "[112]");
    EXPECT_EQ(h.boxes.Last().owner, IDD_DESTINATION);
    h.boxes.Clear();
    Select(d, IDC_FULL_LIST, {"Abe", "abe"});
    d.Click(IDC_REGISTER);
    EXPECT_EQ(d.ItemText(IDC_COUNTER), "77 registered, 0 free");
    Select(d, IDC_FULL_LIST, {"Kita"});  // already in, but counted all the same
    d.Click(IDC_REGISTER);
    EXPECT_EQ(h.Messages(), (Texts{"[112]"}));
    d.Click(ui::kIdOk);
  });
  EXPECT_EQ(Read("BASE_INFO", "ItemNum"), "77");
  EXPECT_EQ(Read("BASE_INFO", "ItemNumTotal"), "80");
}

TEST_F(DestinationDialogTest, DeletesExactlyTheRowsChosen) {
  h.Run([&](ui::FakeDialog& d) {
    Select(d, IDC_FULL_LIST, {"Abe", "abe", "Kita"});
    d.Click(IDC_REGISTER);
    ui::FakeListControl& send = L(d, IDC_SEND_LIST);
    send.SelectOnly({0});
    EXPECT_TRUE(d.IsItemEnabled(IDC_DELETE));
    d.Click(IDC_DELETE);
    EXPECT_EQ(send.ColumnTexts(0), (Texts{"011", "03-111"}));
    EXPECT_FALSE(d.IsItemEnabled(IDC_DELETE));
    Select(d, IDC_FULL_LIST, {"Minami"});
    d.Click(IDC_REGISTER);
    send.SelectOnly({2});
    d.Click(IDC_DELETE);
    EXPECT_EQ(send.ColumnTexts(0), (Texts{"011", "03-111"}));
    EXPECT_EQ(d.ItemText(IDC_COUNTER), "2 registered, 78 free");
    EXPECT_TRUE(d.IsItemEnabled(IDC_DELETE_ALL));
    d.Click(ui::kIdOk);
  });
  EXPECT_EQ(Read("BASE_INFO", "ItemNum"), "2");
  EXPECT_EQ(Read("ITEM_000", "FaxNumber"), "011");
  EXPECT_EQ(Read("ITEM_001", "FaxNumber"), "03-111");
  EXPECT_EQ(Read("ITEM_002", "FaxNumber"), "-");
}

TEST_F(DestinationDialogTest, DeleteAllEmptiesTheList) {
  h.files.SetFile(h.ExchangePath(), Exchange(2, 2, {{"1", "a"}, {"2", "b"}}));
  h.Run([&](ui::FakeDialog& d) {
    d.Click(IDC_DELETE_ALL);
    EXPECT_EQ(L(d, IDC_SEND_LIST).ItemCount(), 0);
    EXPECT_FALSE(d.IsItemEnabled(IDC_DELETE_ALL));
    EXPECT_EQ(d.ItemText(IDC_COUNTER), "0 registered, 80 free");
    d.Click(ui::kIdOk);
  });
  EXPECT_EQ(*h.ExchangeBytes(), Lines({"[BASE_INFO]", "ItemNum=0", "ItemNumTotal=0"}));
}

TEST_F(DestinationDialogTest, OkRewritesTheExchangeFileAndTheSettings) {
  h.files.SetFile(h.ExchangePath(), Exchange(3, 5, {{"1", "a"}, {"2", "b"}, {"3", "c"}}));
  h.Run([&](ui::FakeDialog& d) {
    L(d, IDC_SEND_LIST).SelectOnly({1});
    d.Click(IDC_DELETE);
    Select(d, IDC_FULL_LIST, {"Kita"});
    d.Click(IDC_REGISTER);
    d.Click(ui::kIdOk);
  });
  Texts expected = {"[BASE_INFO]", "ItemNum=3", "ItemNumTotal=5"};
  const Texts items[] = {
      {"[ITEM_000]", "FaxNumber=1", "SubAddress=", "Password=", "CompanyName=", "DepartmentName=",
       "ClientName=", "Respect=", "DispName=a", "DispNameJP=a"},
      {"[ITEM_001]", "FaxNumber=3", "SubAddress=", "Password=", "CompanyName=", "DepartmentName=",
       "ClientName=", "Respect=", "DispName=c", "DispNameJP=c"},
      {"[ITEM_002]", "FaxNumber=03-111", "SubAddress=", "Password=", "CompanyName=Kita Co",
       "DepartmentName=Sales", "ClientName=Taro", "Respect=SAMA", "DispName=Kita",
       std::string("DispNameJP=") + kKita}};
  for (const Texts& item : items) expected.insert(expected.end(), item.begin(), item.end());
  EXPECT_EQ(*h.ExchangeBytes(), Lines(expected));
  EXPECT_EQ(*h.files.File(h.SettingsPath()), Lines({"[PARAM]", "TYPE=0", "HostName=", "FilePath="}));
}

TEST_F(DestinationDialogTest, CancelWritesNothing) {
  const std::string before = Exchange(3, 5, {{"1", "a"}, {"2", "b"}, {"3", "c"}});
  h.files.SetFile(h.ExchangePath(), before);
  h.Run([&](ui::FakeDialog& d) {
    d.Click(IDC_DELETE_ALL);
    Select(d, IDC_FULL_LIST, {"Kita"});
    d.Click(IDC_REGISTER);
    d.Click(ui::kIdCancel);
  });
  EXPECT_EQ(*h.ExchangeBytes(), before);
  EXPECT_EQ(h.files.File(h.SettingsPath()), nullptr);
  EXPECT_TRUE(h.ini.Changes().empty());
}

TEST_F(DestinationDialogTest, SwitchesToASharedPathAndBackKeepingTheSendList) {
  h.files.SetFile("Z:\\Shared\\address.fdt", Book({"[FAX_ADDR]=1,9,Shared,S,099,,,,,,0"}));
  h.fileDialogs.ChooseNext("Z:\\Shared\\address.fdt");
  h.Run([&](ui::FakeDialog& d) {
    Select(d, IDC_FULL_LIST, {"Kita"});
    d.Click(IDC_REGISTER);
    d.Type(IDC_SEARCH_TEXT, "K");
    d.ClickOption(IDC_SHARED, {IDC_PERSONAL, IDC_SHARED});
    EXPECT_EQ(L(d, IDC_FULL_LIST).ColumnTexts(0), (Texts{"Shared"}));
    EXPECT_TRUE(d.IsShown(IDC_FULL_LIST));
    EXPECT_FALSE(d.IsShown(IDC_RESULT_LIST_A));
    EXPECT_EQ(d.ItemText(IDC_SEARCH_TEXT), "K");
    EXPECT_FALSE(d.IsItemEnabled(IDC_REGISTER));
    EXPECT_EQ(L(d, IDC_SEND_LIST).ColumnTexts(0), (Texts{"03-111"}));
    Select(d, IDC_FULL_LIST, {"Shared"});
    d.Click(IDC_REGISTER);
    d.ClickOption(IDC_PERSONAL, {IDC_PERSONAL, IDC_SHARED});
    EXPECT_EQ(L(d, IDC_FULL_LIST).ItemCount(), 5);
    EXPECT_EQ(L(d, IDC_SEND_LIST).ColumnTexts(0), (Texts{"03-111", "099"}));
    d.ClickOption(IDC_SHARED, {IDC_PERSONAL, IDC_SHARED});  // the user cancels the file dialog
    EXPECT_TRUE(d.IsItemChecked(IDC_PERSONAL));
    EXPECT_FALSE(d.IsItemChecked(IDC_SHARED));
    EXPECT_EQ(L(d, IDC_FULL_LIST).ItemCount(), 5);
    d.Click(ui::kIdOk);
  });
  ASSERT_EQ(h.fileDialogs.Requests().size(), 2u);
  const ui::FileDialogRequest& r = h.fileDialogs.Requests()[0];
  EXPECT_FALSE(r.save);
  EXPECT_EQ(r.filter, "(*.fdt) |*.fdt|");
  EXPECT_EQ(r.fileName, "");
  EXPECT_EQ(r.defaultExtension, "");
  EXPECT_TRUE(r.hideReadOnly && r.pathMustExist && r.fileMustExist);
  EXPECT_EQ(*h.files.File(h.SettingsPath()), Lines({"[PARAM]", "TYPE=0", "HostName=", "FilePath="}));
  EXPECT_EQ(Read("BASE_INFO", "ItemNum"), "2");
}

TEST_F(DestinationDialogTest, StartsWithTheSharedBookTheSettingsName) {
  h.files.SetFile(h.SettingsPath(), Lines({"[PARAM]", "TYPE=1", "HostName=", "FilePath=Z:\\a.fdt"}));
  h.files.SetFile("Z:\\a.fdt", Book({"[FAX_ADDR]=1,9,Shared,S,099,,,,,,0"}));
  h.Run([&](ui::FakeDialog& d) {
    EXPECT_TRUE(d.IsItemChecked(IDC_SHARED));
    EXPECT_EQ(L(d, IDC_FULL_LIST).ColumnTexts(0), (Texts{"Shared"}));
    d.Click(ui::kIdOk);
  });
  EXPECT_TRUE(h.network.attempts.empty());
  EXPECT_EQ(*h.files.File(h.SettingsPath()),
            Lines({"[PARAM]", "TYPE=1", "HostName=", "FilePath=Z:\\a.fdt"}));
}

TEST_F(DestinationDialogTest, ConnectsToASharedHostAskingForCredentialsOnce) {
  struct Case {
    const char* what;
    std::vector<unsigned long> answers;
    std::vector<bool> prompts;
    bool loaded;
  };
  const Case cases[] = {
      {"reachable at once", {}, {}, true},
      {"connects", {0}, {false}, true},
      {"refused, then the user signs in", {1326, 0}, {false, true}, true},
      {"denied, then the user cancels", {5, 1223}, {false, true}, false},
      {"bad password twice", {86, 86}, {false, true}, false},
      {"no network", {1222}, {false}, false},
  };
  for (const Case& c : cases) {
    PickerHarness h2;
    h2.SetPersonalBook(StandardBook());
    const std::string remote = "\\\\srv\\share\\address.fdt";
    h2.files.SetFile(h2.SettingsPath(), Lines({"[PARAM]", "TYPE=1", "HostName=srv", "FilePath=\\share\\address.fdt"}));
    h2.files.SetFile(remote, Book({"[FAX_ADDR]=1,9,Shared,S,099,,,,,,0"}));
    if (c.answers.empty()) h2.network.reachable.insert(remote);
    for (unsigned long a : c.answers) h2.network.AnswerNext(a);
    h2.Run([&](ui::FakeDialog& d) {
      EXPECT_EQ(d.IsItemChecked(IDC_SHARED), c.loaded) << c.what;
      EXPECT_EQ(d.IsItemChecked(IDC_PERSONAL), !c.loaded) << c.what;
      EXPECT_EQ(d.FakeList(IDC_FULL_LIST).ItemCount(), c.loaded ? 1 : 5) << c.what;
      d.Click(ui::kIdOk);
    });
    ASSERT_EQ(h2.network.attempts.size(), c.prompts.size()) << c.what;
    for (std::size_t i = 0; i < c.prompts.size(); ++i) {
      EXPECT_EQ(h2.network.attempts[i].remoteName, remote) << c.what;
      EXPECT_EQ(h2.network.attempts[i].askForCredentials, c.prompts[i]) << c.what;
      EXPECT_EQ(h2.network.attempts[i].owner, 0x10000 + IDD_DESTINATION) << c.what;
    }
    EXPECT_EQ(h2.Messages(), c.loaded ? Texts{} : Texts{"[117]"}) << c.what;
    if (!c.loaded) {
      EXPECT_EQ(h2.boxes.Last().caption, "faxpick") << c.what;
    }
    // The host and path are remembered even when the personal book was shown.
    EXPECT_EQ(*h2.files.File(h2.SettingsPath()),
              Lines({"[PARAM]", c.loaded ? "TYPE=1" : "TYPE=0", "HostName=srv",
                     "FilePath=\\share\\address.fdt"}))
        << c.what;
  }
}

TEST_F(DestinationDialogTest, ShowsGroupsInTheConfirmationOneAfterTheOther) {
  h.SetPersonalBook({std::string("[FAX_ADDR]=3,3,Zenten,") + kZenten + ",",
                     std::string("[FAX_ADDR_GM]=4,3,Kita,") + kKita + ",03-111,,,Kita Co,Sales,Taro,1",
                     std::string("[FAX_ADDR_GM]=4,3,Higashi,") + kHigashi + ",07-111,,,East,,Ken,0",
                     "[FAX_ADDR]=3,4,Empty,E,", "[FAX_ADDR]=1,5,Abe,ABE,012,,,,,,3"});
  std::vector<Texts> seen;
  h.Run([&](ui::FakeDialog& d) {
    L(d, IDC_FULL_LIST).SelectOnly({0, 1, 2});  // Abe, Empty, Zenten
    h.dialogs.OnNextDialog(IDD_GROUP_CONFIRM, [&](ui::FakeDialog& g) {
      EXPECT_EQ(g.ItemText(IDC_GROUP_NAME), "Empty");
      EXPECT_EQ(g.FakeList(IDC_MEMBER_LIST).ItemCount(), 0);
      EXPECT_FALSE(g.IsShown(ui::kIdCancel));
      g.Click(ui::kIdOk);
    });
    h.dialogs.OnNextDialog(IDD_GROUP_CONFIRM, [&](ui::FakeDialog& g) {
      EXPECT_EQ(g.ItemText(IDC_GROUP_NAME), "Zenten");
      EXPECT_EQ(g.Focus(), IDC_MEMBER_LIST);
      ui::FakeListControl& members = g.FakeList(IDC_MEMBER_LIST);
      EXPECT_EQ(members.ColumnCount(), 6);
      EXPECT_EQ(members.ColumnWidth(1), 61);  // its header whole
      for (int r = 0; r < members.ItemCount(); ++r) seen.push_back(members.Row(r));
      g.Click(ui::kIdCancel);  // hidden: nothing happens
      EXPECT_FALSE(g.Ended());
      g.PressEscape();
    });
    d.Click(IDC_DETAILS);
    d.Click(ui::kIdCancel);
  });
  EXPECT_EQ(h.dialogs.Opened(), (std::vector<int>{IDD_DESTINATION, IDD_GROUP_CONFIRM, IDD_GROUP_CONFIRM}));
  EXPECT_EQ(h.dialogs.Owners(), (std::vector<int>{0, IDD_DESTINATION, IDD_DESTINATION}));
  EXPECT_TRUE(h.dialogs.Problems().empty());
  EXPECT_EQ(seen, (std::vector<Texts>{{"Kita", kKita, "03-111", "Kita Co", "Sales", "Taro SAMA"},
                                      {"Higashi", kHigashi, "07-111", "East", "", "Ken  "}}));
}

TEST_F(DestinationDialogTest, TheConfirmationShowsReadingsInOtherLanguages) {
  h.locale.language = "0409";
  h.Run([&](ui::FakeDialog& d) {
    L(d, IDC_FULL_LIST).SelectOnly({3});
    h.dialogs.OnNextDialog(IDD_GROUP_CONFIRM, [&](ui::FakeDialog& g) {
      EXPECT_EQ(g.ItemText(IDC_GROUP_NAME), kZenten);
      ui::FakeListControl& members = g.FakeList(IDC_MEMBER_LIST);
      EXPECT_EQ(members.ColumnCount(), 5);
      EXPECT_EQ(members.ColumnWidth(0), 120);
      EXPECT_EQ(members.ColumnTexts(0), (Texts{kKita, kHigashi}));
      EXPECT_EQ(members.Row(0).back(), "Taro ");
      g.PressEscape();
    });
    d.Click(IDC_DETAILS);
    d.Click(ui::kIdCancel);
  });
  EXPECT_TRUE(h.dialogs.Problems().empty());
}

// When the list has no place to go back to (no path for the exchange
// file, or a file there that cannot be read), the user is told once as the
// dialog opens, and OK writes nothing over the driver side's file.
TEST_F(DestinationDialogTest, TellsOnceAtTheStartThatTheSelectionCannotBeHandedBack) {
  struct Case {
    const char* what;
    std::function<void(PickerHarness&)> setUp;
    std::string commandLine;
    std::string message;
  };
  const std::string before = Exchange(2, 4, {{"1", "a"}, {"2", "b"}});
  PickerHarness paths;
  const Case cases[] = {
      {"no place for the file",
       [](PickerHarness& run) {
         run.registry.Remove(PickerHarness::kSpoolerKey, "InstallPath");
         run.registry.Remove(PickerHarness::kSpoolerKey, "Version");
       },
       "", "[118]"},
      {"the file held open without sharing",
       [&](PickerHarness& run) {
         run.files.SetFile(run.ExchangePath(), before);
         run.files.HoldOpen(run.ExchangePath(), false);
       },
       PickerHarness::kCommandLine, "[119] " + paths.ExchangePath()},
      {"the file unreadable part way",
       [&](PickerHarness& run) {
         run.files.SetFile(run.ExchangePath(), before);
         run.files.FailReadAfter(run.ExchangePath(), 20);
       },
       PickerHarness::kCommandLine, "[119] " + paths.ExchangePath()},
  };
  for (const Case& c : cases) {
    PickerHarness run;
    run.SetPersonalBook(StandardBook());
    c.setUp(run);
    run.Run([&](ui::FakeDialog& d) {
      EXPECT_EQ(run.Messages(), (Texts{c.message})) << c.what;
      EXPECT_EQ(run.boxes.Last().owner, IDD_DESTINATION) << c.what;
      EXPECT_EQ(d.FakeList(IDC_SEND_LIST).ItemCount(), 0) << c.what;
      L(d, IDC_FULL_LIST).SelectOnly({2});
      d.Click(IDC_REGISTER);
      run.files.Release(run.ExchangePath());
      d.Click(ui::kIdOk);
      EXPECT_TRUE(d.Ended()) << c.what;
    }, c.commandLine);
    EXPECT_EQ(run.Messages(), (Texts{c.message})) << c.what;
    EXPECT_TRUE(run.ini.Changes().empty()) << c.what;
    EXPECT_EQ(run.files.File(run.SettingsPath()), nullptr) << c.what;
    if (const std::string* bytes = run.ExchangeBytes()) {
      EXPECT_EQ(*bytes, before) << c.what;
    }
    EXPECT_TRUE(run.dialogs.Problems().empty()) << c.what;
  }
}

// OK that cannot write the exchange file says so, naming the file, and
// keeps the dialog open with its send list: once the file can be written,
// OK writes it; Cancel leaves it as it was.
TEST_F(DestinationDialogTest, OkThatCannotWriteSaysSoAndKeepsTheSelection) {
  struct Case {
    const char* what;
    std::function<void(sys::FakeFileSystem&, const std::string&)> fault;
    int message;
    bool mended;
  };
  const Case cases[] = {
      {"held open without sharing",
       [](sys::FakeFileSystem& f, const std::string& p) { f.HoldOpen(p, false); },
       IDS_EXCHANGE_NOT_READ, true},
      {"a read error part way",
       [](sys::FakeFileSystem& f, const std::string& p) { f.FailReadAfter(p, 20); },
       IDS_EXCHANGE_NOT_READ, false},
      {"read-only", [](sys::FakeFileSystem& f, const std::string& p) { f.MakeReadOnly(p); },
       IDS_EXCHANGE_READ_ONLY, false},
  };
  const std::string before = Exchange(1, 3, {{"099", "Old"}});
  for (const Case& c : cases) {
    PickerHarness run;
    run.SetPersonalBook(StandardBook());
    const std::string path = run.ExchangePath();
    run.files.SetFile(path, before);
    run.Run([&](ui::FakeDialog& d) {
      L(d, IDC_FULL_LIST).SelectOnly({2});
      d.Click(IDC_REGISTER);
      c.fault(run.files, path);
      d.Click(ui::kIdOk);
      EXPECT_FALSE(d.Ended()) << c.what;
      EXPECT_EQ(run.Messages(), (Texts{Marker(c.message) + " " + path})) << c.what;
      EXPECT_EQ(run.boxes.Last().owner, IDD_DESTINATION) << c.what;
      EXPECT_EQ(run.boxes.Last().caption, "faxpick") << c.what;
      EXPECT_EQ(L(d, IDC_SEND_LIST).ColumnTexts(0), (Texts{"099", "03-111"})) << c.what;
      EXPECT_EQ(*run.ExchangeBytes(), before) << c.what;
      if (c.mended) {
        run.files.Release(path);
        d.Click(ui::kIdOk);
        EXPECT_TRUE(d.Ended()) << c.what;
      } else {
        d.Click(ui::kIdCancel);
      }
    });
    if (c.mended) {
      EXPECT_EQ(run.ini.ReadString(path, "BASE_INFO", "ItemNum", "", 255), "2") << c.what;
      EXPECT_EQ(run.ini.ReadString(path, "ITEM_001", "FaxNumber", "", 255), "03-111") << c.what;
      EXPECT_NE(run.files.File(run.SettingsPath()), nullptr) << c.what;
    } else {
      EXPECT_EQ(*run.ExchangeBytes(), before) << c.what;
      EXPECT_EQ(run.files.File(run.SettingsPath()), nullptr) << c.what;
    }
    EXPECT_TRUE(run.dialogs.Problems().empty()) << c.what;
  }
}

// A listed section missing from the driver's file is an empty destination
// in its place: the destinations after it stay listed and are written back.
TEST_F(DestinationDialogTest, AMissingItemSectionLosesNoDestinationAfterIt) {
  h.files.SetFile(h.ExchangePath(), Exchange(3, 3, {{"111", "a"}, {"222", "b"}, {"333", "c"}}));
  h.ini.DeleteSection(h.ExchangePath(), "ITEM_001");
  h.Run([&](ui::FakeDialog& d) {
    EXPECT_EQ(L(d, IDC_SEND_LIST).ColumnTexts(0), (Texts{"111", "", "333"}));
    EXPECT_EQ(d.ItemText(IDC_COUNTER), "3 registered, 77 free");
    d.Click(ui::kIdOk);
  });
  EXPECT_EQ(Read("BASE_INFO", "ItemNum"), "3");
  EXPECT_EQ(Read("ITEM_001", "FaxNumber"), "");
  EXPECT_EQ(Read("ITEM_002", "FaxNumber"), "333");
  EXPECT_EQ(Read("ITEM_002", "DispName"), "c");
}

// A job that holds more destinations than the limit leaves no room, and
// the counter says none rather than a negative number.
TEST_F(DestinationDialogTest, TheCounterNeverOffersLessThanNothing) {
  struct Case {
    int itemNum;
    long long total;
    std::string counter;
  };
  const Case cases[] = {
      {1, 80, "1 registered, 0 free"},
      {1, 81, "1 registered, 0 free"},
      {1, 2147483647, "1 registered, 0 free"},
      {1, 99999999999LL, "1 registered, 0 free"},
  };
  for (const Case& c : cases) {
    PickerHarness run;
    run.SetPersonalBook(StandardBook());
    run.files.SetFile(run.ExchangePath(),
                      Lines({"[BASE_INFO]", "ItemNum=" + std::to_string(c.itemNum),
                             "ItemNumTotal=" + std::to_string(c.total), "[ITEM_000]", "FaxNumber=1"}));
    run.Run([&](ui::FakeDialog& d) {
      EXPECT_EQ(d.ItemText(IDC_COUNTER), c.counter) << c.total;
      L(d, IDC_FULL_LIST).SelectOnly({2});
      d.Click(IDC_REGISTER);
      EXPECT_EQ(run.Messages(), (Texts{"[112]"})) << c.total;
      d.Click(ui::kIdCancel);
    });
  }
}

// 削除, すべて削除 and すべて表示 disable themselves when used: the
// keyboard goes on in the send list while it has rows, else in the
// address list on show, never nowhere.
TEST_F(DestinationDialogTest, TheKeyboardStaysInTheDialogWhenAButtonDisablesItself) {
  struct Step {
    const char* what;
    std::function<void(ui::FakeDialog&)> act;
    int focus;
  };
  const Step steps[] = {
      {"delete one of two",
       [&](ui::FakeDialog& d) {
         Select(d, IDC_FULL_LIST, {"Abe", "Kita"});
         d.Click(IDC_REGISTER);
         L(d, IDC_SEND_LIST).SelectOnly({0});
         d.Click(IDC_DELETE);
       },
       IDC_SEND_LIST},
      {"delete the last",
       [&](ui::FakeDialog& d) {
         L(d, IDC_SEND_LIST).SelectOnly({0});
         d.Click(IDC_DELETE);
       },
       IDC_FULL_LIST},
      {"delete all while a search shows its results",
       [&](ui::FakeDialog& d) {
         d.Click(IDC_REGISTER);
         d.Type(IDC_SEARCH_TEXT, "K");
         d.Click(IDC_DELETE_ALL);
       },
       IDC_RESULT_LIST_A},
      {"show all", [&](ui::FakeDialog& d) { d.Click(IDC_SHOW_ALL); }, IDC_FULL_LIST},
  };
  h.Run([&](ui::FakeDialog& d) {
    for (const Step& step : steps) {
      step.act(d);
      EXPECT_EQ(d.Focus(), step.focus) << step.what;
      EXPECT_TRUE(d.IsItemEnabled(d.Focus()) && d.IsShown(d.Focus())) << step.what;
    }
    d.Click(ui::kIdCancel);
  });
}

TEST_F(DestinationDialogTest, OpensHelpInTheLibrarysFolderAndQuitsItAtTheEnd) {
  h.Run([&](ui::FakeDialog& d) {
    d.Click(IDC_HELP_BUTTON);
    d.PressF1();
    h.resources.knowsSourcePath = false;
    d.Click(IDC_HELP_BUTTON);
    h.resources.knowsSourcePath = true;
    d.Click(ui::kIdCancel);
  });
  ASSERT_EQ(h.help.calls.size(), 3u);
  EXPECT_EQ(h.help.calls[0].path, "C:\\Program Files\\RelayFax\\faxpickJP.hlp");
  EXPECT_TRUE(h.help.calls[0].finder);
  EXPECT_EQ(h.help.calls[2].path, "faxpickJP.hlp");
  EXPECT_EQ(h.Messages(), (Texts{"Not found Help File"}));
  EXPECT_EQ(h.boxes.Last().caption, "ERROR");
  EXPECT_EQ(h.boxes.Last().owner, 0);
  EXPECT_EQ(h.help.quits, (Texts{"C:\\Program Files\\RelayFax\\faxpickJP.hlp"}));
}

// The help file is the interface language's, in the folder of the library
// that was loaded (even when that is another language's); the help button
// and F1 open its contents, F1 in the group confirmation its topic.
TEST_F(DestinationDialogTest, HelpIsTheLanguagesFileBesideTheLibrary) {
  struct Case {
    const char* locale;
    bool japaneseLibrary;
    const char* path;
  };
  const Case cases[] = {
      {"0411", true, "C:\\Languages\\faxpickJP.hlp"},
      {"0409", true, "C:\\Languages\\faxpickEN.hlp"},
      {"0411", false, "C:\\Languages\\faxpickJP.hlp"},
  };
  for (const Case& c : cases) {
    PickerHarness run;
    run.SetPersonalBook(StandardBook());
    run.locale.language = c.locale;
    run.resources.libraryFolder = "C:\\Languages";
    if (!c.japaneseLibrary) run.resources.RemoveLibrary("pickresJPN.dll");
    run.Run([&](ui::FakeDialog& d) {
      d.Click(IDC_HELP_BUTTON);
      d.PressF1();
      Select(d, IDC_FULL_LIST, {"Zenten", kZenten});
      run.dialogs.OnNextDialog(IDD_GROUP_CONFIRM, [&](ui::FakeDialog& g) {
        g.PressF1();
        g.Click(ui::kIdOk);
      });
      d.Click(IDC_DETAILS);
      d.Click(ui::kIdCancel);
    });
    ASSERT_EQ(run.help.calls.size(), 3u) << c.locale;
    for (const ui::HelpCall& call : run.help.calls) EXPECT_EQ(call.path, c.path) << c.locale;
    EXPECT_TRUE(run.help.calls[0].finder);
    EXPECT_TRUE(run.help.calls[1].finder);
    EXPECT_FALSE(run.help.calls[2].finder);
    EXPECT_EQ(run.help.calls[2].topic, 0x20000ul + IDD_GROUP_CONFIRM);
    EXPECT_EQ(run.help.quits, (Texts{c.path}));
    EXPECT_TRUE(run.boxes.Shown().empty());
    EXPECT_TRUE(run.dialogs.Problems().empty());
  }
}

TEST_F(DestinationDialogTest, RunsOnTheProgramsOwnResourcesWhenNoLibraryLoads) {
  h.resources = ui::FakeResources();
  std::map<int, std::string> own = {{IDS_COUNTER, "[105]"}, {IDS_PRODUCT_KEY, "SOFTWARE\\Brevant Zelo\\RelayFAX\\"},
                                    {IDS_SPOOLER_SUBKEY, "DS_SUBKEY_SPOOLER"},
                                    {IDS_EXCHANGE_MAKER, "IDS_DIR_MANUFACTOR"},
                                    {IDS_EXCHANGE_PRODUCT, "IDS_DIR_APP"},
                                    {IDS_EXCHANGE_FILE, "IDS_FILE_ADDRESS"}};
  h.resources.SetProgramStrings(own);
  h.resources.programPath = "C:\\Program Files\\RelayFax\\faxpick.exe";
  h.Run([&](ui::FakeDialog& d) {
    EXPECT_EQ(d.ItemText(IDC_COUNTER), "[105]");
    Select(d, IDC_FULL_LIST, {"Kita"});
    d.Click(IDC_REGISTER);
    d.Click(IDC_HELP_BUTTON);
    d.Click(ui::kIdOk);
  });
  const std::string folder = std::string(PickerHarness::kDocuments) + "\\IDS_DIR_MANUFACTOR\\IDS_DIR_APP\\2.1";
  EXPECT_NE(h.files.File(folder + "\\IDS_FILE_ADDRESS"), nullptr);
  EXPECT_NE(h.files.File(folder + "\\FilePath.ini"), nullptr);
  EXPECT_EQ(h.help.calls.at(0).path, "C:\\Program Files\\RelayFax\\faxpickJP.hlp");
}

}  // namespace
}  // namespace picker
