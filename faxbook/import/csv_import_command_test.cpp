// The CSV import command and the mapping dialog: the file checks, the
// header in the combo boxes, the proposed mapping in each language, and
// going back from the confirmation to map again.
#include <gtest/gtest.h>

#include "tests/support/csv_import_harness.h"
#include "tests/support/utf16_text.h"

namespace {

using Texts = std::vector<std::string>;

const Texts kBook = {
    "[FAX_ADDR]=1,1,Kita,KITA,03-1,,,,,,0",
    "[FAX_ADDR]=1,2,Minami,MINAMI,06-3,,,,,,0",
};

constexpr int kCombos[] = {IDC_MAP_DISP_NAME, IDC_MAP_READING,  IDC_MAP_FAX_NUMBER,
                           IDC_MAP_SUB_ADDRESS, IDC_MAP_PASSWORD, IDC_MAP_COMPANY,
                           IDC_MAP_DEPARTMENT, IDC_MAP_RECIPIENT};

class CsvImportCommandTest : public ::testing::Test {
 protected:
  void SetUp() override { editor.StartWith(kBook); }
  CsvImportHarness editor;
};

TEST_F(CsvImportCommandTest, AsksForACsvFileAndCancelDoesNothing) {
  editor.fileDialogs.CancelNext();
  editor.Command(ID_IMPORT_CSV);
  ASSERT_EQ(editor.fileDialogs.Requests().size(), 1u);
  const ui::FileDialogRequest& request = editor.fileDialogs.Requests()[0];
  EXPECT_FALSE(request.save);
  EXPECT_EQ(request.filter, "[61213](*.csv)|*.csv|");
  EXPECT_EQ(request.fileName, "*.csv");
  EXPECT_TRUE(request.hideReadOnly);
  EXPECT_TRUE(request.overwritePrompt);
  EXPECT_TRUE(editor.dialogs.Opened().empty());
  EXPECT_TRUE(editor.Messages().empty());
}

TEST_F(CsvImportCommandTest, FilesThatCannotBeImportedAreRefusedBeforeAnyDialog) {
  struct Case {
    std::string path;
    int message;
  } cases[] = {
      {"C:\\data\\empty.csv", IDS_FILE_IN_USE},
      {"C:\\data\\held.csv", IDS_FILE_IN_USE},       // another program holds it open
      {"C:\\data\\missing.csv", IDS_FILE_IN_USE},
      {"C:\\data\\denied.csv", IDS_FILE_IN_USE},
      {"C:\\data\\list.Csv", IDS_BAD_FILE},          // the extension is compared exactly
      {"C:\\data\\list.txt", IDS_BAD_FILE},
      {"C:\\data.csv\\list", IDS_BAD_FILE},          // a dot in a folder is no extension
      {"C:\\data\\list.csv.bak", IDS_BAD_FILE},
      {"C:\\data\\empty.txt", IDS_FILE_IN_USE},      // the size is checked first
  };
  for (const char* path : {"C:\\data\\held.csv", "C:\\data\\denied.csv", "C:\\data\\list.Csv",
                           "C:\\data\\list.txt", "C:\\data.csv\\list", "C:\\data\\list.csv.bak"}) {
    editor.files.SetFile(path, "Name\r\nA\r\n");
  }
  editor.files.SetFile("C:\\data\\empty.csv", "");
  editor.files.SetFile("C:\\data\\empty.txt", "");
  editor.files.HoldOpen("C:\\data\\held.csv");
  editor.files.Deny("C:\\data\\denied.csv");
  for (const Case& c : cases) {
    editor.boxes.Clear();
    editor.ImportCsv(c.path);
    ASSERT_EQ(editor.Messages(), Texts{Marker(c.message)}) << c.path;
    EXPECT_EQ(editor.boxes.Last().caption, Marker(IDS_INPUT_ERROR));
    EXPECT_EQ(editor.boxes.Last().owner, 0) << "owned by the main window";
  }
  EXPECT_TRUE(editor.dialogs.Opened().empty());
  for (const char* path : {"C:\\data\\list.CSV", "C:\\data\\list.csv"}) {
    editor.files.SetFile(path, "Name\r\n");
    editor.dialogs.OnNextDialog(IDD_CSV_FIELD_MAP, [](ui::FakeDialog& d) { d.Close(); });
    editor.ImportCsv(path);
  }
  EXPECT_EQ(editor.dialogs.Opened(), (std::vector<int>{IDD_CSV_FIELD_MAP, IDD_CSV_FIELD_MAP}));
  EXPECT_TRUE(editor.DialogsAsScripted());
}

// A folder the system's code page cannot name (a Japanese one on an
// English system): the path the dialog gives has "?" for its characters,
// and the message says so rather than that another program holds the file.
TEST_F(CsvImportCommandTest, APathTheCodePageCannotWriteIsRefusedAsSuch) {
  const std::string lossy = "C:\\????\\list.csv";
  editor.files.SetFile(lossy, "Name\r\nA\r\n");
  editor.fileDialogs.ChooseNextNotInCodePage(lossy);
  editor.Command(ID_IMPORT_CSV);
  EXPECT_EQ(editor.Messages(), Texts{"[61347] " + lossy});
  EXPECT_EQ(editor.boxes.Last().caption, Marker(IDS_INPUT_ERROR));
  EXPECT_TRUE(editor.dialogs.Opened().empty());
}

TEST_F(CsvImportCommandTest, TheHeaderFillsEveryComboAndTheJapaneseMappingIsProposed) {
  editor.SetCsv({"Name,\"Reading\",,Fax,Sub", "a,b,c,d,e"});
  editor.dialogs.OnNextDialog(IDD_CSV_FIELD_MAP, [](ui::FakeDialog& d) {
    // The columns, then "(not imported)".
    const Texts entries = {"\"Name\"", "\"Reading\"", "([61204] 2)", "\"Fax\"", "\"Sub\"",
                           "[61334]"};
    for (int id : kCombos) EXPECT_EQ(d.Choices(id), entries) << id;
    // Five columns: company, department and recipient fall back to column 0.
    const int expected[] = {0, 1, 2, 3, 4, 0, 0, 0};
    for (std::size_t i = 0; i < 8; ++i) EXPECT_EQ(d.SelectedChoice(kCombos[i]), expected[i]) << i;
    EXPECT_TRUE(d.IsItemEnabled(IDC_MAP_DISP_NAME));
    d.Close();
  });
  editor.ImportCsv();
  EXPECT_TRUE(editor.DialogsAsScripted());
  EXPECT_FALSE(editor.Document().IsModified()) << "nothing was asked about or changed";
}

TEST(CsvImportMapping, OtherLanguagesOfferNoRegistrationNameAndShiftTheDefaults) {
  CsvImportHarness editor;
  editor.SetLanguage("English");
  editor.StartWith(kBook);
  editor.SetCsv({"Name,Fax,Sub", "a,b,c"});
  editor.dialogs.OnNextDialog(IDD_CSV_FIELD_MAP, [](ui::FakeDialog& d) {
    EXPECT_TRUE(d.Choices(IDC_MAP_DISP_NAME).empty());
    EXPECT_EQ(d.SelectedChoice(IDC_MAP_DISP_NAME), -1);
    EXPECT_FALSE(d.IsItemEnabled(IDC_MAP_DISP_NAME));
    const int expected[] = {-1, 0, 1, 2, 0, 0, 0, 0};
    for (std::size_t i = 0; i < 8; ++i) EXPECT_EQ(d.SelectedChoice(kCombos[i]), expected[i]) << i;
    d.Close();
  });
  editor.ImportCsv();
  EXPECT_TRUE(editor.DialogsAsScripted());
}

TEST_F(CsvImportCommandTest, AFileWithoutHeaderColumnsOffersOnlyNotImported) {
  for (const char* bytes : {"\r\nA,B\r\n", "\n"}) {
    editor.files.SetFile(CsvImportHarness::kCsv, bytes);
    editor.dialogs.OnNextDialog(IDD_CSV_FIELD_MAP, [](ui::FakeDialog& d) {
      for (int id : kCombos) {
        EXPECT_EQ(d.Choices(id), (Texts{"[61334]"}));
        EXPECT_EQ(d.SelectedChoice(id), 0);
      }
      d.Close();
    });
    editor.ImportCsv();
  }
  EXPECT_TRUE(editor.DialogsAsScripted());
}

TEST_F(CsvImportCommandTest, OkHandsTheChosenMappingOnAndATypedComboMapsNothing) {
  editor.SetCsv({"A,B,C,D", "1,r,f,9"});
  editor.dialogs.OnNextDialog(IDD_CSV_FIELD_MAP, [&](ui::FakeDialog& d) {
    d.Choose(IDC_MAP_FAX_NUMBER, 3);
    d.TypeInCombo(IDC_MAP_SUB_ADDRESS, "\"D\"");  // the text of an entry, typed
    d.Choose(IDC_MAP_COMPANY, 2);
    d.TypeInCombo(IDC_MAP_COMPANY, "x");
    d.Choose(IDC_MAP_DEPARTMENT, 1);
    d.TypeInCombo(IDC_MAP_DEPARTMENT, "y");
    d.Choose(IDC_MAP_DEPARTMENT, 2);              // chosen again after typing
    d.Click(ui::kIdOk);
    EXPECT_TRUE(d.Ended());
  });
  editor.dialogs.OnNextDialog(IDD_IMPORT_CONFIRM, [](ui::FakeDialog& d) {
    // Japanese columns: mark, name, reading, fax, sub, password, company,
    // department, recipient.
    EXPECT_EQ(ConfirmList(d).Row(0), (Texts{"", "1", "r", "9", "", "1", "", "f", "1"}));
    d.Click(ui::kIdOk);
  });
  editor.ImportCsv();
  EXPECT_TRUE(editor.DialogsAsScripted());
  EXPECT_EQ(editor.dialogs.Owners(), (std::vector<int>{0, IDD_CSV_FIELD_MAP}))
      << "the confirmation is owned by the mapping dialog";
}

TEST_F(CsvImportCommandTest, BackFromTheConfirmationKeepsTheMappingOpenForAnotherTry) {
  editor.SetCsv({"Reading,Name,Fax,Sub,Password,Company,Department,Recipient", "KITA2,Kita2,03-2"});
  bool stayedOpen = false;
  editor.dialogs.OnNextDialog(IDD_CSV_FIELD_MAP, [&](ui::FakeDialog& d) {
    d.Click(ui::kIdOk);  // the first confirmation goes back
    stayedOpen = !d.Ended();
    d.Choose(IDC_MAP_DISP_NAME, 1);
    d.Choose(IDC_MAP_READING, 0);
    d.Click(ui::kIdOk);  // the second one is closed with Escape
    stayedOpen = stayedOpen && !d.Ended();
    d.Click(ui::kIdOk);  // the third adds, then ends with Escape
    EXPECT_TRUE(d.Ended()) << "after an add, Cancel closes the mapping too";
    EXPECT_EQ(d.Result(), ui::kIdCancel);
  });
  editor.dialogs.OnNextDialog(IDD_IMPORT_CONFIRM, [](ui::FakeDialog& d) {
    EXPECT_EQ(ConfirmList(d).ItemText(0, 2), "Kita2") << "mapped as proposed: name from column 1";
    d.Click(IDC_CONFIRM_BACK);
  });
  editor.dialogs.OnNextDialog(IDD_IMPORT_CONFIRM, [](ui::FakeDialog& d) {
    EXPECT_EQ(ConfirmList(d).ItemText(0, 2), "KITA2");
    d.Close();
  });
  editor.dialogs.OnNextDialog(IDD_IMPORT_CONFIRM, [](ui::FakeDialog& d) {
    ConfirmList(d).SelectAll();
    d.Click(IDC_CONFIRM_ADD);
    EXPECT_FALSE(d.IsItemEnabled(IDC_CONFIRM_BACK));
    d.Close();
  });
  editor.ImportCsv();
  EXPECT_TRUE(stayedOpen);
  EXPECT_TRUE(editor.DialogsAsScripted());
  EXPECT_NE(editor.RowOf("KITA2"), -1) << "the added address stays whatever ends the dialogs";
  EXPECT_TRUE(editor.Document().IsModified());
}

TEST_F(CsvImportCommandTest, AFileThatCannotBeReadForItsRowsClosesBothDialogs) {
  editor.SetCsv({"A,B,C", "n,r,f"});
  editor.dialogs.OnNextDialog(IDD_CSV_FIELD_MAP, [&](ui::FakeDialog& d) {
    editor.files.FailReadAfter(CsvImportHarness::kCsv, 3);
    d.Click(ui::kIdOk);
    EXPECT_TRUE(d.Ended());
    EXPECT_EQ(d.Result(), ui::kIdCancel);
  });
  editor.dialogs.OnNextDialog(IDD_IMPORT_CONFIRM, [](ui::FakeDialog& d) {
    EXPECT_EQ(ConfirmList(d).ItemCount(), 0);
    d.Click(IDC_CONFIRM_BACK);
  });
  editor.ImportCsv();
  EXPECT_TRUE(editor.DialogsAsScripted());
}

TEST_F(CsvImportCommandTest, TheCharacterSetIsProposedByTheFileAndAChangeRereadsTheHeader) {
  // A UTF-8 header with a mark: the names of a contact program in Japanese.
  const std::string utf8 = "\xEF\xBB\xBF" + std::string(u8"姓,名,姓 (ふりがな),名 (ふりがな),勤務先ファックス,会社名") +
                           "\r\n" + u8"山田,太郎,ﾔﾏﾀﾞ,ﾀﾛｳ,03-1,北商事" + "\r\n";
  editor.files.SetFile(CsvImportHarness::kCsv, utf8);
  editor.dialogs.OnNextDialog(IDD_CSV_FIELD_MAP, [](ui::FakeDialog& d) {
    EXPECT_EQ(d.Choices(IDC_MAP_CHARSET), (Texts{"[61332] 932", "[61333]", "[61345]"}));
    EXPECT_EQ(d.SelectedChoice(IDC_MAP_CHARSET), 1) << "UTF-8 by its mark";
    // The header in the code page, then the joined names, then none.
    const Texts entries = {"\"\x90\xA9\"", "\"\x96\xBC\"", "\"\x90\xA9 (\x82\xD3\x82\xE8\x82\xAA\x82\xC8)\"",
                           "\"\x96\xBC (\x82\xD3\x82\xE8\x82\xAA\x82\xC8)\"",
                           "\"\x8B\xCE\x96\xB1\x90\xE6\x83\x74\x83\x40\x83\x62\x83\x4E\x83\x58\"",
                           "\"\x89\xEF\x8E\xD0\x96\xBC\"",
                           "\"\x90\xA9\" + \"\x96\xBC\"",
                           "\"\x90\xA9 (\x82\xD3\x82\xE8\x82\xAA\x82\xC8)\" + \"\x96\xBC (\x82\xD3\x82\xE8\x82\xAA\x82\xC8)\"",
                           "[61334]"};
    EXPECT_EQ(d.Choices(IDC_MAP_FAX_NUMBER), entries);
    // Name and recipient from family + given, reading from both readings,
    // the work fax, the company; sub-address, password and department none.
    const int expected[] = {6, 7, 4, 8, 8, 5, 8, 6};
    for (std::size_t i = 0; i < 8; ++i) EXPECT_EQ(d.SelectedChoice(kCombos[i]), expected[i]) << i;
    // Read as the code page, the header is other bytes: no names known.
    d.Choose(IDC_MAP_CHARSET, 0);
    EXPECT_EQ(d.Choices(IDC_MAP_FAX_NUMBER).size(), 7u);
    EXPECT_EQ(d.SelectedChoice(IDC_MAP_FAX_NUMBER), 2) << "positional again";
    d.Choose(IDC_MAP_CHARSET, 1);
    EXPECT_EQ(d.SelectedChoice(IDC_MAP_FAX_NUMBER), 4);
    d.Click(ui::kIdOk);
  });
  editor.dialogs.OnNextDialog(IDD_IMPORT_CONFIRM, [](ui::FakeDialog& d) {
    EXPECT_EQ(ConfirmList(d).Row(0),
              (Texts{"", "\x8E\x52\x93\x63 \x91\xBE\x98\x59", "\xD4\xCF\xC0\xDE \xC0\xDB\xB3", "03-1", "", "",
                     "\x96\x6B\x8F\xA4\x8E\x96", "", "\x8E\x52\x93\x63 \x91\xBE\x98\x59"}));
    d.Click(ui::kIdOk);
  });
  editor.ImportCsv();
  EXPECT_TRUE(editor.DialogsAsScripted());
}

// Spreadsheets' Unicode text: UTF-16 with its mark, tab-separated. The
// dialog proposes UTF-16 and reads the header's columns; the rows come
// converted as a UTF-8 file's would.
TEST_F(CsvImportCommandTest, AUtf16FileIsProposedAsSuchAndItsTabsSeparateTheColumns) {
  const std::string text = std::string(u8"表示名\tよみ\t勤務先ファックス\t会社名\t\t") + "\r\n" +
                           u8"山田\tﾔﾏﾀﾞ\t03-1\t北商事, 本社\tx\t" + "\r\n";
  editor.files.SetFile(CsvImportHarness::kCsv, utf16text::Encode(text));
  editor.dialogs.OnNextDialog(IDD_CSV_FIELD_MAP, [](ui::FakeDialog& d) {
    EXPECT_EQ(d.Choices(IDC_MAP_CHARSET), (Texts{"[61332] 932", "[61333]", "[61345]"}));
    EXPECT_EQ(d.SelectedChoice(IDC_MAP_CHARSET), 2) << "UTF-16 by its mark";
    const Texts entries = {"\"\x95\x5C\x8E\xA6\x96\xBC\"", "\"\x82\xE6\x82\xDD\"",
                           "\"\x8B\xCE\x96\xB1\x90\xE6\x83\x74\x83\x40\x83\x62\x83\x4E\x83\x58\"",
                           "\"\x89\xEF\x8E\xD0\x96\xBC\"", "([61204] 4)", "[61334]"};
    EXPECT_EQ(d.Choices(IDC_MAP_FAX_NUMBER), entries);
    // Name, reading, work fax and company by their names; nothing else.
    const int expected[] = {0, 1, 2, 5, 5, 3, 5, 5};
    for (std::size_t i = 0; i < 8; ++i) EXPECT_EQ(d.SelectedChoice(kCombos[i]), expected[i]) << i;
    // As UTF-8 the bytes are no text: one column, none of the names.
    d.Choose(IDC_MAP_CHARSET, 1);
    EXPECT_EQ(d.Choices(IDC_MAP_FAX_NUMBER).size(), 2u);
    d.Choose(IDC_MAP_CHARSET, 2);
    EXPECT_EQ(d.SelectedChoice(IDC_MAP_FAX_NUMBER), 2);
    d.Click(ui::kIdOk);
  });
  editor.dialogs.OnNextDialog(IDD_IMPORT_CONFIRM, [](ui::FakeDialog& d) {
    EXPECT_EQ(ConfirmList(d).Row(0),
              (Texts{"", "\x8E\x52\x93\x63", "\xD4\xCF\xC0\xDE", "03-1", "", "",
                     "\x96\x6B\x8F\xA4\x8E\x96, \x96\x7B\x8E\xD0", "", ""}));
    d.Click(ui::kIdOk);
  });
  editor.ImportCsv();
  EXPECT_TRUE(editor.DialogsAsScripted());
}

TEST_F(CsvImportCommandTest, NotImportedMapsAFieldToNothing) {
  editor.SetCsv({"A,B,C", "n,R,1"});
  editor.dialogs.OnNextDialog(IDD_CSV_FIELD_MAP, [&](ui::FakeDialog& d) {
    const int last = static_cast<int>(d.Choices(IDC_MAP_DISP_NAME).size()) - 1;
    EXPECT_EQ(last, 3);
    for (int id : {IDC_MAP_DISP_NAME, IDC_MAP_SUB_ADDRESS, IDC_MAP_PASSWORD, IDC_MAP_COMPANY}) {
      d.Choose(id, last);
    }
    d.Click(ui::kIdOk);
  });
  editor.dialogs.OnNextDialog(IDD_IMPORT_CONFIRM, [](ui::FakeDialog& d) {
    EXPECT_EQ(ConfirmList(d).Row(0), (Texts{"", "", "R", "1", "", "", "", "n", "n"}));
    d.Click(ui::kIdOk);
  });
  editor.ImportCsv();
  EXPECT_TRUE(editor.DialogsAsScripted());
}

TEST(CsvImportMapping, TheCentralEuropeanFontGoesOnTheCombosAndTheList) {
  CsvImportHarness editor;
  editor.system.codePage = 1250;
  editor.SetLanguage("English");
  editor.StartWith(kBook);
  const ui::FontHandle font = editor.app->Settings().listFont;
  ASSERT_NE(font, 0);
  editor.SetCsv({"A,B", "r,f"});
  editor.dialogs.OnNextDialog(IDD_CSV_FIELD_MAP, [&](ui::FakeDialog& d) {
    for (int id : kCombos) EXPECT_EQ(d.Font(id), font) << id;
    d.Click(ui::kIdOk);
  });
  editor.dialogs.OnNextDialog(IDD_IMPORT_CONFIRM, [&](ui::FakeDialog& d) {
    EXPECT_EQ(ConfirmList(d).Font(), font);
    d.Click(ui::kIdOk);
  });
  editor.ImportCsv();
  EXPECT_TRUE(editor.DialogsAsScripted());
}

}  // namespace
