// The editor's CSV export: the save dialog, one line per address in the
// order apply writes them (groups left out), the UTF-8 form, and files that
// could not be written whole left as they were.
#include <gtest/gtest.h>

#include <cctype>

#include "booklib/csv/csv_export.h"
#include "booklib/csv/csv_header.h"
#include "booklib/csv/import_row.h"
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

TEST_F(CsvExportTest, APathTheCodePageCannotWriteIsRefusedAsSuchAndNothingIsWritten) {
  const std::string lossy = "C:\\????\\book.csv";
  editor.fileDialogs.ChooseNextNotInCodePage(lossy);
  editor.Command(ID_EXPORT_CSV_UTF8);
  EXPECT_EQ(editor.files.File(lossy), nullptr);
  EXPECT_EQ(editor.Messages(), Texts{"[61347] " + lossy});
  EXPECT_EQ(editor.boxes.Last().caption, Marker(IDS_CAPTION));
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

namespace {

TEST(CsvExportOverTheBook, TheBooksOwnFileIsRefusedHoweverItIsSpelt) {
  CsvImportHarness editor;
  editor.StartWith(kBook);
  const std::string book = *editor.files.File(editor.DataFile());
  const std::string shortName = "C:\\DOCUME~1\\USER\\MYDOCU~1\\ADDRESS.FDT";
  editor.files.SetFile(shortName, book);
  editor.files.SetSameFile(shortName, editor.DataFile());
  for (const std::string& path : {editor.DataFile(), shortName}) {
    SCOPED_TRACE(path);
    const std::size_t shown = editor.MessageIds().size();
    for (int command : {ID_EXPORT_CSV, ID_EXPORT_CSV_UTF8}) {
      editor.fileDialogs.ChooseNext(path);
      editor.Command(command);
    }
    ASSERT_EQ(editor.MessageIds().size(), shown + 2);
    EXPECT_EQ(editor.MessageIds().back(), "[61319] " + path);
    EXPECT_EQ(*editor.files.File(editor.DataFile()), book);
  }
  // Before apply has written the book's file, its path alike but for case.
  editor.files.RemoveFile(editor.DataFile());
  std::string upper = editor.DataFile();
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  editor.fileDialogs.ChooseNext(upper);
  editor.Command(ID_EXPORT_CSV);
  EXPECT_EQ(editor.MessageIds().back(), "[61319] " + upper);
  EXPECT_EQ(editor.files.File(upper), nullptr);
  // Any other file is written as before.
  editor.fileDialogs.ChooseNext("C:\\out\\book.csv");
  editor.Command(ID_EXPORT_CSV);
  EXPECT_NE(editor.files.File("C:\\out\\book.csv"), nullptr);
}

}  // namespace
