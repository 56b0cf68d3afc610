// The editor's CSV export: the save dialog, one line per address in the
// order apply writes them (groups left out), the UTF-8 form, and files that
// could not be written whole left as they were.
#include <gtest/gtest.h>

#include "faxbook/csv/csv_export.h"
#include "faxbook/csv/csv_header.h"
#include "faxbook/csv/import_row.h"
#include "tests/support/csv_import_harness.h"

namespace {

using Texts = std::vector<std::string>;

// Two addresses and a group of one of them; a reading order other than the
// file's.
const Texts kBook = {
    "[FAX_ADDR]=1,2,Minami,MINAMI,06-3,,,\"The \"\"Sun\"\" Shop\",,,0",
    "[FAX_ADDR]=1,1,\x93\x63\x92\x86,\xC0\xC5\xB6,03-1,12,pw,\"Kita, Ltd.\",Sales,Desk,1",
    "",
    "[FAX_ADDR]=3,3,All,ALL,",
    "[FAX_ADDR_GM]=4,3,Minami,MINAMI,06-3,,,\"The \"\"Sun\"\" Shop\",,,0",
};

const char kHeaderLine[] =
    "DispName,DispNameJP,FaxNumber,SubAddress,Password,CompanyName,DepartmentName,ClientName\r\n";

class CsvExportTest : public ::testing::Test {
 protected:
  void SetUp() override { editor.StartWith(kBook); }
  CsvImportHarness editor;
};

TEST_F(CsvExportTest, WritesEveryAddressInReadingOrderInEitherForm) {
  const std::string rows =
      "Minami,MINAMI,06-3,,,\"The \"\"Sun\"\" Shop\",,\r\n";
  struct Case {
    int command;
    std::string expected;
  } cases[] = {
      {ID_EXPORT_CSV, std::string(kHeaderLine) + rows +
                          "\x93\x63\x92\x86,\xC0\xC5\xB6,03-1,12,pw,\"Kita, Ltd.\",Sales,Desk\r\n"},
      {ID_EXPORT_CSV_UTF8, "\xEF\xBB\xBF" + std::string(kHeaderLine) + rows +
                               "\xE7\x94\xB0\xE4\xB8\xAD,\xEF\xBE\x80\xEF\xBE\x85\xEF\xBD\xB6,"
                               "03-1,12,pw,\"Kita, Ltd.\",Sales,Desk\r\n"},
  };
  for (const Case& c : cases) {
    editor.files.SetFile("C:\\out\\book.csv", "old");
    editor.fileDialogs.ChooseNext("C:\\out\\book.csv");
    editor.Command(c.command);
    ASSERT_FALSE(editor.fileDialogs.Requests().empty());
    const ui::FileDialogRequest& request = editor.fileDialogs.Requests().back();
    EXPECT_TRUE(request.save);
    EXPECT_TRUE(request.overwritePrompt);
    EXPECT_EQ(request.defaultExtension, "csv");
    ASSERT_NE(editor.files.File("C:\\out\\book.csv"), nullptr);
    EXPECT_EQ(*editor.files.File("C:\\out\\book.csv"), c.expected) << c.command;
    EXPECT_TRUE(editor.Messages().empty());
  }
  EXPECT_FALSE(editor.TheBook().Modified()) << "an export is no change of the book";
}

TEST_F(CsvExportTest, CancelWritesNothingAndAFailedWriteKeepsTheOldFile) {
  editor.fileDialogs.CancelNext();
  editor.Command(ID_EXPORT_CSV);
  EXPECT_TRUE(editor.Messages().empty());

  editor.files.SetFile("C:\\out\\book.csv", "old");
  editor.files.FailNextWriteAfter(10);
  editor.fileDialogs.ChooseNext("C:\\out\\book.csv");
  editor.Command(ID_EXPORT_CSV);
  EXPECT_EQ(*editor.files.File("C:\\out\\book.csv"), "old");
  EXPECT_EQ(editor.MessageIds(), (Texts{"[61330]"}));
}

TEST_F(CsvExportTest, BytesWithoutUtf8FormWriteNoUtf8File) {
  // 0x81 0x20: a lead byte before no trail byte is no character of 932.
  editor.StartWith({"[FAX_ADDR]=1,7,A\x81 B,AB,03,,,,,,0"});
  editor.fileDialogs.ChooseNext("C:\\out\\bad.csv");
  editor.Command(ID_EXPORT_CSV_UTF8);
  EXPECT_EQ(editor.files.File("C:\\out\\bad.csv"), nullptr);
  EXPECT_EQ(editor.MessageIds(), (Texts{"[61331]"}));
  // The code-page form keeps the bytes.
  editor.fileDialogs.ChooseNext("C:\\out\\bad.csv");
  editor.Command(ID_EXPORT_CSV);
  ASSERT_NE(editor.files.File("C:\\out\\bad.csv"), nullptr);
  EXPECT_NE(editor.files.File("C:\\out\\bad.csv")->find("A\x81 B"), std::string::npos);
}

TEST(CsvExportOtherLanguages, RegistrationNamesTheListDoesNotShowAreNotExported) {
  CsvImportHarness editor;
  editor.SetLanguage("English");
  editor.system.codePage = 1252;
  editor.StartWith({"[FAX_ADDR]=1,1,Name,Zeller,040-1,,,Firma,Abt,Herr Z,1"});
  editor.fileDialogs.ChooseNext("C:\\out\\book.csv");
  editor.Command(ID_EXPORT_CSV);
  ASSERT_NE(editor.files.File("C:\\out\\book.csv"), nullptr);
  EXPECT_EQ(*editor.files.File("C:\\out\\book.csv"),
            std::string(kHeaderLine) + ",Zeller,040-1,,,Firma,Abt,Herr Z\r\n");
}

}  // namespace
