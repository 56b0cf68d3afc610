// A user's steps through the import confirmation: the rows with their marks
// and colours, sorting, adding the selected rows, the book's limit, and
// editing one row in the address dialog.
#include <gtest/gtest.h>

#include "booklib/rules/field_rules.h"
#include "tests/support/csv_import_harness.h"
#include "tests/support/cut_pages.h"

namespace {

using Texts = std::vector<std::string>;
using Rows = std::vector<Texts>;

const Texts kBook = {
    "[FAX_ADDR]=1,1,Kita,KITA,03-1,,,,,,0",
    "[FAX_ADDR]=1,2,Minami,MINAMI,06-3,,,,,,0",
    "[FAX_ADDR]=3,3,All,ALL,",
};

// Japanese: name, reading, fax, sub-address, password, company, department,
// recipient. (With fewer header columns, the fields beyond them would be
// proposed column 0.)
const char kHeader[] = "Name,Reading,Fax,Sub,Password,Company,Department,Recipient";
const Texts kCsv = {
    kHeader,
    "Higashi,HIGASHI,03-9,,,East Ltd.,,Desk",
    "Kanji,\x8A\xBF\x8E\x9A,03-8,,,,,",                   // a kanji reading: refused
    "Long,ABCDEFGHIJKLMNOPQRST,03-7,,,,,",                 // 20 bytes: cut
    "Kita,KITA,03-6,,,,,",                                 // the reading is in use
};

constexpr int kRowsPerPage = 20;

class ImportConfirmTest : public ::testing::Test {
 protected:
  void SetUp() override {
    editor.StartWith(kBook);
    editor.SetCsv(kCsv);
  }
  // Runs the import with the proposed mapping and `confirm` as the user's
  // steps in the confirmation, which ends with OK when they leave it open.
  void Confirm(const std::function<void(ui::FakeDialog&)>& confirm) {
    editor.dialogs.OnNextDialog(IDD_CSV_FIELD_MAP, [](ui::FakeDialog& d) { d.Click(ui::kIdOk); });
    editor.dialogs.OnNextDialog(IDD_IMPORT_CONFIRM, [&](ui::FakeDialog& d) {
      confirm(d);
      d.Click(ui::kIdOk);
    });
    editor.ImportCsv();
    EXPECT_TRUE(editor.DialogsAsScripted());
  }
  CsvImportHarness editor;
};

TEST_F(ImportConfirmTest, ShowsEveryRowMarkedAndSortedByName) {
  editor.dialogs.SetListSize(IDD_IMPORT_CONFIRM, IDC_CONFIRM_LIST, 900, kRowsPerPage);
  Confirm([](ui::FakeDialog& d) {
    ui::FakeListControl& list = ConfirmList(d);
    const Texts headers = {"",           "[61217]", "[61218]", "[61219]", "[61242]",
                           "[61243]",    "[61221]", "[61222]", "[61223]"};
    const std::vector<int> widths = {20, 120, 120, 100, 100, 100, 100, 100, 900 - 760 - 4};
    for (int c = 0; c < list.ColumnCount(); ++c) {
      EXPECT_EQ(list.Header(c), headers[static_cast<std::size_t>(c)]);
      EXPECT_EQ(list.ColumnWidth(c), widths[static_cast<std::size_t>(c)]) << c;
    }
    EXPECT_EQ(AllRows(list),
              (Rows{{"", "Higashi", "HIGASHI", "03-9", "", "", "East Ltd.", "", "Desk"},
                    {"!", "Kanji", "\x8A\xBF\x8E\x9A", "03-8", "", "", "", "", ""},
                    {"", "Kita", "KITA", "03-6", "", "", "", "", ""},
                    {"?", "Long", "ABCDEFGHIJKLMNOPQRST", "03-7", "", "", "", "", ""}}));
    EXPECT_EQ(d.ItemText(IDC_CONFIRM_SELECTED), "0");
    EXPECT_EQ(d.ItemText(IDC_CONFIRM_ADDED), "0");
    // Marks in their colours; everything else in the system's.
    ui::Colour colour = 0;
    EXPECT_TRUE(list.CellColour(1, 0, false, &colour));
    EXPECT_EQ(colour, ui::Rgb(255, 0, 0));
    EXPECT_TRUE(list.CellColour(1, 0, true, &colour));
    EXPECT_EQ(colour, ui::Rgb(255, 0, 0));
    EXPECT_TRUE(list.CellColour(3, 0, false, &colour));
    EXPECT_EQ(colour, ui::Rgb(0, 0, 255));
    // A highlighted "?" keeps the highlight's text colour, which shows on it.
    EXPECT_FALSE(list.CellColour(3, 0, true, &colour));
    EXPECT_FALSE(list.CellColour(0, 0, false, &colour));
    EXPECT_FALSE(list.CellColour(1, 1, false, &colour));
  });
  EXPECT_GT(editor.cursor.TimesShown(), 0);
  EXPECT_EQ(editor.cursor.Depth(), 0);
}

TEST_F(ImportConfirmTest, TheLastColumnFitsBesideTheScrollBarOrGetsAHundred) {
  editor.dialogs.SetListSize(IDD_IMPORT_CONFIRM, IDC_CONFIRM_LIST, 500, kRowsPerPage);
  Confirm([](ui::FakeDialog& d) { EXPECT_EQ(ConfirmList(d).ColumnWidth(8), 100); });
  // More rows than fit: the scroll bar's 16 pixels are left free.
  Texts many = {kHeader};
  for (int i = 0; i < kRowsPerPage + 5; ++i) many.push_back("N" + std::to_string(i) + ",R,1");
  editor.SetCsv(many);
  editor.dialogs.SetListSize(IDD_IMPORT_CONFIRM, IDC_CONFIRM_LIST, 900, kRowsPerPage);
  Confirm([](ui::FakeDialog& d) { EXPECT_EQ(ConfirmList(d).ColumnWidth(8), 900 - 16 - 760 - 4); });
}

TEST_F(ImportConfirmTest, HeaderClicksSortEitherWayAndTheSelectionFollowsItsRows) {
  Confirm([](ui::FakeDialog& d) {
    ui::FakeListControl& list = ConfirmList(d);
    list.SelectOnly(RowsShowing(list, 1, "Kita"));
    list.ClickHeader(3);  // the fax numbers, ascending
    EXPECT_EQ(list.ColumnTexts(3), (Texts{"03-6", "03-7", "03-8", "03-9"}));
    list.ClickHeader(3);  // again: descending
    EXPECT_EQ(list.ColumnTexts(3), (Texts{"03-9", "03-8", "03-7", "03-6"}));
    ASSERT_EQ(list.SelectedCount(), 1);
    EXPECT_EQ(list.ItemText(list.NextSelected(-1), 1), "Kita");
    EXPECT_EQ(list.LastMadeVisible(), list.NextSelected(-1));
    list.ClickHeader(3);  // and ascending again
    EXPECT_EQ(list.ColumnTexts(3).front(), "03-6");
    list.ClickHeader(0);  // the marks
    EXPECT_EQ(list.ColumnTexts(0), (Texts{"", "", "!", "?"}));
    EXPECT_EQ(d.ItemText(IDC_CONFIRM_SELECTED), "1");
  });
}

TEST_F(ImportConfirmTest, AddTakesTheSelectedRowsButNeverARefusedOne) {
  Confirm([&](ui::FakeDialog& d) {
    ui::FakeListControl& list = ConfirmList(d);
    list.SelectAll();
    EXPECT_EQ(d.ItemText(IDC_CONFIRM_SELECTED), "4");
    d.Click(IDC_CONFIRM_ADD);
    // One warning for the marked rows, with how many will be passed over,
    // owned by the dialog; then the add.
    ASSERT_EQ(editor.Messages(), Texts{Marker(IDS_IMPORT_WARNING) + "\n\n[61346] 1"});
    EXPECT_EQ(editor.boxes.Last().owner, IDD_IMPORT_CONFIRM);
    EXPECT_EQ(editor.boxes.Last().caption, Marker(IDS_CAPTION));
    EXPECT_EQ(AllRows(list), (Rows{{"!", "Kanji", "\x8A\xBF\x8E\x9A", "03-8", "", "", "", "", ""}}));
    EXPECT_EQ(list.SelectedCount(), 0) << "the refused row stays, deselected";
    EXPECT_EQ(d.ItemText(IDC_CONFIRM_SELECTED), "0");
    EXPECT_EQ(d.ItemText(IDC_CONFIRM_ADDED), "3");
    EXPECT_FALSE(d.IsItemEnabled(IDC_CONFIRM_BACK));
    EXPECT_TRUE(editor.Document().IsModified());
    // Nothing more is selected: another add says so and changes nothing.
    d.Click(IDC_CONFIRM_ADD);
    EXPECT_EQ(editor.Messages().back(), Marker(IDS_NO_SELECTION));
    EXPECT_EQ(d.ItemText(IDC_CONFIRM_ADDED), "0");
  });
  EXPECT_EQ(editor.Column(1),
            (Texts{"ABCDEFGHIJKLMNOP", "ALL", "HIGASHI", "KITA", "KITA(1)", "MINAMI"}));
  const store::AddressRecord* higashi = editor.Record("HIGASHI");
  ASSERT_NE(higashi, nullptr);
  EXPECT_EQ(higashi->companyName, "East Ltd.");
  EXPECT_EQ(higashi->clientName, "Desk");
  EXPECT_EQ(higashi->respect, 0);
  // In list order: Higashi, then Kita, then Long, each with the next number.
  EXPECT_EQ(higashi->regNo, 4);
  EXPECT_EQ(editor.Record("KITA(1)")->regNo, 5);
  EXPECT_EQ(editor.Record("ABCDEFGHIJKLMNOP")->regNo, 6);
  EXPECT_EQ(editor.CountPane(), "6");
  EXPECT_EQ(editor.files.ReplaceCount(), 0) << "nothing is written before apply";
}

TEST_F(ImportConfirmTest, UnmarkedRowsAddWithoutWarningAndIdenticalRowsAreNumbered) {
  editor.SetCsv({kHeader, "X,X,1", "X,X,1", "Y,Y,2"});
  Confirm([&](ui::FakeDialog& d) {
    ConfirmList(d).SelectOnly({0, 1});
    d.Click(IDC_CONFIRM_ADD);
    EXPECT_TRUE(editor.Messages().empty());
    EXPECT_EQ(ConfirmList(d).Row(0)[1], "Y");
  });
  EXPECT_NE(editor.Record("X"), nullptr);
  ASSERT_NE(editor.Record("X(1)"), nullptr);
  EXPECT_EQ(editor.Record("X(1)")->dispName, "X(1)");
}

TEST(ImportConfirmLimit, TheBooksLimitCountsRefusedRowsAndRefusesTheWholeAdd) {
  CsvImportHarness editor;
  editor.StartWith(NumberedBook(2995));
  Texts csv = {kHeader};
  for (int i = 0; i < 8; ++i) csv.push_back("N" + std::to_string(i) + ",NEW" + std::to_string(i) + ",1");
  csv.push_back("Bad,\x8A\xBF,1");
  csv.push_back("Bad2,\x8A\xC0,1");
  editor.SetCsv(csv);
  editor.dialogs.OnNextDialog(IDD_CSV_FIELD_MAP, [](ui::FakeDialog& d) { d.Click(ui::kIdOk); });
  editor.dialogs.OnNextDialog(IDD_IMPORT_CONFIRM, [&](ui::FakeDialog& d) {
    ui::FakeListControl& list = ConfirmList(d);
    list.SelectAll();  // ten rows, two of them refused
    d.Click(IDC_CONFIRM_ADD);
    EXPECT_EQ(editor.Messages(), Texts{"[61238] 3000"});
    EXPECT_EQ(list.ItemCount(), 10);
    EXPECT_TRUE(d.IsItemEnabled(IDC_CONFIRM_BACK));
    // Five rows, one of them refused: 2995 + 5 fits.
    std::vector<int> five = RowsShowing(list, 0, "!");
    five.resize(1);
    for (int r = 0; five.size() < 5; ++r) {
      if (list.ItemText(r, 0).empty()) five.push_back(r);
    }
    list.SelectOnly(five);
    d.Click(IDC_CONFIRM_ADD);
    EXPECT_EQ(d.ItemText(IDC_CONFIRM_ADDED), "4");
    EXPECT_EQ(list.ItemCount(), 6);
    d.Click(ui::kIdOk);
  });
  editor.ImportCsv();
  EXPECT_TRUE(editor.DialogsAsScripted());
  EXPECT_EQ(editor.List().ItemCount(), 2999);
}

TEST_F(ImportConfirmTest, EditWantsExactlyOneRow) {
  Confirm([&](ui::FakeDialog& d) {
    d.Click(IDC_CONFIRM_EDIT);
    ConfirmList(d).SelectOnly({0, 1});
    d.Click(IDC_CONFIRM_EDIT);
    ConfirmList(d).DoubleClick(-1);  // on no row: nothing
    ConfirmList(d).SelectOnly(std::vector<int>{});
  });
  EXPECT_EQ(editor.Messages(), (Texts{Marker(IDS_NO_SELECTION), Marker(IDS_EDIT_SEVERAL)}));
  EXPECT_EQ(editor.dialogs.Opened(), (std::vector<int>{IDD_CSV_FIELD_MAP, IDD_IMPORT_CONFIRM}));
}

TEST_F(ImportConfirmTest, AnEditedRowLosesItsMarkAndSortsAgain) {
  editor.SetCsv({kHeader, "Zed,ZED,03-5,,,,,", "Long,ABCDEFGHIJKLMNOPQRST,03-7,," + std::string(25, '9') + ",,,Desk"});
  Confirm([&](ui::FakeDialog& d) {
    ui::FakeListControl& list = ConfirmList(d);
    editor.dialogs.OnNextDialog(IDD_ADDRESS, [](ui::FakeDialog& a) {
      EXPECT_EQ(a.Title(), Marker(IDS_EDIT_ADDRESS_TITLE));
      EXPECT_EQ(a.ItemText(IDC_READING), "ABCDEFGHIJKLMNOP") << "filled cut to its limit";
      EXPECT_EQ(a.ItemText(IDC_PASSWORD), std::string(20, '9'));
      EXPECT_EQ(a.ItemText(IDC_RECIPIENT), "Desk");
      EXPECT_FALSE(a.IsItemEnabled(IDC_RESPECT)) << "no honorific for imported rows";
      EXPECT_EQ(a.SelectedChoice(IDC_RESPECT), 0);
      a.Type(IDC_DISP_NAME, "Able");
      a.Type(IDC_READING, "KITA");  // in use in the book
      a.Click(ui::kIdOk);
      EXPECT_FALSE(a.Ended());
      a.Type(IDC_READING, "ABLE");
      a.Click(ui::kIdOk);
    });
    list.DoubleClick(0);  // "Long" sorts before "Zed"
    EXPECT_EQ(AllRows(list),
              (Rows{{"", "Able", "ABLE", "03-7", "", std::string(20, '9'), "", "", "Desk"},
                    {"", "Zed", "ZED", "03-5", "", "", "", "", ""}}));
    ASSERT_EQ(list.SelectedCount(), 1);
    EXPECT_EQ(list.ItemText(list.NextSelected(-1), 1), "Able");
    // A cancelled edit changes nothing.
    editor.dialogs.OnNextDialog(IDD_ADDRESS, [](ui::FakeDialog& a) {
      a.Type(IDC_READING, "OTHER");
      a.Close();
    });
    d.Click(IDC_CONFIRM_EDIT);
    EXPECT_EQ(list.ItemText(0, 2), "ABLE");
    list.SelectOnly(std::vector<int>{});
  });
  EXPECT_EQ(editor.Messages(), Texts{Marker(61232)});
  EXPECT_EQ(editor.dialogs.Owners().back(), IDD_IMPORT_CONFIRM);
  EXPECT_FALSE(editor.Document().IsModified()) << "an edit in the list is no change of the book";
}

TEST_F(ImportConfirmTest, ARefusedRowCorrectedInTheDialogCanBeAdded) {
  Confirm([&](ui::FakeDialog& d) {
    ui::FakeListControl& list = ConfirmList(d);
    editor.dialogs.OnNextDialog(IDD_ADDRESS, [](ui::FakeDialog& a) {
      EXPECT_EQ(a.TextColour(IDC_READING), ui::Rgb(255, 0, 0));
      a.Type(IDC_READING, "KANJI");
      a.Click(ui::kIdOk);
    });
    list.DoubleClick(RowsShowing(list, 0, "!").at(0));
    EXPECT_TRUE(RowsShowing(list, 0, "!").empty());
    list.SelectOnly(RowsShowing(list, 2, "KANJI"));
    d.Click(IDC_CONFIRM_ADD);
  });
  EXPECT_NE(editor.Record("KANJI"), nullptr);
}

TEST(ImportConfirmOtherLanguage, ColumnsShowTheReadingAsNameAndTheMarksSortFirst) {
  CsvImportHarness editor;
  editor.SetLanguage("English");
  editor.StartWith({"[FAX_ADDR]=1,1,,Kita,03-1,,,,,,0"});
  editor.SetCsv({"Name,Fax,Sub,Password,Company,Department,Recipient", "Zeta,03-1", "kita,03-2",
                 "Alpha,x", ",03-4"});
  editor.dialogs.OnNextDialog(IDD_CSV_FIELD_MAP, [](ui::FakeDialog& d) { d.Click(ui::kIdOk); });
  editor.dialogs.OnNextDialog(IDD_IMPORT_CONFIRM, [&](ui::FakeDialog& d) {
    ui::FakeListControl& list = ConfirmList(d);
    EXPECT_EQ(list.ColumnCount(), 8);
    EXPECT_EQ(list.Header(1), Marker(IDS_COLUMN_NAME));
    EXPECT_EQ(list.Header(2), Marker(IDS_COLUMN_FAX));
    // The first sort is by column 0, the marks: unmarked rows in file order,
    // then "!" before "?".
    EXPECT_EQ(AllRows(list), (Rows{{"", "Zeta", "03-1", "", "", "", "", ""},
                                   {"", "kita", "03-2", "", "", "", "", ""},
                                   {"!", "Alpha", "x", "", "", "", "", ""},
                                   {"?", "", "03-4", "", "", "", "", ""}}));
    list.SelectAll();
    d.Click(IDC_CONFIRM_ADD);
    d.Click(ui::kIdOk);
  });
  editor.ImportCsv();
  EXPECT_TRUE(editor.DialogsAsScripted());
  EXPECT_EQ(editor.Column(0), (Texts{"", "Kita", "kita(2)", "Zeta"}));
  EXPECT_EQ(editor.Record("kita(2)")->dispName, "");
}

// Outside Japanese too, the add cuts readings, companies and recipients,
// and the readings it suffixes, without splitting a character: what it
// stores passes its own field's check when the user edits it later.
TEST(ImportConfirmOtherLanguage, CutsKeepWholeCharactersOnEveryCodePage) {
  for (const cutpages::Page& page : cutpages::Pages()) {
    SCOPED_TRACE(std::to_string(page.codePage) + " " + page.language);
    CsvImportHarness editor;
    editor.SetLanguage(page.language);
    editor.system.codePage = page.codePage;
    Texts book;
    int regNo = 0;
    for (const std::string& taken : cutpages::TakenReadings(page)) {
      book.push_back("[FAX_ADDR]=1," + std::to_string(++regNo) + ",," + taken + ",03,,,,,,0");
    }
    editor.StartWith(book);
    Texts csv = {"Reading,Fax,Sub,Password,Company,Department,Recipient"};
    for (const cutpages::Row& row : cutpages::Rows(page)) csv.push_back(cutpages::CsvLine(row));
    editor.SetCsv(csv);
    editor.dialogs.OnNextDialog(IDD_CSV_FIELD_MAP, [](ui::FakeDialog& d) { d.Click(ui::kIdOk); });
    editor.dialogs.OnNextDialog(IDD_IMPORT_CONFIRM, [&](ui::FakeDialog& d) {
      ConfirmList(d).SelectAll();
      d.Click(IDC_CONFIRM_ADD);
      EXPECT_EQ(d.ItemText(IDC_CONFIRM_ADDED), "4");
      d.Click(ui::kIdOk);
    });
    editor.ImportCsv();
    ASSERT_TRUE(editor.DialogsAsScripted());
    const rules::TextRules rules{page.langId, page.codePage};
    for (const cutpages::Row& row : cutpages::Rows(page)) {
      const store::AddressRecord* record = editor.Record(row.storedReading);
      if (!record) {
        ADD_FAILURE() << "no entry " << row.storedReading;
        continue;
      }
      EXPECT_EQ(record->companyName, row.storedCompany);
      EXPECT_EQ(record->clientName, row.storedRecipient);
      EXPECT_TRUE(rules::CheckFieldChars(rules::Field::kDispNameJP, record->dispNameJP, rules));
      EXPECT_TRUE(rules::CheckFieldChars(rules::Field::kCompanyName, record->companyName, rules));
      EXPECT_TRUE(rules::CheckFieldChars(rules::Field::kClientName, record->clientName, rules));
    }
  }
}

TEST_F(ImportConfirmTest, OkWithSelectedRowsAsksWhetherToAddThemFirst) {
  struct Case {
    int answer;
    bool added;
    bool closed;
  } cases[] = {
      {ui::kIdYes, true, true},
      {ui::kIdNo, false, true},
      {ui::kIdCancel, false, false},
  };
  for (const Case& c : cases) {
    CsvImportHarness editor;
    editor.StartWith(kBook);
    editor.SetCsv({kHeader, "New,NEW,03-9"});
    editor.dialogs.OnNextDialog(IDD_CSV_FIELD_MAP, [](ui::FakeDialog& d) { d.Click(ui::kIdOk); });
    editor.dialogs.OnNextDialog(IDD_IMPORT_CONFIRM, [&](ui::FakeDialog& d) {
      ConfirmList(d).SelectAll();
      editor.boxes.AnswerNext(c.answer);
      d.Click(ui::kIdOk);
      EXPECT_EQ(d.Ended(), c.closed) << c.answer;
      if (!d.Ended()) d.Close();
    });
    editor.ImportCsv();
    EXPECT_EQ(editor.Messages(), Texts{Marker(IDS_ADD_SELECTED_FIRST)}) << c.answer;
    EXPECT_EQ(editor.RowOf("NEW") >= 0, c.added) << c.answer;
  }
  // Nothing selected, or only rows that can never be added: OK closes
  // without asking.
  for (const char* line : {"New,NEW,03-9", "Bad,\x8A\xBF,03-9"}) {
    CsvImportHarness editor;
    editor.StartWith(kBook);
    editor.SetCsv({kHeader, line, "Worse,W,"});
    editor.dialogs.OnNextDialog(IDD_CSV_FIELD_MAP, [](ui::FakeDialog& d) { d.Click(ui::kIdOk); });
    editor.dialogs.OnNextDialog(IDD_IMPORT_CONFIRM, [&](ui::FakeDialog& d) {
      ui::FakeListControl& list = ConfirmList(d);
      std::vector<int> refused = RowsShowing(list, 0, "!");
      list.SelectOnly(refused);
      d.Click(ui::kIdOk);
      EXPECT_TRUE(d.Ended()) << line;
    });
    editor.ImportCsv();
    EXPECT_TRUE(editor.Messages().empty()) << line;
    EXPECT_EQ(editor.RowOf("NEW"), -1);
  }
}

// The warning before an add says how many selected rows will be passed
// over; with none of them refused it is the warning alone.
TEST_F(ImportConfirmTest, TheAddsWarningCountsTheRowsItWillPassOver) {
  editor.SetCsv({kHeader, "A,\x8A\xBF,03-1", "B,BB,x", "C,CC,03-3", "D," + std::string(20, 'D') + ",03-4"});
  Confirm([&](ui::FakeDialog& d) {
    ui::FakeListControl& list = ConfirmList(d);
    list.SelectOnly(RowsShowing(list, 0, "?"));
    d.Click(IDC_CONFIRM_ADD);
    list.SelectAll();
    d.Click(IDC_CONFIRM_ADD);
  });
  EXPECT_EQ(editor.Messages(),
            (Texts{Marker(IDS_IMPORT_WARNING), Marker(IDS_IMPORT_WARNING) + "\n\n[61346] 2"}));
  EXPECT_NE(editor.RowOf("CC"), -1);
}

TEST_F(ImportConfirmTest, TheStatusLineSaysWhyTheFocusedRowIsMarked) {
  editor.SetCsv({kHeader, "Zed,ZED,03-5", "Bad,\x8A\xBF,", "Long,LONG,03-7,,,,," + std::string(25, 'x'),
                 "Empty,,03-8"});
  Confirm([&](ui::FakeDialog& d) {
    ui::FakeListControl& list = ConfirmList(d);
    struct Case {
      const char* name;
      std::string reason;
    } cases[] = {
        {"Zed", ""},
        {"Bad", "[61336] [61218] / [61340]"},
        {"Long", "[61337] [61223]"},
        {"Empty", "[61339]"},
    };
    for (const Case& c : cases) {
      const std::vector<int> rows = RowsShowing(list, 1, c.name);
      ASSERT_EQ(rows.size(), 1u) << c.name;
      list.SelectOnly(std::vector<int>{rows[0]});
      EXPECT_EQ(d.ItemText(IDC_CONFIRM_REASON), c.reason) << c.name;
    }
    list.SelectOnly(std::vector<int>{});
    EXPECT_EQ(d.ItemText(IDC_CONFIRM_REASON), "");
  });
}

// A UTF-8 mark before Shift-JIS bytes: the file is read as UTF-8, and the
// reason says the bytes are no UTF-8 and what to choose instead.
TEST_F(ImportConfirmTest, BytesThatAreNoUtf8AreSaidToBeSoWithTheWayOut) {
  editor.files.SetFile(CsvImportHarness::kCsv,
                       "\xEF\xBB\xBF" + std::string(kHeader) + "\r\nA\x8E\x52,\xD4\xCF,03\r\n");
  Confirm([&](ui::FakeDialog& d) {
    ui::FakeListControl& list = ConfirmList(d);
    ASSERT_EQ(list.ItemCount(), 1);
    EXPECT_EQ(list.ItemText(0, 0), "!");
    list.SelectOnly(std::vector<int>{0});
    EXPECT_EQ(d.ItemText(IDC_CONFIRM_REASON),
              "[61342] [61217] 2 / [61342] [61218] 1 / [61343]");
    list.SelectOnly(std::vector<int>{});
  });
}

}  // namespace
